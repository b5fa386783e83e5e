#pragma once
// The Find commands on one editor cursor: the search from the caret with the match
// becoming the selection, and the bookmark that keeps the place a search left.
#include "editor/document_search.h"
#include "editor/edit_cursor.h"

inline constexpr uint16_t kSearchStartTag = 15;

// Searches from the caret (backwards: from the start of the selection, so the current
// match is not found again) and selects the match, anchor at its start and caret at its
// end. `again` (Find Next / Previous) passes over an empty match right at the caret, so
// repeating an expression such as "x*" moves on. False, the cursor unchanged, when
// nothing is found.
bool FindFromCursor(EditCursor* cursor, const LineMatcher& matcher, bool again, const SearchBounds& bounds = {});

// The same from the document's first line (forwards) or its end (backwards), for the
// search in the other windows.
bool FindFromDocumentEdge(EditCursor* cursor, const LineMatcher& matcher);

// The match becomes the selection: anchor at its start, caret at its end.
void SelectMatch(EditCursor* cursor, const DocumentMatch& match);

// Bookmark tag 15 at the caret line, replacing the previous one; a line that already
// has a bookmark keeps it as it is.
void MarkSearchStart(EditCursor* cursor);
