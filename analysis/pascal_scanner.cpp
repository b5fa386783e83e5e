// The Pascal scanner: after "program" or "implementation", every procedure and function
// heading opens a routine that waits for the "end" closing its body. Declared routines
// wait on a stack, so a nested routine ends before the one that encloses it.
#include <cstring>

#include "analysis/function_index.h"
#include "analysis/scanners.h"
#include "editor/char_class.h"

namespace {

constexpr int kMaxPending = 50;  // routines waiting for their end at once
enum : char { kBody, kRecord, kCase };

bool Is(const std::string& word, const char* text) { return word == text; }

// Whether a lower-cased line holds the directive as a whole word.
bool HoldsWord(const std::string& s, const char* word) {
    size_t n = std::strlen(word);
    for (size_t p = s.find(word); p != std::string::npos; p = s.find(word, p + 1)) {
        bool before = p == 0 || !IsIdentifierChar(s[p - 1]);
        bool after = p + n >= s.size() || !IsIdentifierChar(s[p + n]);
        if (before && after) return true;
    }
    return false;
}

struct Pending {
    size_t record;
    int32_t depth;
};

}  // namespace

bool ScanPascalFunctions(const Language&, SourceLines text, const char*, std::vector<FunctionRecord>* out) {
    out->clear();
    bool program_part = false;
    int32_t depth = 0;
    std::vector<Pending> pending;
    std::vector<char> blocks;  // the kind of each open block
    enum { Code, Brace, Paren } comment = Code;
    std::string word;

    for (int32_t i = 0; i < text.count; ++i) {
        const LineView& l = text.lines[i];
        int32_t c = 0;
        while (c < l.length) {
            char ch = l.text[c];
            if (comment == Brace) {
                ++c;
                if (ch == '}') comment = Code;
                continue;
            }
            if (comment == Paren) {
                ++c;
                if (ch == '*' && c < l.length && l.text[c] == ')') {
                    ++c;
                    comment = Code;
                }
                continue;
            }
            if (ch == '{') {
                comment = Brace;
                ++c;
                continue;
            }
            if (ch == '(' && c + 1 < l.length && l.text[c + 1] == '*') {
                comment = Paren;
                c += 2;
                continue;
            }
            if (ch == '\'') {
                ++c;
                while (c < l.length && l.text[c] != '\'') ++c;  // a string ends with its line
                ++c;
                continue;
            }
            if (!IsIdentifierChar(ch)) {
                ++c;
                continue;
            }
            int32_t start = c;
            while (c < l.length && IsIdentifierChar(l.text[c])) ++c;
            word.assign(l.text + start, c - start);
            for (char& w : word) w = static_cast<char>(LowerAscii(w));

            if (Is(word, "implementation") || Is(word, "program")) {
                program_part = true;
            } else if (Is(word, "begin") || Is(word, "record") || Is(word, "try") || Is(word, "asm") ||
                       (Is(word, "case") && !(depth > 0 && blocks.back() == kRecord))) {
                // The case of a variant record shares the record's end.
                blocks.push_back(Is(word, "record") ? kRecord : Is(word, "case") ? kCase : kBody);
                ++depth;
            } else if (Is(word, "end")) {
                char kind = kBody;
                if (depth > 0) {
                    --depth;
                    kind = blocks.back();
                    blocks.pop_back();
                }
                // Only the end of a statement block ends a routine's body.
                if (kind == kBody && !pending.empty() && pending.back().depth == depth) {
                    FunctionRecord& f = (*out)[pending.back().record];
                    f.end_line = i + 1;
                    f.nesting_level = static_cast<uint16_t>(depth);
                    pending.pop_back();
                }
            } else if (program_part && (Is(word, "procedure") || Is(word, "function"))) {
                std::string rest(l.text + c, l.length - c);
                for (char& w : rest) w = static_cast<char>(LowerAscii(w));
                if (HoldsWord(rest, "external") || HoldsWord(rest, "forward")) {
                    c = l.length;
                    continue;
                }
                while (c < l.length && (l.text[c] == ' ' || l.text[c] == '\t')) ++c;
                int32_t a = c;
                while (c < l.length && (IsIdentifierChar(l.text[c]) || l.text[c] == '.')) ++c;
                if (c == a || static_cast<int>(pending.size()) >= kMaxPending) continue;
                FunctionRecord f = MakeFunctionRecord(l.text + a, c - a);
                f.start_line = f.header_line = f.body_line = i + 1;
                f.start_column = a;
                out->push_back(std::move(f));
                pending.push_back(Pending{out->size() - 1, depth});
            }
        }
    }
    return !out->empty();
}
