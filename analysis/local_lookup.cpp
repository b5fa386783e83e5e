#include "analysis/local_lookup.h"

#include <cstring>

#include "analysis/char_reader.h"
#include "analysis/prototypes.h"
#include "editor/char_class.h"

namespace {

bool IsKeyword(const std::string& w) { return IsKeywordIn(CKeywords(), w.data(), static_cast<int>(w.size())); }

bool IsTypeWord(const std::string& w) {
    static const char* const kTypeWords[] = {"auto",   "register", "static", "extern", "const", "volatile",
                                             "unsigned", "signed", "char",   "short",  "int",   "long",
                                             "float",  "double",   "void",   "struct", "union", "enum"};
    for (const char* t : kTypeWords)
        if (w == t) return true;
    return false;
}

// The name a parameter declares: its last identifier that is no keyword.
std::string ParameterName(const std::vector<std::string>& words) {
    std::string name;
    for (const std::string& w : words)
        for (size_t i = 0; i < w.size();) {
            if (!IsIdentifierChar(static_cast<unsigned char>(w[i])) || (w[i] >= '0' && w[i] <= '9')) {
                ++i;
                continue;
            }
            size_t a = i;
            while (i < w.size() && IsIdentifierChar(static_cast<unsigned char>(w[i]))) ++i;
            std::string id = w.substr(a, i - a);
            if (!IsKeyword(id)) name = id;
        }
    return name;
}

// The first line from `from` to `to` holding `name` as a whole word, or `from`.
int32_t LineOfWord(SourceLines text, int32_t from, int32_t to, const std::string& name) {
    for (int32_t n = from; n <= to && n <= text.count; ++n) {
        const LineView& l = text.lines[n - 1];
        for (int32_t c = 0; c + static_cast<int32_t>(name.size()) <= l.length; ++c)
            if (std::memcmp(l.text + c, name.data(), name.size()) == 0 &&
                (c == 0 || !IsIdentifierChar(static_cast<unsigned char>(l.text[c - 1]))) &&
                (c + static_cast<int32_t>(name.size()) == l.length ||
                 !IsIdentifierChar(static_cast<unsigned char>(l.text[c + name.size()]))))
                return n;
    }
    return from;
}

// The statement scan of the body: which statements declare, and where the name stands.
struct Statement {
    int words = 0;          // words read in this statement; -1 when something else came first
    bool declares = false;  // decided after its first one or two words
    bool pending = false;   // began with a name that is no keyword: a type name when a name or '*' follows
    int parens = 0;
    bool in_initialiser = false;
};

int32_t FindInBody(SourceLines text, const FunctionRecord& f, const std::string& name) {
    CharReader r = MakeCharReader(text, false);
    r.line = f.body_line - 1;
    for (int ch = NextChar(&r); ch != '{'; ch = NextChar(&r))  // the header may share the line
        if (ch < 0) return 0;
    Statement s;
    for (;;) {
        int ch = NextChar(&r);
        const int32_t line = LineNumberOf(r);
        if (ch < 0 || (f.end_line > 0 && line > f.end_line)) return 0;
        if (ch == '/' && SkipComment(&r)) continue;
        if (ch == '"') {
            SkipString(&r);
            continue;
        }
        if (ch == '\'') {
            SkipCharLiteral(&r);
            continue;
        }
        if (ch == '#') {
            SkipPreprocessorLine(&r);
            continue;
        }
        if (ch == ' ' || ch == '\t') continue;
        if (IsIdentifierChar(static_cast<unsigned char>(ch)) && !(ch >= '0' && ch <= '9')) {
            std::string w(1, static_cast<char>(ch));
            for (int c = PeekChar(r); c >= 0 && IsIdentifierChar(static_cast<unsigned char>(c)); c = PeekChar(r))
                w += static_cast<char>(NextChar(&r));
            if (s.pending) s.declares = !IsKeyword(w);
            s.pending = false;
            if (s.words == 0) {
                s.words = 1;
                s.declares = IsTypeWord(w);
                s.pending = !IsKeyword(w);
            } else if (s.words > 0 && s.declares && !s.in_initialiser && w == name) {
                return line;
            }
            continue;
        }
        if (s.pending && ch == '*') s.declares = true;
        s.pending = false;
        if (s.words == 0) s.words = -1;  // begins with no word: a cast or an expression
        switch (ch) {
            case '(': ++s.parens; break;
            case ')': --s.parens; break;
            case '=':
                if (s.parens == 0) s.in_initialiser = true;
                break;
            case ',':
                if (s.parens == 0) s.in_initialiser = false;
                break;
            case ';':
            case '{':
            case '}': s = Statement(); break;
            default: break;
        }
    }
}

}  // namespace

LocalDeclaration FindLocalDeclaration(SourceLines text, const FunctionRecord& f, const std::string& name) {
    LocalDeclaration d;
    if (name.empty() || f.body_line < 1 || f.body_line > text.count) return d;
    for (const std::vector<std::string>& p : SplitDeclaration(text, f).parameters)
        if (ParameterName(p) == name) {
            d.kind = LocalKind::Argument;
            d.line = LineOfWord(text, f.header_line, f.body_line, name);
            return d;
        }
    if (int32_t line = FindInBody(text, f, name)) {
        d.kind = LocalKind::Local;
        d.line = line;
    }
    return d;
}
