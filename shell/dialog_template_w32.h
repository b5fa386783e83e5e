#pragma once
// Dialog templates built in memory, so every dialog's layout sits beside its procedure.
#include <windows.h>

#include <vector>

class DialogTemplate {
public:
    // Dialog units; a modal, centred, captioned popup in the dialog font.
    DialogTemplate(const char* title, short cx, short cy);

    // One control of a predefined class; `style` gets WS_CHILD | WS_VISIBLE.
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD window_class, const char* text);
    void Label(short x, short y, short cx, short cy, const char* text, WORD id = 0xFFFF);
    void Edit(short x, short y, short cx, short cy, WORD id, DWORD style = ES_AUTOHSCROLL);
    void Button(short x, short y, short cx, short cy, WORD id, const char* text, bool is_default = false);
    void Check(short x, short y, short cx, short cy, WORD id, const char* text);
    void List(short x, short y, short cx, short cy, WORD id, DWORD style = LBS_NOTIFY);
    void Combo(short x, short y, short cx, short cy, WORD id, DWORD style = CBS_DROPDOWN);
    // OK and Cancel side by side at the given place.
    void OkCancel(short x, short y);

    const DLGTEMPLATE* Get();
    // DialogBoxIndirectParamA owned by the frame (or the desktop when there is none).
    INT_PTR Run(DLGPROC procedure, LPARAM parameter);

private:
    void Put(const void* p, size_t n);
    void Word(WORD w);
    void Text(const char* s);
    void Align();

    std::vector<char> bytes_;
    WORD items_ = 0;
};

enum : WORD { kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082, kListBoxClass = 0x0083,
              kComboBoxClass = 0x0085 };

// The record a dialog procedure was started with: kept at WM_INITDIALOG, found again after.
template <class Record>
Record* DialogRecord(HWND dialog, UINT message, LPARAM lparam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    return reinterpret_cast<Record*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
