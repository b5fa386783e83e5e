#pragma once
// Reading and filling the controls of the project dialogs.
#include <windows.h>

#include <string>
#include <vector>

// The whole text of a control.
std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);

// The texts of a list box, and the list box refilled with texts.
std::vector<std::string> ListTexts(HWND list);
void FillList(HWND list, const std::vector<std::string>& texts);

// Ends the dialog with IDCANCEL when `wparam` is its Cancel command; whether it did.
bool EndedByCancel(HWND dialog, WPARAM wparam);

// A file chosen with the open-file dialog (empty when cancelled).
std::string ChooseFileName(HWND owner, const char* title, const char* filter, const char* directory = nullptr);
