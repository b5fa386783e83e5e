#include "editor/struct_members.h"

#include <cstring>

#include "analysis/language.h"
#include "editor/char_class.h"

namespace {

bool IsText(const std::vector<CToken>& t, size_t i, const char* text) { return i < t.size() && t[i].text == text; }

bool IsCKeyword(const std::string& word) {
    return IsKeywordIn(CKeywords(), word.data(), static_cast<int>(word.size()));
}

// Words that come before a name without declaring it.
bool IsStatementWord(const std::string& word) {
    for (const char* w : {"return", "case", "goto", "sizeof", "else", "do", "if", "while", "for", "switch"})
        if (word == w) return true;
    return false;
}

bool IsQualifier(const std::string& word) {
    for (const char* w : {"static", "extern", "register", "const", "volatile", "auto", "typedef", "signed", "unsigned"})
        if (word == w) return true;
    return false;
}

struct TypeName {
    std::string name;
    bool tag = false;  // after struct or union; else a typedef name
};

// The type at tokens[i] ("struct X" or "X"); false when there is no name there.
bool TypeAt(const std::vector<CToken>& t, size_t i, TypeName* out) {
    while (i < t.size() && t[i].identifier && IsQualifier(t[i].text)) ++i;
    bool tag = IsText(t, i, "struct") || IsText(t, i, "union");
    if (tag) ++i;
    if (i >= t.size() || !t[i].identifier) return false;
    *out = TypeName{t[i].text, tag};
    return true;
}

// The type of the last declaration of `name` in tokens [begin, end).
bool DeclaredType(const std::vector<CToken>& t, const std::string& name, size_t begin, size_t end, TypeName* out) {
    for (size_t i = end; i-- > begin;) {
        if (!t[i].identifier || t[i].text != name || i == 0) continue;
        if (!(IsText(t, i + 1, ";") || IsText(t, i + 1, ",") || IsText(t, i + 1, "=") || IsText(t, i + 1, "[") ||
              IsText(t, i + 1, ")")))
            continue;
        size_t p = i - 1;
        while (p > begin && (t[p].text == "*" || t[p].text == "&" || t[p].text == "const")) --p;
        if (t[p].identifier) {
            if (IsStatementWord(t[p].text)) continue;
            bool tag = p > 0 && (t[p - 1].text == "struct" || t[p - 1].text == "union");
            *out = TypeName{t[p].text, tag};
            return true;
        }
        if (t[p].text == "}") {
            // "struct tag { ... } name": the tag before the body.
            int depth = 0;
            size_t q = p;
            for (; q > begin; --q) {
                if (t[q].text == "}") ++depth;
                else if (t[q].text == "{" && --depth == 0) break;
            }
            if (q >= begin + 2 && t[q - 1].identifier && (t[q - 2].text == "struct" || t[q - 2].text == "union")) {
                *out = TypeName{t[q - 1].text, true};
                return true;
            }
            continue;
        }
        if (t[p].text != ",") continue;
        // A later declarator of a list: the type opens the statement.
        while (p > begin && !(t[p].text == ";" || t[p].text == "{" || t[p].text == "}" || t[p].text == "(")) --p;
        if (TypeAt(t, p + 1, out)) return true;
    }
    return false;
}

struct Body {
    size_t open = 0, close = 0;  // the braces
};

size_t MatchingBrace(const std::vector<CToken>& t, size_t open) {
    int depth = 0;
    for (size_t i = open; i < t.size(); ++i) {
        if (t[i].text == "{") ++depth;
        else if (t[i].text == "}" && --depth == 0) return i;
    }
    return t.size();
}

// The definition of the type: a tagged struct or union, or one a typedef names.
bool FindBody(const std::vector<CToken>& t, const TypeName& type, Body* out, int depth = 0) {
    if (depth > 8) return false;  // typedef chains that name each other
    for (size_t i = 0; i + 2 < t.size(); ++i) {
        if (t[i].text != "struct" && t[i].text != "union") continue;
        bool typedefed = i > 0 && t[i - 1].text == "typedef";
        bool tagged = t[i + 1].identifier;
        size_t open = tagged ? i + 2 : i + 1;
        if (tagged && !IsText(t, open, "{")) {
            // typedef struct Tag Name;
            if (typedefed && !type.tag && t[open].identifier && t[open].text == type.name && IsText(t, open + 1, ";"))
                return FindBody(t, TypeName{t[i + 1].text, true}, out, depth + 1);
            continue;
        }
        if (!IsText(t, open, "{")) continue;
        size_t close = MatchingBrace(t, open);
        bool match = tagged && t[i + 1].text == type.name && (type.tag || !typedefed);
        if (typedefed && !type.tag)
            for (size_t a = close + 1; a < t.size() && t[a].text != ";"; ++a)
                if (t[a].identifier && t[a].text == type.name) match = true;
        if (match) {
            *out = Body{open, close};
            return true;
        }
    }
    return false;
}

// The name a member declarator declares: the identifier after "(*" of a function
// pointer, else the last identifier before its brackets, bit width or initialiser.
std::string DeclaratorName(const std::vector<CToken>& t, size_t from, size_t to) {
    for (size_t i = from; i + 2 < to; ++i)
        if (t[i].text == "(" && t[i + 1].text == "*" && t[i + 2].identifier) return t[i + 2].text;
    std::string name;
    int parens = 0;
    for (size_t i = from; i < to; ++i) {
        const std::string& s = t[i].text;
        if (s == "(") ++parens;
        else if (s == ")") --parens;
        else if (parens == 0 && (s == "[" || s == ":" || s == "=")) break;
        else if (parens == 0 && t[i].identifier && !IsCKeyword(s) && !(s[0] >= '0' && s[0] <= '9')) name = s;
    }
    return name;
}

std::vector<std::string> Members(const std::vector<CToken>& t, const Body& body) {
    std::vector<std::string> names;
    size_t start = body.open + 1;
    int braces = 0;
    for (size_t i = start; i < body.close; ++i) {
        const std::string& s = t[i].text;
        if (s == "{") ++braces;
        else if (s == "}") --braces;
        if (braces > 0 || s == "}") continue;
        if (s == "," || s == ";") {
            std::string name = DeclaratorName(t, start, i);
            if (!name.empty()) names.push_back(name);
            start = i + 1;
        }
    }
    return names;
}

// "a.b->c" or "a[i].b" as its names.
std::vector<std::string> SplitExpression(const std::string& e) {
    std::vector<std::string> names(1);
    int brackets = 0;  // subscripts name elements of the same type
    for (size_t i = 0; i < e.size(); ++i) {
        if (e[i] == '[') ++brackets;
        else if (e[i] == ']') --brackets;
        else if (brackets > 0) continue;
        else if (e[i] == '.' || (e[i] == '-' && i + 1 < e.size() && e[i + 1] == '>')) {
            if (e[i] == '-') ++i;
            names.emplace_back();
        } else if (IsIdentifierChar(static_cast<unsigned char>(e[i]))) {
            names.back() += e[i];
        }
    }
    return names;
}

}  // namespace

