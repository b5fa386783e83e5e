// Find (1137), Find Next (1135), Find Previous (1136) and Replace (1120) on the editor
// windows, with the search state kept for the whole run.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "editor/edit_window_w32.h"
#include "editor/find_command.h"
#include "editor/find_dialogs_w32.h"
#include "shell/app_state_w32.h"
#include "shell/dispatch.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"
#include "shell/settings_w32.h"

namespace {

SearchState g_search;
LineMatcher g_matcher;  // the last search's, compiled once
bool g_prepared = false;

void Show(EditWindow* v) {
    v->repaint_flags |= kRepaintAll;
    RefreshView(v);
}

std::string SelectedText(const EditCursor& c) {
    if (!HasSelection(&c) || c.anchor.line != c.caret.line) return "";
    return SelectionAsSearchText(c.caret.line->text, c.caret.line->length, c.anchor.column, c.caret.column);
}

void Remember(const EditWindow* v) {
    g_config.find_flags = g_search.flags;
    g_search.last_number = v->cursor.anchor.number;
    g_search.last_column = v->cursor.anchor.column;
}

// The other windows in turn after `from`, each searched from its first line (or its
// end); minimized ones only when asked. The window with the match becomes active.
bool FindInOtherViews(EditWindow* from) {
    std::vector<EditWindow*> order;
    for (EditWindow* v = from->next; v; v = v->next) order.push_back(v);
    for (EditWindow* v = FirstView(); v && v != from; v = v->next) order.push_back(v);
    for (EditWindow* v : order) {
        if (v->cursor.doc == from->cursor.doc) continue;
        if ((g_search.flags & kFindSkipMinimized) && IsIconic(v->window)) continue;
        if (!FindFromDocumentEdge(&v->cursor, g_matcher)) continue;
        SendMessageA(g_app->mdi_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(v->window), 0);
        Show(v);
        Remember(v);
        return true;
    }
    return false;
}

void SearchAndShow(EditWindow* v, bool again) {
    if (FindFromCursor(&v->cursor, g_matcher, again)) {
        Show(v);
        Remember(v);
        return;
    }
    if ((g_search.flags & kFindAllWindows) && FindInOtherViews(v)) return;
    StringNotFound();
}

void Find() {
    EditWindow* v = CurrentView();
    if (!v) return;
    if (!RunSearchDialog(&g_search, SelectedText(v->cursor), &g_matcher)) {
        MessageBeep(MB_OK);
        return;
    }
    g_prepared = true;
    MarkSearchStart(&v->cursor);
    DropSelection(&v->cursor);
    SearchAndShow(v, false);
}

void Repeat(FindFlags (*direction)(FindFlags)) {
    EditWindow* v = CurrentView();
    if (!v) return;
    if (!g_prepared) {
        Find();
        return;
    }
    g_search.flags = direction(g_search.flags);
    g_matcher.flags = g_search.flags;
    SearchAndShow(v, true);
}

struct ConfirmContext {
    EditWindow* view;
    TextPosition limit;  // backwards: only matches before it
    bool limited;
};

bool BeforeLimit(const ConfirmContext& c, int number, int column) {
    return !c.limited || number < c.limit.number || (number == c.limit.number && column < c.limit.column);
}

ReplaceAnswer ConfirmInView(void* context, const DocumentMatch& m) {
    auto* c = static_cast<ConfirmContext*>(context);
    if (!BeforeLimit(*c, m.number, m.column)) return ReplaceAnswer::No;
    SelectMatch(&c->view->cursor, m);
    Show(c->view);
    int shown = std::min(m.length, m.line->length - m.column);
    return AskReplace(c->view->window, std::string(m.line->text + m.column, shown > 0 ? shown : 0));
}

// One window's replace: from the caret (the first line for the other windows); with
// Backwards, the matches before the caret. The caret goes back to where it was, and
// all the changes are one undo step. The count, or -1 when a change failed.
int ReplaceInView(EditWindow* v, bool from_first_line, const SearchBounds& bounds) {
    EditCursor* c = &v->cursor;
    TextPosition caret = c->caret;
    bool backwards = (g_matcher.flags & kFindBackwards) && !(g_matcher.flags & kFindWrap);
    TextPosition start = from_first_line || backwards ? StartOf(c->doc) : caret;
    ConfirmContext context{v, caret, backwards};
    std::vector<Replacement> found =
        CollectReplacements(c->doc, g_matcher, start.number, start.column, ConfirmInView, &context, bounds);
    found.erase(std::remove_if(found.begin(), found.end(),
                               [&](const Replacement& r) { return !BeforeLimit(context, r.number, r.column); }),
                found.end());
    c->caret = caret;  // the document is not changed yet, so the line is still live
    DropSelection(c);
    if (found.empty()) return 0;
    return ApplyReplacements(c->doc, found, g_search.replacement, c) ? static_cast<int>(found.size()) : -1;
}

void Replace() {
    EditWindow* current = CurrentView();
    if (!current) return;
    SearchBounds bounds;
    if (!RunReplaceDialog(&g_search, SelectedText(current->cursor), current->cursor.doc, current->cursor.caret.number,
                          &g_matcher, &bounds)) {
        MessageBeep(MB_OK);
        return;
    }
    g_prepared = true;
    g_config.find_flags = g_search.flags;
    int total = 0;
    if (g_search.flags & kFindAllWindows) {
        std::vector<TextDocument*> done;
        for (EditWindow* v = FirstView(); v && total >= 0; v = v->next) {
            if (std::find(done.begin(), done.end(), v->cursor.doc) != done.end()) continue;
            done.push_back(v->cursor.doc);
            int n = ReplaceInView(v, v != current, {});
            total = n < 0 ? -1 : total + n;
            Show(v);
        }
    } else {
        total = ReplaceInView(current, false, bounds);
        Show(current);
    }
    g_search.replacements = total;
    if (total > 0) ShowStatus(FormatText(MessageText(4003), total));
    else if (total == 0) StringNotFound();
}

}  // namespace

void InstallFindCommands() {
    g_search.flags = static_cast<FindFlags>(g_config.find_flags);
    SetCommandHandler(1137, Find);
    SetCommandHandler(1135, [] { Repeat(FindNextFlags); });
    SetCommandHandler(1136, [] { Repeat(FindPreviousFlags); });
    SetCommandHandler(1120, Replace);
}
