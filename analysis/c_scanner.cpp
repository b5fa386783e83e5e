// The C function scanner: a definition is a parenthesised list at brace depth 0
// followed by '{', directly or after old-style parameter declarations. Only the
// characters that can change that picture are examined; inside bodies parentheses are
// ignored.
#include <cstring>

#include "analysis/char_reader.h"
#include "analysis/function_index.h"
#include "analysis/preprocessor_nesting.h"
#include "analysis/scanners.h"
#include "editor/char_class.h"

namespace {

struct CharTables {
    bool outside[256] = {};  // at brace depth 0
    bool inside[256] = {};   // in a body
    CharTables() {
        for (unsigned char c : std::string("/\"#'{}()_")) outside[c] = true;
        for (unsigned char c : std::string("/\"#'{}")) inside[c] = true;
    }
};
const CharTables kTables;

inline bool IsBlank(int c) { return c == ' ' || c == '\t'; }

struct Position {
    int32_t line = -1, column = 0;
};

// Characters of a return type and its qualifiers.
inline bool IsTypeChar(unsigned char c) { return IsIdentifierChar(c) || c == '*' || IsBlank(c); }

// A line that can only be the return type of the declaration below it (GNU style).
bool IsTypeLine(const LineView& l) {
    int32_t n = l.length;
    while (n > 0 && IsBlank(l.text[n - 1])) --n;
    if (n == 0 || !(IsIdentifierChar(l.text[n - 1]) || l.text[n - 1] == '*')) return false;
    if (IsBlank(l.text[0])) return false;
    for (int32_t i = 0; i < n; ++i)
        if (!IsTypeChar(l.text[i])) return false;
    return true;
}

// The list is preceded by a parenthesised group ending before column *c: either a
// macro that forms the name, "MY (close) (bfd *abfd)", whose name stands before the
// group, or a function returning a function pointer, "void (*get (void)) (void)",
// whose name follows the '*'. Sets *c after the name and *type_end where the return
// type ends; false when there is no name.
bool NameBeforeGroup(const LineView& l, int32_t* c, int32_t* type_end) {
    int32_t open = *c - 1, depth = 0;
    for (; open >= 0; --open) {
        if (l.text[open] == ')') ++depth;
        if (l.text[open] == '(' && --depth == 0) break;
    }
    if (open < 0) return false;
    int32_t i = open + 1;
    while (i < *c && (IsBlank(l.text[i]) || l.text[i] == '*')) ++i;
    if (i > open + 1 && l.text[i - 1] == '*') {
        while (i < *c && IsIdentifierChar(l.text[i])) ++i;
        *c = i;
        *type_end = open;
        return i > open + 1 && IsIdentifierChar(l.text[i - 1]);
    }
    while (open > 0 && IsBlank(l.text[open - 1])) --open;
    *c = open;
    return open > 0 && IsIdentifierChar(l.text[open - 1]);
}

// Records the function whose parameter list opens at `paren`; false when what stands
// before it is no name.
bool RecordFunction(SourceLines text, Position paren, int32_t body_line, std::vector<FunctionRecord>* out) {
    int32_t line = paren.line, c = paren.column;
    // Back over blanks, tabs and further '(' to the name, at most to the line above.
    for (;;) {
        const LineView& l = text.lines[line];
        while (c > 0 && (IsBlank(l.text[c - 1]) || l.text[c - 1] == '(')) --c;
        if (c > 0) break;
        if (line == 0 || line < paren.line) return false;
        --line;
        c = text.lines[line].length;
    }
    const LineView& l = text.lines[line];
    int32_t type_end = -1;
    if (l.text[c - 1] == ')' && !NameBeforeGroup(l, &c, &type_end)) return false;
    int32_t end = c;
    while (c > 0 && (IsIdentifierChar(l.text[c - 1]) || l.text[c - 1] == ':')) --c;
    while (c < end && l.text[c] == ':') ++c;
    if (c == end) return false;
    const char* name = l.text + c;
    int length = end - c;
    if ((name[0] >= '0' && name[0] <= '9') || IsKeywordIn(CKeywords(), name, length)) return false;

    FunctionRecord f = MakeFunctionRecord(name, length);
    f.header_line = line + 1;
    if (type_end >= 0) c = type_end;
    while (c > 0 && IsTypeChar(l.text[c - 1])) --c;
    while (c < end && IsBlank(l.text[c])) ++c;
    f.start_line = line + 1;
    f.start_column = c;
    if (c == 0 && line > 0 && IsTypeLine(text.lines[line - 1])) {
        f.start_line = line;
        f.start_column = 0;
    }
    f.body_line = body_line;
    out->push_back(std::move(f));
    return true;
}

// Skips blanks, tabs and comments; returns the next other character (-1 at the end).
int NextSignificant(CharReader* r) {
    for (;;) {
        int ch = NextChar(r);
        if (IsBlank(ch)) continue;
        if (ch == '/' && SkipComment(r)) continue;
        return ch;
    }
}

// Characters allowed between ')' and '{' of an old-style definition.
inline bool IsOldStyleChar(int c) {
    return IsIdentifierChar(static_cast<unsigned char>(c)) || IsBlank(c) || c == ';' || c == ',' || c == '*' ||
           c == '[' || c == ']';
}

// A directive between a parameter list and its body: the first branch of a
// conditional is the one followed, so an #else or #elif skips to the #endif.
void FollowDirectiveInHead(PreprocessorNesting* n, CharReader* r) {
    DirectiveWord w = ReadDirectiveWord(*r);
    int32_t braces = 0, parens = 0;
    if ((IsDirective(w, "else", 4) || IsDirective(w, "elif", 4)) && n->depth > 0) {
        SkipToEndif(r);
        --n->depth;
        return;
    }
    FollowDirective(n, r, &braces, &parens);
}

// After the ')' that closes a list at depth 0: true when a body follows (its '{' read).
bool BodyFollows(CharReader* r, PreprocessorNesting* n) {
    int ch = NextSignificant(r);
    while (ch == '#' && r->line < r->src.count) {
        FollowDirectiveInHead(n, r);
        ch = NextSignificant(r);
    }
    if (ch == '{') return true;
    if (ch < 0 || !IsIdentifierChar(static_cast<unsigned char>(ch))) {
        if (ch >= 0) BackChar(r);
        return false;
    }
    for (;;) {
        ch = NextChar(r);
        if (ch == '{') return true;
        if (ch == '/' && SkipComment(r)) continue;
        if (ch < 0) return false;
        if (ch == '#') {
            FollowDirectiveInHead(n, r);
            continue;
        }
        if (!IsOldStyleChar(ch)) {
            BackChar(r);
            return false;
        }
    }
}

// "__declspec(" at the reader (just after the first '_'): skips to its closing ')'.
void SkipDeclspec(CharReader* r) {
    const LineView& l = CurrentLine(*r);
    static const char kWord[] = "_declspec";
    const int32_t n = sizeof kWord - 1;
    int32_t c = r->column;
    if (c > 1 && IsIdentifierChar(l.text[c - 2])) return;
    if (l.length - c < n || std::memcmp(l.text + c, kWord, n) != 0) return;
    c += n;
    while (c < l.length && IsBlank(l.text[c])) ++c;
    if (c >= l.length || l.text[c] != '(') return;
    r->column = c + 1;
    int depth = 1;
    while (depth > 0) {
        int ch = NextChar(r);
        if (ch < 0) return;
        if (ch == '(') ++depth;
        if (ch == ')') --depth;
    }
}

}  // namespace

