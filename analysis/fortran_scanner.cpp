// The Fortran scanner: program units open at PROGRAM, SUBROUTINE or FUNCTION and close
// at their END statement. Only statement lines (first character blank or tab) count;
// everything else in column 1 is a comment.
#include <cstring>

#include "analysis/function_index.h"
#include "analysis/scanners.h"
#include "editor/char_class.h"

namespace {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

struct Word {
    int32_t start, end;
};

// The blank-separated words of an upper-cased statement, up to a '!' comment outside
// quotes; '(' also ends a word.
std::vector<Word> Words(const std::string& s) {
    std::vector<Word> words;
    int32_t n = static_cast<int32_t>(s.size());
    int32_t i = 0;
    while (i < n) {
        while (i < n && IsBlank(s[i])) ++i;
        if (i >= n || s[i] == '!') break;
        int32_t a = i;
        if (s[i] == '\'') {
            ++i;
            while (i < n && s[i] != '\'') ++i;
            if (i < n) ++i;
        } else if (s[i] == '(' || s[i] == ')' || s[i] == '=' || s[i] == ',') {
            ++i;
        } else {
            while (i < n && !IsBlank(s[i]) && s[i] != '(' && s[i] != ')' && s[i] != '=' && s[i] != ',' &&
                   s[i] != '\'' && s[i] != '!')
                ++i;
        }
        words.push_back(Word{a, i});
    }
    return words;
}

bool WordIs(const std::string& s, const Word& w, const char* text) {
    size_t n = std::strlen(text);
    return static_cast<size_t>(w.end - w.start) == n && s.compare(w.start, n, text) == 0;
}

bool IsUnitWord(const std::string& s, const Word& w) {
    return WordIs(s, w, "PROGRAM") || WordIs(s, w, "SUBROUTINE") || WordIs(s, w, "FUNCTION");
}

// END alone, or END PROGRAM / SUBROUTINE / FUNCTION [name]; not END IF, ENDDO or LEND = 1.
bool IsEndStatement(const std::string& s, const std::vector<Word>& w) {
    size_t first = 0;
    if (!w.empty() && s[w[0].start] >= '0' && s[w[0].start] <= '9') first = 1;  // a statement label
    if (first >= w.size() || !WordIs(s, w[first], "END")) return false;
    return first + 1 == w.size() || IsUnitWord(s, w[first + 1]);
}

}  // namespace

bool ScanFortranFunctions(const Language&, SourceLines text, const char*, std::vector<FunctionRecord>* out) {
    out->clear();
    bool inside = false;
    std::string s;
    for (int32_t i = 0; i < text.count; ++i) {
        const LineView& l = text.lines[i];
        if (l.length == 0 || !IsBlank(l.text[0])) continue;
        s.assign(l.text, l.length);
        for (char& c : s) c = static_cast<char>(UpperAscii(c));
        std::vector<Word> w = Words(s);
        if (inside) {
            if (IsEndStatement(s, w)) {
                out->back().end_line = i + 1;
                inside = false;
            }
            continue;
        }
        for (size_t k = 0; k + 1 < w.size(); ++k) {
            if (!IsUnitWord(s, w[k])) continue;
            const Word& name = w[k + 1];
            if (!IsIdentifierChar(s[name.start])) break;
            FunctionRecord f = MakeFunctionRecord(s.data() + name.start, name.end - name.start);
            f.start_line = f.header_line = f.body_line = i + 1;
            f.start_column = name.start;
            out->push_back(std::move(f));
            inside = true;
            break;
        }
    }
    if (inside) out->back().end_line = text.count;
    return !out->empty();
}
