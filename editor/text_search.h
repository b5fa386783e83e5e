#pragma once
// Exact-text and similar-word matching within one line (text + length, no terminator
// needed). Columns count from 0; every function returns the column of the match or -1.

#include <cstddef>

// The first occurrence of the needle's bytes in the haystack's, or null.
const char* FindBytes(const char* haystack, size_t size, const char* needle, size_t needle_size);

// True when text starts with the n characters of pattern.
bool SameText(const char* text, const char* pattern, int n, bool ignore_case);

// First occurrence of pattern starting at or after `from`.
int FindLiteral(const char* text, int length, int from, const char* pattern, int pattern_length, bool ignore_case);

// Last occurrence of pattern starting before `before`.
int FindLiteralBackward(const char* text, int length, int before, const char* pattern, int pattern_length,
                        bool ignore_case);

// True when neither the character before text[start] nor the one after the match is an
// identifier character (letters, digits, '_').
bool IsWholeWord(const char* text, int length, int start, int match_length);

struct TextQuery {
    const char* text;
    int length;
    bool ignore_case;
    bool whole_words;
};

// Like FindLiteral / FindLiteralBackward, skipping occurrences that are not whole
// words when the query asks for them.
int FindTextInLine(const char* line, int length, int from, const TextQuery& query);
int FindTextInLineBackward(const char* line, int length, int before, const TextQuery& query);

// Similar words: the line is cut into words at blanks and tabs; the first word that
// starts at or after `from`, differs from `word`, and lies within the edit distance
// threshold (length of word + 2) / 4 + 1 of it. Sets *match_length.
int FindSimilarWord(const char* line, int length, int from, const char* word, int word_length, bool ignore_case,
                    int* match_length);

// Levenshtein distance with unit costs; both strings are cut to 512 characters.
int EditDistance(const char* a, int a_length, const char* b, int b_length, bool ignore_case);
