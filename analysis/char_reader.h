#pragma once
// The character reader the scanners and checks share: walks the lines in order,
// returning one character at a time, and skips comments, strings, character literals
// and preprocessor lines for its callers.
#include <cstdint>

#include "analysis/source_lines.h"

struct CharReader {
    SourceLines src;
    int32_t line = 0;     // 0-based index of the current line
    int32_t column = 0;   // next column to read in it
    bool line_feeds = false;  // return '\n' at each line change instead of skipping on
    int32_t back_line = 0, back_column = 0;  // position before the last NextChar
};

inline CharReader MakeCharReader(SourceLines src, bool line_feeds) {
    CharReader r;
    r.src = src;
    r.line_feeds = line_feeds;
    return r;
}

inline const LineView& CurrentLine(const CharReader& r) { return r.src.lines[r.line]; }
inline bool AtEnd(const CharReader& r) { return r.line >= r.src.count; }
inline int32_t LineNumberOf(const CharReader& r) { return r.line + 1; }

// The next character (0-255), a line feed at a line change in line-feed mode, or -1
// at the end of the text.
inline int NextChar(CharReader* r) {
    r->back_line = r->line;
    r->back_column = r->column;
    while (r->line < r->src.count) {
        const LineView& l = r->src.lines[r->line];
        if (r->column < l.length) return static_cast<unsigned char>(l.text[r->column++]);
        ++r->line;
        r->column = 0;
        if (r->line_feeds && r->line < r->src.count) return '\n';
    }
    return -1;
}

// Undoes the last NextChar (one step only).
inline void BackChar(CharReader* r) {
    r->line = r->back_line;
    r->column = r->back_column;
}

// The character at the reading position on the current line, or -1 at its end.
inline int PeekChar(const CharReader& r) {
    if (AtEnd(r)) return -1;
    const LineView& l = CurrentLine(r);
    return r.column < l.length ? static_cast<unsigned char>(l.text[r.column]) : -1;
}

// After a '/': skips a "/* */" comment (across lines) or a "//" comment and returns
// true; returns false, consuming nothing, when no comment starts here. `chars` and
// `lines`, when given, receive the comment's length and the line changes inside it.
// An unterminated block comment runs to the end of the text.
bool SkipComment(CharReader* r, int32_t* chars = nullptr);

// After a '"': skips to the closing quote, honouring backslash escapes and a backslash
// at the end of a line as continuation. A string also ends at an unescaped line end;
// then the result is false (unfinished).
bool SkipString(CharReader* r);

// After a '\'': reads a character literal: one character or a backslash escape (one
// character, up to three octal digits, or x and hex digits), then the closing quote.
// Multi-character constants up to four characters are accepted. Returns false for a
// malformed literal, leaving the reader just after the opening quote.
bool SkipCharLiteral(CharReader* r);

// After a '#': skips the rest of the line and every following line while the line
// ends in a backslash.
void SkipPreprocessorLine(CharReader* r);

// Moves to the end of the current line (the next NextChar changes line).
inline void SkipRestOfLine(CharReader* r) {
    if (!AtEnd(*r)) r->column = CurrentLine(*r).length;
}
