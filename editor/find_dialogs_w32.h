#pragma once
// The dialogs of Find and Replace: 1700 "Search", 3700 "Search and replace" and the
// confirmation 3800 "Replace".
#include <windows.h>

#include <string>

#include "editor/document_search.h"
#include "editor/line_matcher.h"
#include "editor/search_options.h"

// Shows "Search" with `initial` (or the last text) in the text field. On "Search" the
// text and flags become the state's and the matcher is prepared; an empty text, no
// direction or a malformed expression is reported and the dialog stays open. False when
// cancelled.
bool RunSearchDialog(SearchState* state, const std::string& initial, LineMatcher* matcher);

// Shows "Search and replace" the same way, with the replacement and, for replace by
// function, the lines of the chosen function in *bounds (the document's functions are
// listed, the one holding `caret_line` preselected).
bool RunReplaceDialog(SearchState* state, const std::string& initial, TextDocument* doc, int caret_line,
                      LineMatcher* matcher, SearchBounds* bounds);

// Dialog 3800 for one match, placed above or below the caret of `view` so that it does
// not cover the match: Yes, No, All or Cancel (closing it cancels).
ReplaceAnswer AskReplace(HWND view, const std::string& found);
