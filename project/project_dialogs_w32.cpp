#include "project/project_dialogs_w32.h"

#include <windows.h>

#include "shell/app_state_w32.h"

namespace {

enum : int { kListId = 101, kEditId = 102, kPromptId = 103 };

struct DialogData {
    const char* title;
    const char* prompt;  // text dialog
    const char* button;  // list dialog
    const std::vector<std::string>* items;
    std::string* result;
};

// A DLGTEMPLATE with its items, word-aligned as the dialog manager wants.
class TemplateWriter {
public:
    void Word(WORD w) { bytes_.push_back(w); }
    void Text(const char* s) {
        for (; *s; ++s) Word(static_cast<WORD>(static_cast<unsigned char>(*s)));
        Word(0);
    }
    void Align() {
        if (bytes_.size() % 2) Word(0);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls, const char* text) {
        Align();
        DLGITEMTEMPLATE item{style | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy, id};
        Raw(&item, sizeof item);
        Word(0xFFFF);
        Word(cls);
        Text(text);
        Word(0);
    }
    void Raw(const void* p, size_t n) {
        const WORD* w = static_cast<const WORD*>(p);
        bytes_.insert(bytes_.end(), w, w + n / 2);
    }
    DLGTEMPLATE* Data() { return reinterpret_cast<DLGTEMPLATE*>(bytes_.data()); }

private:
    std::vector<WORD> bytes_;
};

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* data = reinterpret_cast<DialogData*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            data = reinterpret_cast<DialogData*>(lparam);
            SetWindowLongPtrA(dialog, DWLP_USER, lparam);
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
    TemplateWriter t;
    DLGTEMPLATE head{DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 4, 0, 0, 220, 130};
    t.Raw(&head, sizeof head);
    t.Word(0);
    t.Word(0);
    t.Text(data.title);
    t.Word(8);
    t.Text("MS Sans Serif");
    if (data.items) {
        t.Item(WS_BORDER | WS_VSCROLL | LBS_NOTIFY | WS_TABSTOP, 8, 8, 204, 90, kListId, 0x0083, "");
        t.Item(SS_LEFT, 0, 0, 0, 0, kPromptId, 0x0082, "");
    } else {
        t.Item(SS_LEFT, 8, 8, 204, 40, kPromptId, 0x0082, "");
        t.Item(WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 8, 60, 204, 14, kEditId, 0x0081, "");
    }
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 100, 108, 52, 14, IDOK, 0x0080, "OK");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 160, 108, 52, 14, IDCANCEL, 0x0080, "&Cancel");
    HWND owner = g_app ? g_app->frame : nullptr;
    return DialogBoxIndirectParamA(g_app ? g_app->instance : GetModuleHandleA(nullptr), t.Data(), owner, DialogProc,
                                   reinterpret_cast<LPARAM>(&data)) == 1;
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
