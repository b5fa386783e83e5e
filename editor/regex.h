#pragma once
// Regular expressions of the editor's own dialect, used by Find/Replace and the
// multi-file search.
//
// Syntax: alternatives separated by '|'; a piece is an atom with at most one of
// '*', '+', '?'. Atoms: '^' line start, '$' line end, '.' any character, '[set]'
// (leading '^' negates, a leading ']' or '-' and a '-' before ']' are literal, 'a-z'
// ranges), '(' ... ')' group (at most nine), '\c' the character c literally, and runs
// of other characters. A repeat after a run of several characters applies to its
// last character only. The meta characters are ^ $ . [ ( ) | ? + * and backslash.
//
// Matching is leftmost, with the greedy, first-alternative-first choice of a
// backtracking matcher, but runs as a Pike VM: time is linear in the line length
// times the program size, so no pattern can hang the caller.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kRegexGroups = 10;  // the whole match and groups 1 to 9

enum class RegexOp : uint8_t { Match, LineStart, LineEnd, WordStart, WordEnd, Any, Char, Set, Split, Jump, Save };

struct RegexInstruction {
    RegexOp op;
    uint8_t ch;    // Char
    int16_t slot;  // Save: 2 * group (+1 for the end)
    int x, y;      // Split: preferred and other target; Jump: x; Set: index of the set
};

using RegexSet = std::array<uint64_t, 4>;  // one bit per byte value

struct CompiledRegex {
    std::vector<RegexInstruction> program;
    std::vector<RegexSet> sets;
    int group_count = 0;    // groups 1..group_count exist
    bool anchored = false;  // every match starts at column 0
    int first_char = -1;    // every match starts with this byte (after case folding), or -1
    std::string required;   // every match contains this literal (folded when ignoring case)
    std::string source;
    bool ignore_case = false;  // letters a-z compare as A-Z
};

struct RegexMatch {
    int start[kRegexGroups];  // -1 for a group that took no part
    int end[kRegexGroups];
};

// Compiles pattern; on a malformed pattern shows the error (ids 4553-4558 and the
// messages named in regex_compile.cpp) and returns false.
bool CompileRegex(const char* pattern, bool ignore_case, CompiledRegex* out);

// Makes every match a whole word: no identifier character (letters, digits, '_') just
// before or just after it. The check is part of the one pass over the line, so it
// adds no retries.
void RequireWholeWords(CompiledRegex* re);

// Finds the leftmost match starting at or after column `from` in text[0, length).
// '^' matches only at column 0 and '$' only at `length`. Fills the groups when
// `match` is given.
bool ExecuteRegex(const CompiledRegex& re, const char* text, int length, int from, RegexMatch* match);

// The editor's wrapper: the column of the leftmost match at or after `from`, with its
// length in *match_length, or -1.
int FindRegexInLine(const CompiledRegex& re, const char* text, int length, int from, int* match_length);
