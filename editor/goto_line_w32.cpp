#include <windows.h>

#include <string>
#include <vector>

#include "editor/line_history.h"
#include "editor/view_commands_w32.h"
#include "shell/app_state_w32.h"
#include "shell/dialog_template_w32.h"

namespace {

constexpr WORD kNumberField = 101;

std::string FieldText(HWND dialog) {
    char text[kLineNumberChars + 2] = "";
    GetDlgItemTextA(dialog, kNumberField, text, sizeof text);
    return text;
}

INT_PTR CALLBACK GoToLineProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            HWND box = GetDlgItem(dialog, kNumberField);
            SendMessageA(box, CB_LIMITTEXT, kLineNumberChars, 0);
            for (const std::string& n : LineHistory()) SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
            EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case kNumberField:
                    // OK only while the field holds something.
                    if (HIWORD(wparam) == CBN_EDITCHANGE || HIWORD(wparam) == CBN_SELCHANGE)
                        PostMessageA(dialog, WM_APP, 0, 0);
                    return TRUE;
                case IDOK: {
                    std::string text = FieldText(dialog);
                    RememberLineNumber(text);
                    EndDialog(dialog, ParseLineNumber(text));
                    return TRUE;
                }
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_APP:
            EnableWindow(GetDlgItem(dialog, IDOK), !FieldText(dialog).empty());
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void EditorGoToLineDialog() {
    DialogTemplate t("Goto line", 150, 62);
    t.Label(7, 9, 40, 10, "Line:");
    t.Combo(50, 7, 90, 70, kNumberField);
    t.OkCancel(20, 40);
    INT_PTR number = t.Run(GoToLineProc, 0);
    if (number > 0) EditorGoToLine(static_cast<int>(number));
}
