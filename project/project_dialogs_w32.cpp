#include "project/project_dialogs_w32.h"

#include <windows.h>

#include "shell/dialog_template_w32.h"

namespace {

enum : int { kListId = 101, kEditId = 102, kPromptId = 103 };

struct DialogData {
    const char* title;
    const char* prompt;  // text dialog
    const char* button;  // list dialog
    const std::vector<std::string>* items;
    std::string* result;
};

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* data = DialogRecord<DialogData>(dialog, message, lparam);
    switch (message) {
        case WM_INITDIALOG:
            SetWindowTextA(dialog, data->title);
            if (data->items) {
                for (const std::string& item : *data->items)
                    SendDlgItemMessageA(dialog, kListId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
                SendDlgItemMessageA(dialog, kListId, LB_SETCURSEL, 0, 0);
                SetDlgItemTextA(dialog, IDOK, data->button);
            } else {
                SetDlgItemTextA(dialog, kPromptId, data->prompt);
                SetDlgItemTextA(dialog, kEditId, data->result->c_str());
            }
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == kListId && HIWORD(wparam) == LBN_DBLCLK) wparam = IDOK;
            if (LOWORD(wparam) == IDOK) {
                char text[1024] = "";
                if (data->items) {
                    LRESULT i = SendDlgItemMessageA(dialog, kListId, LB_GETCURSEL, 0, 0);
                    if (i != LB_ERR && SendDlgItemMessageA(dialog, kListId, LB_GETTEXTLEN, i, 0) < (LRESULT)sizeof text)
                        SendDlgItemMessageA(dialog, kListId, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
                } else {
                    GetDlgItemTextA(dialog, kEditId, text, sizeof text);
                }
                *data->result = text;
                EndDialog(dialog, 1);
                return TRUE;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

bool Run(DialogData& data) {
    DialogTemplate t(data.title, 220, 130);
    if (data.items) {
        t.List(8, 8, 204, 90, kListId);
        t.Label(0, 0, 0, 0, "", kPromptId);
    } else {
        t.Label(8, 8, 204, 40, "", kPromptId);
        t.Edit(8, 60, 204, 14, kEditId);
    }
    t.Button(100, 108, 52, 14, IDOK, "OK", true);
    t.Button(160, 108, 52, 14, IDCANCEL, "&Cancel");
    return t.Run(DialogProc, reinterpret_cast<LPARAM>(&data)) == 1;
}

}  // namespace

bool ChooseFromList(const char* title, const char* button, const std::vector<std::string>& items, std::string& chosen) {
    DialogData data{title, nullptr, button, &items, &chosen};
    return Run(data) && !chosen.empty();
}

bool AskText(const char* title, const char* prompt, std::string& text) {
    DialogData data{title, prompt, nullptr, nullptr, &text};
    return Run(data);
}
