#pragma once
// The rules of the Search (1700) and Search and replace (3700) dialogs and of Find
// Next / Find Previous over the FindFlags, and the search state kept for the whole run.
// The Win32 dialog procedures call these when a control is chosen or Search pressed.
#include <string>
#include <vector>

#include "editor/find_flags.h"

inline constexpr size_t kSearchTextLimit = 127;  // search and replacement texts

struct SearchState {
    FindFlags flags = kFindCurrentWindow | kFindExact | kFindForwards;  // loaded from "FindFlags"
    std::string text, replacement;
    std::vector<std::string> history;  // search texts entered, newest first
    int last_length = 0;               // of the last match
    int last_number = 0, last_column = 0;
    int replacements = 0;              // made by the last replace
};

// Regular expression: forwards and case sensitive; no exact, ignore case, backwards, wrap.
FindFlags ChooseRegularExpression(FindFlags flags);
// Exact text: no regular expression, no similar words.
FindFlags ChooseExact(FindFlags flags);
// Similar words: forwards; no regular expression, exact text or backwards.
FindFlags ChooseSimilarWords(FindFlags flags);
// Wrap also keeps to the current window.
FindFlags ChooseWrap(FindFlags flags);
// Replace by function: current window, forwards, whole words; no all windows, backwards, wrap.
FindFlags ChooseByFunction(FindFlags flags);

// Find Next: without wrap forwards (not backwards); with wrap the current window only.
FindFlags FindNextFlags(FindFlags flags);
// Find Previous: backwards.
FindFlags FindPreviousFlags(FindFlags flags);

// Pressing Search: an empty text gives id 1214 "Empty search string?", no direction id
// 1215 "Direction ?" (the dialog stays open). Otherwise the text (cut to 127
// characters) and flags become the state's and the text enters the history.
bool AcceptSearch(SearchState* state, const std::string& text, FindFlags flags);

// The selection offered as search text when a dialog opens: only a selection inside
// one line that holds no blank; else "".
std::string SelectionAsSearchText(const char* line, int length, int start, int end);

// A control of the search dialogs and the FindFlags bit it shows. Radio buttons of one
// group exclude each other's bits; an inverted control is checked while its bit is
// clear ("Case sensitive", "Search iconized windows"). The place is in dialog units.
struct FlagControl {
    uint16_t id;
    const char* text;
    FindFlags bit;
    int group;  // 0: a check box
    bool inverted;
    short x, y, cx;
};

bool FlagControlChecked(const FlagControl& control, FindFlags flags);

// The flags after the control `id` was clicked, with the rules above for the kind of
// match, wrap and replace by function. Unknown ids change nothing.
FindFlags ClickFlagControl(const FlagControl* controls, int count, uint16_t id, FindFlags flags);
