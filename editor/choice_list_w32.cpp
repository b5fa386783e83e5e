#include "editor/choice_list_w32.h"

#include <windows.h>

#include "shell/dialog_template_w32.h"

namespace {

constexpr WORD kChoiceList = 101;

INT_PTR CALLBACK ChoiceProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: {
            HWND list = GetDlgItem(dialog, kChoiceList);
            // The scroll bar reaches the end of the widest text.
            HDC dc = GetDC(list);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
            LONG widest = 0;
            for (const std::string& t : *reinterpret_cast<const std::vector<std::string>*>(lparam)) {
                SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
                SIZE size{};
                GetTextExtentPoint32A(dc, t.data(), static_cast<int>(t.size()), &size);
                if (size.cx > widest) widest = size.cx;
            }
            SelectObject(dc, old);
            ReleaseDC(list, dc);
            SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
            SendMessageA(list, LB_SETCURSEL, 0, 0);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK || (LOWORD(wparam) == kChoiceList && HIWORD(wparam) == LBN_DBLCLK)) {
                EndDialog(dialog, SendDlgItemMessageA(dialog, kChoiceList, LB_GETCURSEL, 0, 0));
                return TRUE;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, -1);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

int ChooseFromList(const char* title, const std::vector<std::string>& texts) {
    if (texts.empty()) return -1;
    DialogTemplate t(title, 220, 150);
    t.List(7, 7, 206, 116, kChoiceList, LBS_NOTIFY | WS_HSCROLL);
    t.OkCancel(53, 129);
    INT_PTR chosen = t.Run(ChoiceProc, reinterpret_cast<LPARAM>(&texts));
    return chosen >= 0 && chosen < static_cast<INT_PTR>(texts.size()) ? static_cast<int>(chosen) : -1;
}
