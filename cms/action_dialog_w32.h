#pragma once
// A CMS dialog with one action button beside Close: `fill` runs when it opens, `act` on
// each press of the button; both get the dialog and the caller's data.
#include <windows.h>

class DialogTemplate;

struct ActionDialog {
    WORD action;
    void (*fill)(HWND dialog, void* data);
    void (*act)(HWND dialog, void* data);
    void* data;
};

void RunActionDialog(DialogTemplate& layout, ActionDialog& dialog);
