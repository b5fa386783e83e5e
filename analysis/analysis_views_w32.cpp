#include "analysis/analysis_views_w32.h"

#include <windows.h>

#include "editor/edit_window_w32.h"
#include "editor/view_commands_w32.h"
#include "shell/dialog_template_w32.h"
#include "shell/frame_w32.h"

namespace {

constexpr WORD kRows = 101;
constexpr WORD kText = 101;

struct RowsData {
    const std::vector<std::string>* rows;
    int selected;
};

INT_PTR CALLBACK ChooseRowProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    HWND list = GetDlgItem(dialog, kRows);
    switch (message) {
        case WM_INITDIALOG: {
            const RowsData* data = reinterpret_cast<const RowsData*>(lparam);
            const int stops[] = {90, 120};
            SendMessageA(list, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops));
            for (const std::string& r : *data->rows) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(r.c_str()));
            SendMessageA(list, LB_SETCURSEL, data->selected, 0);
            SetFocus(list);
            return FALSE;
        }
        case WM_COMMAND: {
            const WORD id = LOWORD(wparam);
            if (id == IDOK || (id == kRows && HIWORD(wparam) == LBN_DBLCLK)) {
                LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
                EndDialog(dialog, row == LB_ERR ? 0 : row + 1);
                return TRUE;
            }
            if (id == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

struct TextData {
    std::string* text;
    int limit;
};

INT_PTR CALLBACK AskTextProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        const TextData* data = reinterpret_cast<const TextData*>(lparam);
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        SendDlgItemMessageA(dialog, kText, EM_LIMITTEXT, data->limit, 0);
        SetDlgItemTextA(dialog, kText, data->text->c_str());
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wparam) == IDOK) {
        const TextData* data = reinterpret_cast<const TextData*>(GetWindowLongPtrA(dialog, DWLP_USER));
        std::vector<char> buffer(data->limit + 1);
        GetDlgItemTextA(dialog, kText, buffer.data(), data->limit + 1);
        *data->text = buffer.data();
        EndDialog(dialog, 1);
        return TRUE;
    }
    if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

TextDocument* CurrentDocument(int* caret_line) {
    EditWindow* v = CurrentView();
    if (!v || !v->cursor.doc) {
        MessageBeep(MB_OK);
        return nullptr;
    }
    if (caret_line) *caret_line = v->cursor.caret.number;
    return v->cursor.doc;
}

bool ShowDocumentLine(const char* path, int line) {
    EditWindow* v = CurrentView();
    if ((!v || _stricmp(v->cursor.doc->name, path) != 0) && !OpenNamedFile(path, false)) return false;
    return EditorGoToLine(line);
}

int ChooseRow(const char* title, const std::vector<std::string>& rows, int selected) {
    DialogTemplate t(title, 220, 170);
    t.List(7, 7, 206, 136, kRows, LBS_NOTIFY | LBS_USETABSTOPS);
    t.OkCancel(56, 150);
    RowsData data{&rows, selected < 0 ? 0 : selected};
    INT_PTR row = t.Run(ChooseRowProc, reinterpret_cast<LPARAM>(&data));
    return row > 0 ? static_cast<int>(row) - 1 : -1;
}

bool AskText(const char* title, const char* label, std::string* text, int limit) {
    DialogTemplate t(title, 200, 62);
    t.Label(7, 9, 60, 10, label);
    t.Edit(70, 7, 123, 12, kText);
    t.OkCancel(44, 40);
    TextData data{text, limit};
    return t.Run(AskTextProc, reinterpret_cast<LPARAM>(&data)) == 1;
}
