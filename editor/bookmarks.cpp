#include "editor/bookmarks.h"

#include <vector>

namespace {

std::vector<Bookmark> g_marks;  // newest first
int g_current = -1;

void Remove(size_t i) {
    g_marks[i].line->flags &= static_cast<uint8_t>(~kMarkBookmark);
    g_marks.erase(g_marks.begin() + static_cast<long>(i));
    if (g_current >= static_cast<int>(i)) --g_current;
    if (g_current < 0 && !g_marks.empty()) g_current = 0;
}

}  // namespace

void SetBookmark(TextDocument* doc, TextLine* line, void* view, uint16_t tag) {
    for (size_t i = 0; i < g_marks.size(); ++i)
        if (g_marks[i].line == line) {
            g_marks[i].tag = tag;
            g_current = static_cast<int>(i);
            return;
        }
    g_marks.insert(g_marks.begin(), Bookmark{line, doc, view, tag});
    line->flags |= kMarkBookmark;
    g_current = 0;
}

const Bookmark* NextBookmark() {
    if (g_marks.empty()) return nullptr;
    g_current = (g_current + 1) % static_cast<int>(g_marks.size());
    return &g_marks[static_cast<size_t>(g_current)];
}

const Bookmark* CurrentBookmark() { return g_current >= 0 ? &g_marks[static_cast<size_t>(g_current)] : nullptr; }
int BookmarkCount() { return static_cast<int>(g_marks.size()); }

const Bookmark* BookmarkAt(int index) {
    return index >= 0 && index < BookmarkCount() ? &g_marks[static_cast<size_t>(index)] : nullptr;
}

void DeleteBookmark(int index) {
    if (index >= 0 && index < BookmarkCount()) Remove(static_cast<size_t>(index));
}

void SelectBookmark(int index) {
    if (index >= 0 && index < BookmarkCount()) g_current = index;
}

const Bookmark* FindBookmarkTag(uint16_t tag) {
    for (const Bookmark& b : g_marks)
        if (b.tag == tag) return &b;
    return nullptr;
}

void DeleteDocumentBookmarks(const TextDocument* doc) {
    for (size_t i = g_marks.size(); i-- > 0;)
        if (g_marks[i].doc == doc) Remove(i);
}

void BookmarksLineMoved(TextLine* old_line, TextLine* new_line) {
    for (Bookmark& b : g_marks)
        if (b.line == old_line) b.line = new_line;
}

void BookmarksLineDeleted(TextLine* line) {
    for (size_t i = g_marks.size(); i-- > 0;)
        if (g_marks[i].line == line) Remove(i);
}

std::string BookmarkLabel(const Bookmark& b) {
    return std::string(ShortFileName(b.doc->name)) + ":" + std::to_string(LineNumber(b.doc, b.line)) + ": " +
           std::string(b.line->text, static_cast<size_t>(b.line->length));
}
