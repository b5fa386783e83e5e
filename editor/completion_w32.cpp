// Command 1280 (Esc in an editor window): completes the identifier before the caret,
// offering the candidates in a pop-up menu at the caret, or in a list dialog when
// there are many.
#include <windows.h>

#include "editor/choice_list_w32.h"
#include "editor/completion.h"
#include "editor/view_commands_w32.h"
#include "editor/edit_window_w32.h"
#include "shell/dispatch.h"

namespace {

std::string ChooseFromMenu(EditWindow* v, const std::vector<std::string>& names) {
    HMENU menu = CreatePopupMenu();
    for (size_t i = 0; i < names.size(); ++i) AppendMenuA(menu, MF_STRING, i + 1, names[i].c_str());
    POINT at{};
    GetCaretPos(&at);
    at.y += 16;
    ClientToScreen(v->window, &at);
    UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN, at.x, at.y, 0, v->window, nullptr));
    DestroyMenu(menu);
    return chosen >= 1 && chosen <= names.size() ? names[chosen - 1] : std::string();
}

void CompleteIdentifier() {
    EditWindow* v = CurrentView();
    if (!v) return;
    Completion c = CompletionAt(v->cursor.doc, v->cursor.caret);
    std::string chosen;
    if (c.candidates.size() == 1) {
        chosen = c.candidates[0];
    } else if (c.candidates.size() > 1 && c.candidates.size() < kCompletionMenuLimit) {
        chosen = ChooseFromMenu(v, c.candidates);
    } else if (!c.candidates.empty()) {
        int i = ChooseFromList("Completion", c.candidates);
        if (i >= 0) chosen = c.candidates[static_cast<size_t>(i)];
    }
    if (c.candidates.empty()) MessageBeep(MB_ICONEXCLAMATION);
    if (chosen.empty() || !InsertCompletion(&v->cursor, c, chosen)) return;
    v->repaint_flags |= kRepaintCaretRow;
    RefreshView(v);
}

}  // namespace

void InstallCompletion() { SetCommandHandler(kCompletionCommand, CompleteIdentifier); }
