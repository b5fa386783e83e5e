#pragma once
// One search as the Find and Replace commands run it on a line: exact text (with
// ignore case and whole words), a regular expression, or similar words, chosen by
// the FindFlags. Dialogs prepare one from their fields; the document searches and
// the replace use it line by line.
#include <string>
#include <utility>
#include <vector>

#include "editor/find_flags.h"
#include "editor/regex.h"

struct LineMatcher {
    FindFlags flags = 0;
    std::string text;
    CompiledRegex regex;  // when flags has kFindRegularExpression
};

// Empty text shows "Empty search string?"; a malformed expression shows the
// compiler's message. Both return false.
bool PrepareLineMatcher(const char* text, FindFlags flags, LineMatcher* out);

// The leftmost match starting at or after `from`, or -1. For a regular expression an
// empty match at the end of the line does not count.
int MatchForward(const LineMatcher& matcher, const char* line, int length, int from, int* match_length);

// The match starting before `before` nearest to it, or -1.
int MatchBackward(const LineMatcher& matcher, const char* line, int length, int before, int* match_length);

// The matches a replace takes from one line, left to right, starting at `from`: they
// do not overlap, an empty match right after the previous match is skipped, and after
// an empty match the search moves one character on. Pairs are (column, length).
using LineMatches = std::vector<std::pair<int, int>>;
void CollectLineMatches(const LineMatcher& matcher, const char* line, int length, int from, LineMatches* out);

// The line with every listed match replaced by `replacement`, inserted literally.
std::string ReplaceMatches(const char* line, int length, const LineMatches& matches, const std::string& replacement);