void ScanCodeLine(const char* s, int n, CodeState* state, TokenVisitor visit, void* context) {
    int i = 0;
    if (!state->comment && !state->continued) {
        while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;
        state->continued = i < n && s[i] == '#';
    }
    if (state->continued) {
        state->continued = n > 0 && s[n - 1] == '\\';
        return;
    }
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char next = i + 1 < n ? s[i + 1] : 0;
        if (state->comment) {
            while (i < n && !(s[i] == '*' && i + 1 < n && s[i + 1] == '/')) ++i;
            if (i >= n) break;
            state->comment = false;
            i += 2;
        } else if (c == '/' && next == '*') {
            state->comment = true;
            i += 2;
        } else if (c == '/' && next == '/') {
            break;
        } else if (c == '"' || c == '\'') {
            for (++i; i < n && static_cast<unsigned char>(s[i]) != c; ++i)
                if (s[i] == '\\') ++i;
            ++i;
        } else if (IsIdentifierChar(c)) {
            int from = i;
            while (i < n && IsIdentifierChar(static_cast<unsigned char>(s[i]))) ++i;
            visit(context, s + from, i - from, true);
        } else if (c == '-' && next == '>') {
            visit(context, s + i, 2, false);
            i += 2;
        } else {
            if (c != ' ' && c != '\t') visit(context, s + i, 1, false);
            ++i;
        }
    }
}

std::vector<CToken> TokenizeC(const std::vector<std::string>& lines) {
    struct Collect {
        std::vector<CToken> tokens;
        int line = 0;
    } collect;
    CodeState state;
    for (const std::string& s : lines) {
        ++collect.line;
        ScanCodeLine(s.data(), static_cast<int>(s.size()), &state, [](void* context, const char* text, int length, bool identifier) {
            auto* c = static_cast<Collect*>(context);
            c->tokens.push_back(CToken{std::string(text, static_cast<size_t>(length)), c->line, identifier});
        }, &collect);
    }
    return std::move(collect.tokens);
}

std::vector<std::string> StructMembersOf(const std::vector<CToken>& t, const std::string& expression, int line) {
    std::vector<std::string> names = SplitExpression(expression);
    size_t end = 0;
    while (end < t.size() && t[end].line <= line) ++end;
    TypeName type;
    if (names[0].empty() || !DeclaredType(t, names[0], 0, end, &type)) return {};
    Body body;
    for (size_t i = 1; i < names.size(); ++i)
        if (!FindBody(t, type, &body) || !DeclaredType(t, names[i], body.open + 1, body.close, &type)) return {};
    if (!FindBody(t, type, &body)) return {};
    return Members(t, body);
}
