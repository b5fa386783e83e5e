#pragma once
// Find and Replace over a TextDocument, as the Find (1137), Find Next (1135), Find
// Previous (1136) and Replace (1120) commands run them after their dialogs.
//
// Positions are line numbers (from 1) and columns. The matcher (line_matcher.h) holds
// the text and the FindFlags: kFindBackwards searches backwards, kFindWrap goes on past
// the end (or the start) of the document round to the start position.
//
// Find Next passes the caret, which stands at the end of the last match. Find Previous
// passes the start of the selection, so the current match is not found again.
#include <string>
#include <vector>

#include "editor/edit_cursor.h"
#include "editor/line_matcher.h"
#include "editor/text_document.h"

struct DocumentMatch {
    TextLine* line = nullptr;  // where the match starts
    int number = 0;
    int column = 0;
    int length = 0;  // characters, a line end counting as one (exact text holding LF)
};

// Lines a search keeps to (replace by function, kFindByFunction); 0 for either end
// means the document's.
struct SearchBounds {
    int first = 0, last = 0;
};

// Forwards: the first match starting at or after (number, column). Backwards: the
// nearest match starting before it. An exact text holding LF matches across line
// ends (its pieces must end and start lines). False when there is none.
bool FindInDocument(const TextDocument* doc, const LineMatcher& matcher, int number, int column, DocumentMatch* out,
                    const SearchBounds& bounds = {});

enum class ReplaceAnswer { Yes, No, All, Cancel };
// Asked for each match when the flags hold kFindConfirm (dialog 3800). The document is
// not yet changed when it is asked, so the match can be selected and shown.
using ConfirmReplace = ReplaceAnswer (*)(void* context, const DocumentMatch& match);

struct Replacement {
    TextLine* line;  // valid until the document changes
    int number;
    int column;
    int length;
};

// The matches a replace changes, in the order they are met from (number, column)
// forwards, round from the first line when the flags hold kFindWrap. Within a line
// they do not overlap; after an empty match the search moves one character on, and an
// empty match right after a replaced one is skipped. No moves one character on;
// Cancel stops. Matches spanning lines are not replaced.
std::vector<Replacement> CollectReplacements(const TextDocument* doc, const LineMatcher& matcher, int number,
                                             int column, ConfirmReplace confirm, void* context,
                                             const SearchBounds& bounds = {});

// Every change of a replace goes through here, as deletions and insertions of the
// editing core (edit_text.h), so cursors and bookmarks follow and the journal records
// them; with `series` (the cursor of the window replaced in) they form one undo step.
// Checks first that no line would grow beyond the longest line (id 4001 "Line too
// long!", nothing changed); stops after the out-of-memory box.
bool ApplyReplacements(TextDocument* doc, const std::vector<Replacement>& replacements, const std::string& replacement,
                       const EditCursor* series = nullptr);

// The replace of the current document: collects, applies, and reports "%d
// substitutions" (id 4003) on the status line or "String not found". Returns the
// number of replacements, -1 on failure.
int ReplaceInDocument(TextDocument* doc, const LineMatcher& matcher, const std::string& replacement, int number,
                      int column, ConfirmReplace confirm, void* context, const SearchBounds& bounds = {},
                      const EditCursor* series = nullptr);
