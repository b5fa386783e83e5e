// Dialog 3800 "Replace": one match at a time, out of the way of the match.
#include <windows.h>

#include "editor/find_dialogs_w32.h"
#include "shell/dialog_template_w32.h"
#include "shell/format_buffer.h"

namespace {

constexpr WORD kFoundText = 101;
constexpr WORD kAllButton = 102;

struct Confirm {
    HWND view;
    std::string found;
};

// Below the caret's line when the dialog fits there, else above it.
void PlaceAwayFromCaret(HWND dialog, HWND view) {
    POINT caret{};
    if (!view || !GetCaretPos(&caret)) return;
    ClientToScreen(view, &caret);
    RECT r;
    GetWindowRect(dialog, &r);
    int height = r.bottom - r.top, line = 2 * GetSystemMetrics(SM_CYCAPTION);
    int y = caret.y + line;
    if (y + height > GetSystemMetrics(SM_CYSCREEN)) y = caret.y - height - line / 2;
    if (y < 0) y = 0;
    SetWindowPos(dialog, nullptr, r.left, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK ConfirmProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* c = reinterpret_cast<Confirm*>(lparam);
            SetDlgItemTextA(dialog, kFoundText, FormatText("Replace \"%s\"?", c->found.c_str()));
            PlaceAwayFromCaret(dialog, c->view);
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case IDYES: EndDialog(dialog, static_cast<INT_PTR>(ReplaceAnswer::Yes)); return TRUE;
                case IDNO: EndDialog(dialog, static_cast<INT_PTR>(ReplaceAnswer::No)); return TRUE;
                case kAllButton: EndDialog(dialog, static_cast<INT_PTR>(ReplaceAnswer::All)); return TRUE;
                case IDCANCEL: EndDialog(dialog, static_cast<INT_PTR>(ReplaceAnswer::Cancel)); return TRUE;
                default: return FALSE;
            }
        default:
            return FALSE;
    }
}

}  // namespace

ReplaceAnswer AskReplace(HWND view, const std::string& found) {
    DialogTemplate t("Replace", 232, 50);
    t.Item(SS_LEFT | SS_NOPREFIX, 7, 8, 218, 10, kFoundText, kStaticClass, "");
    t.Button(7, 28, 50, 14, IDYES, "&Yes", true);
    t.Button(63, 28, 50, 14, IDNO, "&No");
    t.Button(119, 28, 50, 14, kAllButton, "&All");
    t.Button(175, 28, 50, 14, IDCANCEL, "Cancel");
    Confirm c{view, found};
    INT_PTR answer = t.Run(ConfirmProc, reinterpret_cast<LPARAM>(&c));
    return answer < 0 ? ReplaceAnswer::Cancel : static_cast<ReplaceAnswer>(answer);
}
