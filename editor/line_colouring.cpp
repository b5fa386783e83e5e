#include "editor/line_colouring.h"

#include <cctype>
#include <cstring>

#include "analysis/language.h"
#include "shell/messages.h"

namespace {

constexpr int kLongestKeyword = 14;

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool StartsWith(const char* text, int length, int at, const std::string& s) {
    return !s.empty() && at + static_cast<int>(s.size()) <= length && std::memcmp(text + at, s.data(), s.size()) == 0;
}

int Find(const char* text, int length, int from, const std::string& s) {
    for (int i = from; i + static_cast<int>(s.size()) <= length; ++i)
        if (StartsWith(text, length, i, s)) return i;
    return -1;
}

void Add(std::vector<ColourSpan>* spans, int start, int length, ColourKind kind) {
    if (length <= 0) return;
    if (!spans->empty() && spans->back().kind == kind && spans->back().start + spans->back().length == start)
        spans->back().length += length;
    else
        spans->push_back({start, length, kind});
}

bool IsFortran(const Language& lang) { return lang.name.rfind("Fo", 0) == 0; }

}  // namespace

bool IsPreprocessorDirective(const char* word, int length) {
    for (uint16_t id = 1031; id <= 1043; ++id) {
        const char* d = MessageText(id);
        if (static_cast<int>(std::strlen(d)) == length && std::memcmp(d, word, static_cast<size_t>(length)) == 0)
            return true;
    }
    return false;
}

void ColourLine(const Language* lang, const char* text, int length, int* comment_state,
                std::vector<ColourSpan>* spans) {
    spans->clear();
    if (!lang || !lang->keywords) {
        Add(spans, 0, length, ColourKind::Text);
        return;
    }
    CommentDelimiters comments = CommentDelimitersOf(*lang);
    std::string quotes = lang->string_chars.empty() ? "\"'" : lang->string_chars;
    int i = 0;
    if (*comment_state) {
        const std::string& close = comments.block_close[*comment_state - 1];
        int end = Find(text, length, 0, close);
        if (end < 0) {
            Add(spans, 0, length, ColourKind::Comment);
            return;
        }
        i = end + static_cast<int>(close.size());
        Add(spans, 0, i, ColourKind::Comment);
        *comment_state = 0;
    }
    int blanks = i;
    while (blanks < length && text[blanks] == ' ') ++blanks;
    Add(spans, i, blanks - i, ColourKind::Text);
    i = blanks;
    if (IsFortran(*lang)) {
        if (blanks == 5 && length > 5) {
            Add(spans, 5, 1, ColourKind::Continuation);
            i = 6;
        }
    } else if (i < length && text[i] == '#') {
        int w = i + 1;
        while (w < length && text[w] == ' ') ++w;
        int end = w;
        while (end < length && IsWordChar(text[end])) ++end;
        if (IsPreprocessorDirective(text + w, end - w)) {
            Add(spans, i, end - i, ColourKind::Keyword);
            i = end;
        }
    }
    while (i < length) {
        char c = text[i];
        // A comment opener made of a letter (Fortran's C) counts only in the first column.
        if (StartsWith(text, length, i, comments.line) && (i == 0 || !std::isalpha(static_cast<unsigned char>(c)))) {
            Add(spans, i, length - i, ColourKind::Comment);
            return;
        }
        bool opened = false;
        for (int k = 0; k < 2 && !opened; ++k) {
            if (!StartsWith(text, length, i, comments.block_open[k])) continue;
            opened = true;
            int from = i + static_cast<int>(comments.block_open[k].size());
            int end = Find(text, length, from, comments.block_close[k]);
            if (end < 0) {
                Add(spans, i, length - i, ColourKind::Comment);
                *comment_state = k + 1;
                return;
            }
            end += static_cast<int>(comments.block_close[k].size());
            Add(spans, i, end - i, ColourKind::Comment);
            i = end;
        }
        if (opened) continue;
        if (quotes.find(c) != std::string::npos) {
            int end = i + 1;
            while (end < length && text[end] != c) end += text[end] == '\\' ? 2 : 1;
            end = end < length ? end + 1 : length;
            Add(spans, i, end - i, ColourKind::String);
            i = end;
        } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                   ((c == '.' || c == '+' || c == '-') && i + 1 < length &&
                    std::isdigit(static_cast<unsigned char>(text[i + 1])))) {
            int end = i + 1;
            while (end < length && (IsWordChar(text[end]) || text[end] == '.')) ++end;
            Add(spans, i, end - i, ColourKind::Text);
            i = end;
        } else if (IsWordChar(c)) {
            int end = i;
            while (end < length && IsWordChar(text[end])) ++end;
            int n = end - i;
            bool keyword = n >= 2 && n <= kLongestKeyword && IsKeyword(*lang, text + i, n);
            Add(spans, i, n, keyword ? ColourKind::Keyword : ColourKind::Text);
            i = end;
        } else {
            Add(spans, i, 1, ColourKind::Text);
            ++i;
        }
    }
}
