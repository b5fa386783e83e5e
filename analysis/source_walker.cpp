#include "analysis/source_walker.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>

#include "analysis/char_reader.h"
#include "analysis/generated_file.h"
#include "editor/char_class.h"

namespace {

constexpr int kMaxName = 251;

enum class Mode { Globals, Definition, Prefix };

struct Walk {
    Walk(Mode m, SourceLines t, const char* p, const IncludeSearch& i) : mode(m), text(t), path(p), includes(&i) {}
    Mode mode;
    SourceLines text;
    const char* path;
    const std::vector<FunctionRecord>* functions = nullptr;
    std::string target;  // the name sought or the prefix
    std::vector<GlobalRecord>* globals = nullptr;
    DefinitionRecord* definition = nullptr;
    std::vector<std::string>* names = nullptr;
    const IncludeSearch* includes;
    std::set<std::string>* visited = nullptr;
    int include_depth = 0;
    bool found = false;
};

void Run(Walk* w);

constexpr int kMaxIncludeDepth = 32;

// Walks an included file in the same mode.
void FollowInclude(Walk* w, const std::string& name, bool angled) {
    if (!(angled ? w->includes->angled : w->includes->quoted) || w->include_depth >= kMaxIncludeDepth) return;
    std::string path = ResolveInclude(name, *w->includes);
    if (path.empty()) return;
    std::string key = path;
    for (char& c : key) c = static_cast<char>(LowerAscii(c));
    if (!w->visited->insert(key).second) return;
    std::string bytes;
    if (ReadExistingFile(path, &bytes) != ReadResult::Read) return;
    std::vector<std::string> lines = SplitLines(bytes);
    std::vector<LineView> views = ViewLines(lines);
    static const std::vector<FunctionRecord> kNoFunctions;
    Walk inner = *w;
    inner.text = AsSource(views);
    inner.path = path.c_str();
    inner.functions = &kNoFunctions;
    inner.include_depth = w->include_depth + 1;
    Run(&inner);
    w->found = inner.found;
}

// Records are in order of appearance, so only the last one starting at or before
// the line can hold it in its header.
bool InFunctionHeader(const std::vector<FunctionRecord>& fs, int32_t line) {
    auto after = std::upper_bound(fs.begin(), fs.end(), line,
                                  [](int32_t l, const FunctionRecord& f) { return l < f.start_line; });
    return after != fs.begin() && line <= std::prev(after)->body_line;
}

// The next character that is not a blank or tab on this line, or -1.
int NextOnLine(const LineView& l, int32_t c) {
    while (c < l.length && (l.text[c] == ' ' || l.text[c] == '\t')) ++c;
    return c < l.length ? static_cast<unsigned char>(l.text[c]) : -1;
}

// The character before column c on the line, blanks skipped, or -1.
int PreviousOnLine(const LineView& l, int32_t c) {
    while (c > 0 && (l.text[c - 1] == ' ' || l.text[c - 1] == '\t')) --c;
    return c > 0 ? static_cast<unsigned char>(l.text[c - 1]) : -1;
}

void Define(Walk* w, int32_t line) {
    DefinitionRecord& d = *w->definition;
    d.name = w->target;
    d.hash = static_cast<uint16_t>(KeywordHash(d.name.data(), static_cast<int>(d.name.size())));
    d.line = line + 1;
    d.path = w->path;
    d.text = LinesAround(w->text, line + 1);
    w->found = true;
}

void Collect(Walk* w, const char* name, int length) {
    if (static_cast<size_t>(length) <= w->target.size() || w->target.compare(0, w->target.size(), name, w->target.size()))
        return;
    std::string n(name, length);
    if (std::find(w->names->begin(), w->names->end(), n) == w->names->end()) w->names->push_back(n);
}

// A '#' line: "#define NAME" counts as a definition (and a completion), an #include
// is followed when asked; the rest is skipped.
void Directive(Walk* w, CharReader* r) {
    const LineView& l = CurrentLine(*r);
    int32_t c = r->column;
    while (c < l.length && (l.text[c] == ' ' || l.text[c] == '\t')) ++c;
    if (l.length - c > 7 && std::memcmp(l.text + c, "include", 7) == 0 && !IsIdentifierChar(l.text[c + 7])) {
        c += 7;
        while (c < l.length && (l.text[c] == ' ' || l.text[c] == '\t')) ++c;
        if (c < l.length && (l.text[c] == '"' || l.text[c] == '<')) {
            const bool angled = l.text[c] == '<';
            int32_t a = ++c;
            while (c < l.length && l.text[c] != (angled ? '>' : '"') && l.text[c] != ' ' && l.text[c] != '\t') ++c;
            std::string name(l.text + a, c - a);
            SkipPreprocessorLine(r);
            if (!name.empty()) FollowInclude(w, name, angled);
            return;
        }
    }
    if (l.length - c > 6 && std::memcmp(l.text + c, "define", 6) == 0) {
        c += 6;
        while (c < l.length && (l.text[c] == ' ' || l.text[c] == '\t')) ++c;
        int32_t a = c;
        while (c < l.length && IsIdentifierChar(l.text[c])) ++c;
        if (c > a) {
            if (w->mode == Mode::Definition && w->target.compare(0, std::string::npos, l.text + a, c - a) == 0 &&
                w->target.size() == static_cast<size_t>(c - a))
                Define(w, r->line);
            if (w->mode == Mode::Prefix) Collect(w, l.text + a, c - a);
        }
    }
    SkipPreprocessorLine(r);
}

void Run(Walk* w) {
    CharReader r = MakeCharReader(w->text, true);
    int32_t braces = 0, parens = 0;
    bool skip_member = false, skip_tag = false, in_initialiser = false, in_typedef = false;
    while (!w->found) {
        int ch = NextChar(&r);
        if (ch < 0) break;
        if (ch == '/' && SkipComment(&r)) continue;
        switch (ch) {
            case '"': SkipString(&r); continue;
            case '\'':
                SkipCharLiteral(&r);
                continue;
            case '#': Directive(w, &r); continue;
            case '{': ++braces; continue;
            case '}':
                if (braces > 0) --braces;
                continue;
            case '(': ++parens; continue;
            case ')':
                if (parens > 0) --parens;
                continue;
            case ';':
            case ',':
                if (braces == 0 && parens == 0) {
                    in_initialiser = false;
                    if (ch == ';') in_typedef = false;
                }
                continue;
            case '=':
                if (braces == 0 && parens == 0) in_initialiser = true;
                continue;
            case '.': skip_member = true; continue;
            case '-':
                if (PeekChar(r) == '>') {
                    ++r.column;
                    skip_member = true;
                }
                continue;
            default: break;
        }
        const LineView& l = CurrentLine(r);
        int32_t c = r.column - 1;
        if (ch >= '0' && ch <= '9') {  // numbers, decimal or hexadecimal
            while (r.column < l.length && (IsIdentifierChar(l.text[r.column]) || l.text[r.column] == '.')) ++r.column;
            continue;
        }
        if (!IsIdentifierChar(static_cast<unsigned char>(ch))) continue;
        int32_t e = c;
        while (e < l.length && IsIdentifierChar(l.text[e])) ++e;
        r.column = e;
        const char* name = l.text + c;
        const int length = std::min<int32_t>(e - c, kMaxName);
        if (skip_member) {
            skip_member = false;
            continue;
        }
        if (IsKeywordIn(CKeywords(), name, length)) {
            if (w->mode == Mode::Globals && name[0] == 't' && braces == 0) in_typedef = true;
            skip_tag = std::strncmp(name, "struct", length) == 0 || std::strncmp(name, "union", length) == 0 ||
                       std::strncmp(name, "enum", length) == 0;
            continue;
        }
        if (skip_tag) {  // the tag of struct, union or enum names no variable
            skip_tag = false;
            if (w->mode == Mode::Globals) continue;
        }
        switch (w->mode) {
            case Mode::Globals: {
                if (braces != 0 || in_initialiser || in_typedef || InFunctionHeader(*w->functions, r.line + 1)) break;
                int next = NextOnLine(l, e);
                // A function pointer variable: "(*name)" followed by its parameter list.
                bool pointer = parens == 1 && next == ')' && PreviousOnLine(l, c) == '*';
                if (!(parens == 0 && (next == ',' || next == ';' || next == '=' || next == '[')) && !pointer) break;
                std::string n(name, length);
                auto same = [&](const GlobalRecord& g) { return g.name == n; };
                if (std::find_if(w->globals->begin(), w->globals->end(), same) != w->globals->end()) break;
                w->globals->push_back(GlobalRecord{n, r.line + 1, e, std::string(l.text, l.length), w->path});
                break;
            }
            case Mode::Definition:
                if (parens == 0 && w->target.size() == static_cast<size_t>(length) &&
                    w->target.compare(0, std::string::npos, name, length) == 0)
                    Define(w, r.line);
                break;
            case Mode::Prefix: Collect(w, name, length); break;
        }
    }
}

}  // namespace

