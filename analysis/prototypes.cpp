#include "analysis/prototypes.h"

#include <cstring>
#include <ctime>

#include "analysis/char_reader.h"
#include "analysis/generated_file.h"
#include "editor/char_class.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

std::vector<std::string> Words(const std::string& s) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && s[i] == ' ') ++i;
        size_t a = i;
        while (i < s.size() && s[i] != ' ') ++i;
        if (i > a) words.push_back(s.substr(a, i - a));
    }
    return words;
}

// The declaration from its start to the body, comments and preprocessor lines dropped
// and line ends and tabs read as blanks.
std::string DeclarationText(SourceLines text, const FunctionRecord& f) {
    std::string s;
    if (f.start_line <= 0 || f.body_line > text.count || f.start_line > f.body_line) return s;
    CharReader r = MakeCharReader(text, true);
    r.line = f.start_line - 1;
    r.column = f.start_column;
    for (;;) {
        int ch = NextChar(&r);
        if (ch < 0 || (ch == '{' && r.line >= f.body_line - 1)) break;
        if (ch == '/' && SkipComment(&r)) {
            s += ' ';
        } else if (ch == '#') {
            SkipPreprocessorLine(&r);
        } else {
            s += (ch == '\n' || ch == '\t') ? ' ' : static_cast<char>(ch);
        }
    }
    return s;
}

bool BadOutputName(const char* name) { return !*name || std::strpbrk(name, "<>|\"*?") != nullptr; }

}  // namespace

DeclarationWords SplitDeclaration(SourceLines text, const FunctionRecord& f) {
    DeclarationWords d;
    std::string s = DeclarationText(text, f);
    // The parameter list is the first '(' after the name.
    size_t at = 0, open = std::string::npos;
    while ((at = s.find(f.name, at)) != std::string::npos) {
        size_t p = at + f.name.size();
        bool starts_word = at == 0 || !IsIdentifierChar(s[at - 1]);
        while (p < s.size() && s[p] == ' ') ++p;
        if (starts_word && p < s.size() && s[p] == '(') {
            open = p;
            break;
        }
        at += f.name.size();
    }
    if (open == std::string::npos) {
        d.head = Words(s);
        return d;
    }
    d.head = Words(s.substr(0, open));
    int depth = 0;
    std::string parameter;
    for (size_t i = open + 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '(') ++depth;
        if (c == ')' && depth-- == 0) break;
        if (c == ',' && depth == 0) {
            d.parameters.push_back(Words(parameter));
            parameter.clear();
            continue;
        }
        parameter += c;
    }
    std::vector<std::string> last = Words(parameter);
    if (!last.empty() || !d.parameters.empty()) d.parameters.push_back(last);
    if (d.parameters.size() == 1 && d.parameters[0].size() == 1 && d.parameters[0][0] == "void") d.parameters.clear();
    return d;
}

std::string PrototypeLine(const DeclarationWords& d) {
    std::string line;
    for (const std::string& w : d.head) line += w + " ";
    line += "(";
    if (d.parameters.empty()) line += "void";
    for (size_t p = 0; p < d.parameters.size(); ++p) {
        if (p) line += ",";
        for (const std::string& w : d.parameters[p]) line += w + " ";
    }
    return line + ");\n";
}

int WritePrototypes(SourceLines text, const std::vector<FunctionRecord>& functions, const char* document_path,
                    const char* output_file, unsigned options, const char* static_word, const char* generated_at) {
    if (BadOutputName(output_file)) {
        BadFileName(output_file);
        return -1;
    }
    std::string word(static_word, strnlen(static_word, kMaxStaticWordLength));
    std::string path = document_path;
    for (char& c : path) c = static_cast<char>(LowerAscii(c));
    std::string guard = LastComponent(output_file);
    guard = guard.substr(0, guard.find('.'));
    for (char& c : guard) c = static_cast<char>(UpperAscii(c));

    std::string out = FormatText("/* Prototypes for %s. Generated  %s */\n", path.c_str(), generated_at);
    out += "\n";
    out += FormatText("#ifndef _T%s_H_ID_\n", guard.c_str());
    out += FormatText("#define _T%s_H_ID_\n", guard.c_str());
    int examined = 0;
    for (const FunctionRecord& f : functions) {
        ++examined;
        DeclarationWords d = SplitDeclaration(text, f);
        if (options & kPrototypesIgnoreStatic) {
            bool is_static = false;
            for (const std::string& w : d.head) is_static = is_static || w == word;
            if (is_static) continue;
        }
        out += PrototypeLine(d);
    }
    out += "#endif\n";
    return WriteGeneratedFile(output_file, out) ? examined : -1;
}

std::string CurrentDateTimeText() {
    std::time_t now = std::time(nullptr);
    char text[64];
    std::strftime(text, sizeof text, "%a %b %d %H:%M:%S %Y", std::localtime(&now));
    return text;
}