bool ScanCFunctions(const Language&, SourceLines text, const char*, std::vector<FunctionRecord>* out) {
    out->clear();
    CharReader r = MakeCharReader(text, false);
    int32_t braces = 0, parens = 0;
    Position paren;
    PreprocessorNesting nesting;
    bool open_function = false;  // the last record still waits for its end

    while (!AtEnd(r)) {
        const LineView& l = text.lines[r.line];
        const bool* interesting = braces ? kTables.inside : kTables.outside;
        int32_t c = r.column;
        while (c < l.length && !interesting[static_cast<unsigned char>(l.text[c])]) ++c;
        if (c >= l.length) {
            ++r.line;
            r.column = 0;
            continue;
        }
        r.column = c + 1;
        switch (l.text[c]) {
            case '/': SkipComment(&r); break;
            case '"': SkipString(&r); break;
            case '\'': SkipCharLiteral(&r); break;
            case '#': FollowDirective(&nesting, &r, &braces, &parens); break;
            case '_': SkipDeclspec(&r); break;
            case '(':
                if (++parens == 1) paren = Position{r.line, c};
                break;
            case ')':
                if (parens == 0) break;  // a stray ')' never drives the depth below 0
                if (--parens == 0 && paren.line >= 0) {
                    Position p = paren;
                    paren.line = -1;
                    if (BodyFollows(&r, &nesting)) {
                        braces = 1;
                        if (RecordFunction(text, p, r.line + 1, out)) open_function = true;
                    }
                }
                break;
            case '{':
                ++braces;
                break;
            case '}':
                if (braces == 0) break;
                if (--braces == 0) {
                    paren.line = -1;
                    parens = 0;
                    if (open_function) {
                        out->back().end_line = r.line + 1;
                        open_function = false;
                    }
                }
                break;
        }
    }
    if (open_function && braces > 0) out->back().end_line = text.count;
    return !out->empty();
}
