#include "analysis/char_reader.h"

namespace {

inline bool IsHexDigit(int c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

bool SkipComment(CharReader* r, int32_t* chars) {
    int c = PeekChar(*r);
    if (c == '/') {
        if (chars) *chars = CurrentLine(*r).length - r->column + 1;
        SkipRestOfLine(r);
        return true;
    }
    if (c != '*') return false;
    ++r->column;
    int32_t n = 2;
    int previous = 0;
    while (!AtEnd(*r)) {
        const LineView& l = CurrentLine(*r);
        while (r->column < l.length) {
            int ch = static_cast<unsigned char>(l.text[r->column++]);
            ++n;
            if (previous == '*' && ch == '/') {
                if (chars) *chars = n;
                return true;
            }
            previous = ch;
        }
        ++r->line;
        r->column = 0;
        previous = 0;
    }
    if (chars) *chars = n;
    return true;
}

bool SkipString(CharReader* r) {
    while (!AtEnd(*r)) {
        const LineView& l = CurrentLine(*r);
        bool continued = false;
        while (r->column < l.length && !continued) {
            char ch = l.text[r->column++];
            if (ch == '"') return true;
            if (ch != '\\') continue;
            if (r->column < l.length)
                ++r->column;
            else
                continued = true;
        }
        if (!continued) return false;  // an unescaped line end ends the string
        ++r->line;
        r->column = 0;
    }
    return false;
}

bool SkipCharLiteral(CharReader* r) {
    if (AtEnd(*r)) return false;
    const LineView& l = CurrentLine(*r);
    int32_t c = r->column;
    for (int chars = 0; chars < 4 && c < l.length; ++chars) {
        char ch = l.text[c];
        if (ch == '\'') {
            if (chars == 0) return false;
            r->column = c + 1;
            return true;
        }
        ++c;
        if (ch != '\\') continue;
        if (c >= l.length) return false;
        char e = l.text[c++];
        if (e >= '0' && e <= '7') {
            for (int d = 1; d < 3 && c < l.length && l.text[c] >= '0' && l.text[c] <= '7'; ++d) ++c;
        } else if (e == 'x' || e == 'X') {
            while (c < l.length && IsHexDigit(static_cast<unsigned char>(l.text[c]))) ++c;
        }
    }
    if (c < l.length && l.text[c] == '\'') {
        r->column = c + 1;
        return true;
    }
    return false;
}

void SkipPreprocessorLine(CharReader* r) {
    while (!AtEnd(*r)) {
        const LineView& l = CurrentLine(*r);
        if (l.length == 0 || l.text[l.length - 1] != '\\' || r->line + 1 >= r->src.count) {
            r->column = l.length;
            return;
        }
        ++r->line;
        r->column = 0;
    }
}
