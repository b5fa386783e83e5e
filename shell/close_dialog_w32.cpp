#include "shell/close_dialog_w32.h"

#include <windows.h>

#include <vector>

#include "editor/text_document.h"
#include "shell/app_state_w32.h"

namespace {

constexpr int kModifiedDialog = 8200;
constexpr int kModifiedList = 101;
constexpr int kSaveAll = 102;
constexpr int kDiscard = 103;

INT_PTR CALLBACK ModifiedProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        for (const TextDocument* doc : *reinterpret_cast<const std::vector<TextDocument*>*>(lparam))
            SendDlgItemMessageA(dialog, kModifiedList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(doc->name));
        return TRUE;
    }
    if (message == WM_COMMAND) {
        int id = LOWORD(wparam);
        if (id == kSaveAll || id == kDiscard || id == IDCANCEL) {
            EndDialog(dialog, id);
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

bool AskToSaveModifiedDocuments() {
    std::vector<TextDocument*> modified;
    for (TextDocument* doc = FirstDocument(); doc; doc = doc->next)
        if (IsModified(doc) && !(doc->flags & kDocInternal)) modified.push_back(doc);
    if (modified.empty()) return true;
    INT_PTR choice = DialogBoxParamA(g_app->instance, MAKEINTRESOURCEA(kModifiedDialog), g_app->frame, ModifiedProc,
                                     reinterpret_cast<LPARAM>(&modified));
    if (choice == kSaveAll) {
        for (TextDocument* doc : modified)
            if (!SaveDocument(doc)) return false;  // reported; the close is refused
        return true;
    }
    if (choice != kDiscard) return false;
    for (TextDocument* doc : modified) doc->flags &= ~kDocModified;  // the windows close without asking again
    return true;
}
