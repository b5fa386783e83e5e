#include "project/dialog_fields_w32.h"

#include <commdlg.h>

std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(item, &text[0], static_cast<int>(text.size()))));
    return text;
}

void SetItemText(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

std::vector<std::string> ListTexts(HWND list) {
    std::vector<std::string> texts;
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        text.resize(static_cast<size_t>(SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]))));
        texts.push_back(text);
    }
    return texts;
}

void FillList(HWND list, const std::vector<std::string>& texts) {
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& t : texts) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
}

std::string ChooseFileName(HWND owner, const char* title, const char* filter, const char* directory) {
    char file[MAX_PATH] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = title;
    ofn.lpstrInitialDir = directory;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    return GetOpenFileNameA(&ofn) ? std::string(file) : std::string();
}

bool EndedByCancel(HWND dialog, WPARAM wparam) {
    if (LOWORD(wparam) != IDCANCEL) return false;
    EndDialog(dialog, IDCANCEL);
    return true;
}
