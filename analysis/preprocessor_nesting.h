#pragma once
// Conditional compilation as the C scanner follows it: the branches of #if/#else
// usually open or close the same braces, so each branch after the first starts from
// the depth at the #if and the #endif keeps the depth the first branch reached.
// "#if 0" blocks are dead text and skipped.
#include <cstdint>

#include "analysis/char_reader.h"

struct PreprocessorNesting {
    static constexpr int kLevels = 64;
    struct Level {
        int32_t braces_at_if, parens_at_if, braces_after_first;
        bool in_else;
    };
    Level levels[kLevels];
    int depth = 0;  // may exceed kLevels; deeper levels are only counted
};

// Called with the reader just after a '#'. Adjusts the depths for #if, #elif, #else
// and #endif at the start of a line and skips the directive with its continuation
// lines (and a whole "#if 0" block up to its #else, #elif or #endif).
// Returns which kind of directive it was. With `skip_dead` false, "#if 0" blocks are
// read like any other.
enum class DirectiveKind { If, Else, Endif, Other };
DirectiveKind FollowDirective(PreprocessorNesting* n, CharReader* r, int32_t* braces, int32_t* parens,
                              bool skip_dead = true);

// Skips lines up to and including the #endif that closes the current conditional.
void SkipToEndif(CharReader* r);

// The directive word after the '#' at the reader (blanks skipped), or an empty view
// when the '#' does not start its line.
struct DirectiveWord {
    const char* text = nullptr;
    int32_t length = 0;
    int32_t end_column = 0;  // column after the word
};
DirectiveWord ReadDirectiveWord(const CharReader& r);
inline bool IsDirective(const DirectiveWord& w, const char* name, int32_t n) {
    if (w.length != n) return false;
    for (int32_t i = 0; i < n; ++i)
        if (w.text[i] != name[i]) return false;
    return true;
}
