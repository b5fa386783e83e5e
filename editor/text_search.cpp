#include "editor/text_search.h"

#include <cstring>
#include <vector>

#include "editor/char_class.h"

namespace {

constexpr int kDistanceLimit = 512;

unsigned char Fold(char c, bool ignore_case) {
    return ignore_case ? UpperAscii(c) : static_cast<unsigned char>(c);
}

}  // namespace

bool SameText(const char* text, const char* pattern, int n, bool ignore_case) {
    if (!ignore_case) return memcmp(text, pattern, n) == 0;
    for (int i = 0; i < n; ++i)
        if (UpperAscii(text[i]) != UpperAscii(pattern[i])) return false;
    return true;
}

const char* FindBytes(const char* haystack, size_t size, const char* needle, size_t needle_size) {
    if (needle_size == 0) return haystack;
#if defined(__GLIBC__)
    return static_cast<const char*>(memmem(haystack, size, needle, needle_size));
#else
    // memchr for the first byte, then compare: the Windows C library has no memmem.
    if (size < needle_size) return nullptr;
    const char* last = haystack + size - needle_size;
    for (const char* p = haystack; p <= last; ++p) {
        p = static_cast<const char*>(memchr(p, needle[0], static_cast<size_t>(last - p) + 1));
        if (!p) return nullptr;
        if (memcmp(p, needle, needle_size) == 0) return p;
    }
    return nullptr;
#endif
}

int FindLiteral(const char* text, int length, int from, const char* pattern, int pattern_length, bool ignore_case) {
    if (from < 0) from = 0;
    if (pattern_length <= 0) return from <= length ? from : -1;
    if (length - from < pattern_length) return -1;
    if (!ignore_case) {
        const char* hit = FindBytes(text + from, length - from, pattern, pattern_length);
        return hit ? static_cast<int>(hit - text) : -1;
    }
    unsigned char first = UpperAscii(pattern[0]);
    for (int i = from; i <= length - pattern_length; ++i)
        if (UpperAscii(text[i]) == first && SameText(text + i, pattern, pattern_length, true)) return i;
    return -1;
}

int FindLiteralBackward(const char* text, int length, int before, const char* pattern, int pattern_length,
                        bool ignore_case) {
    int last = length - pattern_length;
    if (before - 1 < last) last = before - 1;
    for (int i = last; i >= 0; --i)
        if (SameText(text + i, pattern, pattern_length, ignore_case)) return i;
    return -1;
}

bool IsWholeWord(const char* text, int length, int start, int match_length) {
    int end = start + match_length;
    if (start > 0 && IsIdentifierChar(text[start - 1])) return false;
    if (end < length && IsIdentifierChar(text[end])) return false;
    return true;
}

int FindTextInLine(const char* line, int length, int from, const TextQuery& query) {
    for (int at = from;; ++at) {
        at = FindLiteral(line, length, at, query.text, query.length, query.ignore_case);
        if (at < 0 || !query.whole_words || IsWholeWord(line, length, at, query.length)) return at;
    }
}

int FindTextInLineBackward(const char* line, int length, int before, const TextQuery& query) {
    for (int at = before;; ) {
        at = FindLiteralBackward(line, length, at, query.text, query.length, query.ignore_case);
        if (at < 0 || !query.whole_words || IsWholeWord(line, length, at, query.length)) return at;
    }
}

int EditDistance(const char* a, int a_length, const char* b, int b_length, bool ignore_case) {
    if (a_length > kDistanceLimit) a_length = kDistanceLimit;
    if (b_length > kDistanceLimit) b_length = kDistanceLimit;
    std::vector<int> row(b_length + 1);
    for (int j = 0; j <= b_length; ++j) row[j] = j;
    for (int i = 1; i <= a_length; ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b_length; ++j) {
            int above = row[j];
            int cost = Fold(a[i - 1], ignore_case) == Fold(b[j - 1], ignore_case) ? 0 : 1;
            int best = diagonal + cost;
            if (above + 1 < best) best = above + 1;
            if (row[j - 1] + 1 < best) best = row[j - 1] + 1;
            row[j] = best;
            diagonal = above;
        }
    }
    return row[b_length];
}

int FindSimilarWord(const char* line, int length, int from, const char* word, int word_length, bool ignore_case,
                    int* match_length) {
    int threshold = (word_length + 2) / 4 + 1;
    int i = from < 0 ? 0 : from;
    while (i > 0 && i < length && line[i - 1] != ' ' && line[i - 1] != '\t') ++i;  // only whole words after from
    while (i < length) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        int start = i;
        while (i < length && line[i] != ' ' && line[i] != '\t') ++i;
        int n = i - start;
        int difference = n > word_length ? n - word_length : word_length - n;
        if (difference > threshold) continue;
        if (n == word_length && SameText(line + start, word, n, ignore_case)) continue;
        if (EditDistance(line + start, n, word, word_length, ignore_case) <= threshold) {
            *match_length = n;
            return start;
        }
    }
    return -1;
}
