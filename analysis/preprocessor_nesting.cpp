#include "analysis/preprocessor_nesting.h"

#include "editor/char_class.h"

namespace {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Whether the rest of the line after column `c` is the condition "0".
bool IsZeroCondition(const LineView& l, int32_t c) {
    while (c < l.length && IsBlank(l.text[c])) ++c;
    if (c >= l.length || l.text[c] != '0') return false;
    ++c;
    while (c < l.length && IsBlank(l.text[c])) ++c;
    return c >= l.length || l.text[c] == '/';
}

// Skips the lines of a dead branch. Returns true when it stopped at an #else or #elif
// (when `stop_at_else`: the branch after it is live), false at the #endif or the end.
bool SkipBranch(CharReader* r, bool stop_at_else) {
    int nested = 0;
    for (++r->line; r->line < r->src.count; ++r->line) {
        r->column = 0;
        const LineView& l = CurrentLine(*r);
        int32_t c = 0;
        while (c < l.length && IsBlank(l.text[c])) ++c;
        if (c >= l.length || l.text[c] != '#') continue;
        r->column = c + 1;
        DirectiveWord w = ReadDirectiveWord(*r);
        if (w.length >= 2 && w.text[0] == 'i' && w.text[1] == 'f') {
            ++nested;
        } else if (IsDirective(w, "endif", 5)) {
            if (nested-- == 0) {
                SkipPreprocessorLine(r);
                return false;
            }
        } else if (stop_at_else && nested == 0 && (IsDirective(w, "else", 4) || IsDirective(w, "elif", 4))) {
            SkipPreprocessorLine(r);
            return true;
        }
    }
    r->column = 0;
    return false;
}

}  // namespace

void SkipToEndif(CharReader* r) { SkipBranch(r, false); }

DirectiveWord ReadDirectiveWord(const CharReader& r) {
    DirectiveWord w;
    const LineView& l = CurrentLine(r);
    for (int32_t i = 0; i + 1 < r.column; ++i)
        if (!IsBlank(l.text[i])) return w;
    int32_t c = r.column;
    while (c < l.length && IsBlank(l.text[c])) ++c;
    int32_t start = c;
    while (c < l.length && IsIdentifierChar(l.text[c])) ++c;
    w.text = l.text + start;
    w.length = c - start;
    w.end_column = c;
    return w;
}

DirectiveKind FollowDirective(PreprocessorNesting* n, CharReader* r, int32_t* braces, int32_t* parens,
                              bool skip_dead) {
    DirectiveWord w = ReadDirectiveWord(*r);
    DirectiveKind kind = DirectiveKind::Other;
    bool is_if = w.length >= 2 && w.text[0] == 'i' && w.text[1] == 'f' &&
                 (w.length == 2 || IsDirective(w, "ifdef", 5) || IsDirective(w, "ifndef", 6));
    if (is_if) {
        kind = DirectiveKind::If;
        if (skip_dead && w.length == 2 && IsZeroCondition(CurrentLine(*r), w.end_column)) {
            if (!SkipBranch(r, true)) return DirectiveKind::Other;
        }
        if (n->depth < PreprocessorNesting::kLevels)
            n->levels[n->depth] = PreprocessorNesting::Level{*braces, *parens, 0, false};
        ++n->depth;
    } else if (IsDirective(w, "else", 4) || IsDirective(w, "elif", 4)) {
        kind = DirectiveKind::Else;
        if (n->depth > 0 && n->depth <= PreprocessorNesting::kLevels) {
            PreprocessorNesting::Level& level = n->levels[n->depth - 1];
            if (!level.in_else) {
                level.braces_after_first = *braces;
                level.in_else = true;
            }
            *braces = level.braces_at_if;
            *parens = level.parens_at_if;
        }
    } else if (IsDirective(w, "endif", 5)) {
        kind = DirectiveKind::Endif;
        if (n->depth > 0) {
            if (n->depth <= PreprocessorNesting::kLevels) {
                const PreprocessorNesting::Level& level = n->levels[n->depth - 1];
                if (level.in_else) *braces = level.braces_after_first;
            }
            --n->depth;
        }
    }
    SkipPreprocessorLine(r);
    return kind;
}
