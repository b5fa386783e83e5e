#pragma once
// The colouring of one row of text by the document's language: keywords, preprocessor
// directives, comments, strings and the Fortran continuation mark.
#include <string>
#include <vector>

struct Language;

enum class ColourKind : unsigned char { Text, Keyword, Comment, String, Continuation, Marked };

struct ColourSpan {
    int start, length;
    ColourKind kind;
};

// Block comments reach across lines: *comment_state is 0 outside one, else the index
// + 1 of the block comment pair that is open; it is read at the row's start and left
// as it is at the row's end. Without a language (or one without keywords) the row is
// one Text span. Spans cover the text in order without gaps.
void ColourLine(const Language* lang, const char* text, int length, int* comment_state,
                std::vector<ColourSpan>* spans);

// The preprocessor directives coloured after '#'.
bool IsPreprocessorDirective(const char* word, int length);
