#include <windows.h>

#include <string>
#include <vector>

#include "editor/line_history.h"
#include "editor/view_commands_w32.h"
#include "shell/app_state_w32.h"

namespace {

constexpr WORD kNumberField = 101;

// A dialog template built in memory: a drop-down of the recent numbers and OK/Cancel.
class DialogTemplate {
public:
    DialogTemplate(const char* title, short cx, short cy, int items) {
        Align();
        DLGTEMPLATE t{};
        t.style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
        t.cdit = static_cast<WORD>(items);
        t.cx = cx;
        t.cy = cy;
        Put(&t, sizeof t);
        Word(0);  // no menu
        Word(0);  // default class
        Text(title);
        Word(8);
        Text("MS Shell Dlg");
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, const char* text) {
        Align();
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Put(&item, sizeof item);
        Word(0xFFFF);
        Word(atom);
        Text(text);
        Word(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void Put(const void* p, size_t n) {
        const char* c = static_cast<const char*>(p);
        bytes_.insert(bytes_.end(), c, c + n);
    }
    void Word(WORD w) { Put(&w, sizeof w); }
    void Text(const char* s) {
        do Word(static_cast<WORD>(static_cast<unsigned char>(*s)));
        while (*s++);
    }
    void Align() {
        while (bytes_.size() % 4) bytes_.push_back(0);
    }
    std::vector<char> bytes_;
};

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
    DialogTemplate t("Goto line", 150, 62, 4);
    t.Item(SS_LEFT, 7, 9, 40, 10, 0xFFFF, 0x0082, "Line:");
    t.Item(CBS_DROPDOWN | WS_TABSTOP | WS_VSCROLL, 50, 7, 90, 70, kNumberField, 0x0085, "");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 30, 40, 45, 14, IDOK, 0x0080, "OK");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 85, 40, 45, 14, IDCANCEL, 0x0080, "Cancel");
    INT_PTR number = DialogBoxIndirectParamA(g_app->instance, t.Get(), g_app->frame, GoToLineProc, 0);
    if (number > 0) EditorGoToLine(static_cast<int>(number));
}
