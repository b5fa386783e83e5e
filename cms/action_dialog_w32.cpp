#include "cms/action_dialog_w32.h"

#include "shell/dialog_template_w32.h"

namespace {

INT_PTR CALLBACK ActionProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* d = DialogRecord<ActionDialog>(dialog, message, lparam);
    switch (message) {
        case WM_INITDIALOG:
            d->fill(dialog, d->data);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == d->action) d->act(dialog, d->data);
            else if (LOWORD(wparam) == IDCANCEL || LOWORD(wparam) == IDOK) EndDialog(dialog, 0);
            else return FALSE;
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void RunActionDialog(DialogTemplate& layout, ActionDialog& dialog) {
    layout.Run(ActionProc, reinterpret_cast<LPARAM>(&dialog));
}