std::string ResolveInclude(const std::string& name, const IncludeSearch& includes) {
#ifdef _WIN32
    const char separator = '\\';
#else
    const char separator = '/';
#endif
    std::string file = name;
    for (char& c : file)
        if (c == '/' || c == '\\') c = separator;
    std::vector<std::string> candidates;
    for (const std::string& d : includes.directories) {
        if (d.empty()) continue;
        candidates.push_back(d.back() == '/' || d.back() == '\\' ? d + file : d + separator + file);
    }
    candidates.push_back(std::string(".") + separator + file);
    for (const std::string& c : candidates) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(c, ec)) return c;
    }
    return std::string();
}

std::vector<GlobalRecord> ListGlobals(SourceLines text, const char* path, const std::vector<FunctionRecord>& functions,
                                      const IncludeSearch& includes) {
    std::vector<GlobalRecord> globals;
    std::set<std::string> visited;
    Walk w{Mode::Globals, text, path, includes};
    w.visited = &visited;
    w.functions = &functions;
    w.globals = &globals;
    Run(&w);
    return globals;
}

bool FindDefinition(SourceLines text, const char* path, const char* name, DefinitionRecord* out,
                    const IncludeSearch& includes) {
    std::set<std::string> visited;
    Walk w{Mode::Definition, text, path, includes};
    w.visited = &visited;
    w.target = name;
    w.definition = out;
    Run(&w);
    return w.found;
}

void CollectCompletions(SourceLines text, const char* prefix, std::vector<std::string>* names,
                        const IncludeSearch& includes) {
    std::set<std::string> visited;
    Walk w{Mode::Prefix, text, "", includes};
    w.visited = &visited;
    w.target = prefix;
    w.names = names;
    Run(&w);
}
