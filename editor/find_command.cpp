#include "editor/find_command.h"

#include "editor/bookmarks.h"

void SelectMatch(EditCursor* c, const DocumentMatch& m) {
    c->anchor = TextPosition{m.line, m.number, m.column};
    TextPosition end = c->anchor;
    for (int i = 0; i < m.length && StepRight(c->doc, &end); ++i) {
    }
    c->caret = end;
}

namespace {

bool FindFrom(EditCursor* c, const LineMatcher& m, TextPosition from, bool again, const SearchBounds& bounds) {
    DocumentMatch found;
    if (!FindInDocument(c->doc, m, from.number, from.column, &found, bounds)) return false;
    bool backwards = m.flags & kFindBackwards;
    if (again && !backwards && found.length == 0 && found.number == from.number && found.column == from.column) {
        TextPosition next = from;
        if (!StepRight(c->doc, &next) ||
            !FindInDocument(c->doc, m, next.number, next.column, &found, bounds))
            return false;
        if (found.length == 0 && found.number == from.number && found.column == from.column) return false;  // wrapped round
    }
    SelectMatch(c, found);
    return true;
}

}  // namespace

bool FindFromCursor(EditCursor* c, const LineMatcher& m, bool again, const SearchBounds& bounds) {
    TextPosition from = c->caret;
    TextPosition start, end;
    if ((m.flags & kFindBackwards) && SelectionRange(c, &start, &end)) from = start;
    return FindFrom(c, m, from, again, bounds);
}

bool FindFromDocumentEdge(EditCursor* c, const LineMatcher& m) {
    TextPosition from = (m.flags & kFindBackwards) ? EndOf(c->doc) : StartOf(c->doc);
    return FindFrom(c, m, from, false, {});
}

void MarkSearchStart(EditCursor* c) {
    if (IsHead(c->doc, c->caret)) return;
    const Bookmark* old = FindBookmarkTag(kSearchStartTag);
    if (old && old->line == c->caret.line) return;
    for (int i = 0; old && i < BookmarkCount(); ++i)
        if (BookmarkAt(i) == old) DeleteBookmark(i);
    if (!(c->caret.line->flags & kMarkBookmark)) SetBookmark(c->doc, c->caret.line, c->window, kSearchStartTag);
}
