#pragma once
// Bookmarks: marked lines, newest first, one of them current. A bookmarked line
// carries line mark 4; the text changes move bookmarks along with their lines.
#include <cstdint>
#include <string>

#include "editor/text_document.h"

inline constexpr uint8_t kMarkBookmark = 4;
inline constexpr uint8_t kMarkBreakpoint = 0x40;
inline constexpr uint8_t kMarkExecution = 0x80;

struct Bookmark {
    TextLine* line;
    TextDocument* doc;
    void* view;
    uint16_t tag;
};

// Sets a bookmark on the line (updating the tag of one already there); it becomes current.
void SetBookmark(TextDocument* doc, TextLine* line, void* view, uint16_t tag);
// The next bookmark after the current one, from the last back to the first; null when none.
const Bookmark* NextBookmark();
const Bookmark* CurrentBookmark();
int BookmarkCount();
const Bookmark* BookmarkAt(int index);  // 0 the newest
void DeleteBookmark(int index);
// Makes the bookmark current, so that Goto next goes on from it.
void SelectBookmark(int index);
// The bookmark's row in the bookmark list: "name:line: text" with the file's short
// name, the line's number and its text.
std::string BookmarkLabel(const Bookmark& b);
// The bookmark with this tag, or null.
const Bookmark* FindBookmarkTag(uint16_t tag);
void DeleteDocumentBookmarks(const TextDocument* doc);

// Called by the text changes.
void BookmarksLineMoved(TextLine* old_line, TextLine* new_line);
void BookmarksLineDeleted(TextLine* line);
