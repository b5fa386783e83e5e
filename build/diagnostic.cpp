#include "build/diagnostic.h"

#include <cctype>
#include <cstring>

#include "project/project.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

void SkipBlanks(const std::string& s, size_t& i) {
    while (i < s.size() && s[i] == ' ') ++i;
}

// A file name up to the next blank; a colon ends it unless a backslash follows.
std::string ReadFileName(const std::string& s, size_t& i) {
    std::string name;
    while (i < s.size() && s[i] != ' ') {
        if (s[i] == ':' && (i + 1 >= s.size() || s[i + 1] != '\\')) {
            ++i;
            break;
        }
        name += s[i++];
    }
    return name;
}

std::optional<Diagnostic> FirstFormat(const std::string& s, bool cpp, const std::string& current_dir) {
    size_t i = 0;
    while (i < s.size() && s[i] != ' ') ++i;
    if (i < s.size()) ++i;
    std::string file = ReadFileName(s, i);
    SkipBlanks(s, i);
    if (!cpp && i + 2 < s.size() && IsAlpha(s[i]) && s[i + 1] == ':' && s[i + 2] == '\\') {
        file = ReadFileName(s, i);
        SkipBlanks(s, i);
    }
    if (file.empty()) return std::nullopt;
    int line = 0, digits = 0;
    while (i < s.size() && digits < 6) {
        if (IsDigit(s[i])) {
            line = line * 10 + (s[i] - '0');
            ++digits;
            ++i;
        } else if (s[i] == ' ' && digits > 0) {
            ++i;
        } else {
            break;
        }
    }
    if (line < 1) return std::nullopt;
    if (i < s.size() && s[i] == ':') ++i;
    SkipBlanks(s, i);
    Diagnostic d;
    d.line = line;
    d.file = UpperText(PathMadeAbsolute(file, current_dir));
    d.text = "[" + std::to_string(line) + "]:" + s.substr(i);
    return d;
}

bool FileNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || std::strchr(":\\._-", c) != nullptr;
}

std::optional<Diagnostic> SecondFormat(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && FileNameChar(s[i])) ++i;
    if (i == 0) return std::nullopt;
    std::string file = s.substr(0, i);
    SkipBlanks(s, i);
    if (i >= s.size() || s[i] != '(') return std::nullopt;
    size_t close = s.find(')', i);
    if (close == std::string::npos) return std::nullopt;
    std::string number = s.substr(i + 1, close - i - 1);
    if (number.empty() || number.size() > 6) return std::nullopt;
    int line = 0;
    for (char c : number) {
        if (!IsDigit(c)) return std::nullopt;
        line = line * 10 + (c - '0');
    }
    if (line < 1) return std::nullopt;
    i = close + 1;
    while (i < s.size() && (s[i] == ' ' || s[i] == ':')) ++i;
    std::string rest = s.substr(i), word;
    if (rest.rfind("warning", 0) == 0) word = "warning";
    else if (rest.rfind("error", 0) == 0) word = "error";
    else return std::nullopt;
    size_t j = word.size();
    SkipBlanks(rest, j);
    while (j < rest.size() && rest[j] != ' ') ++j;  // the message code
    SkipBlanks(rest, j);
    Diagnostic d;
    d.line = line;
    d.file = UpperText(file);
    d.text = word + " " + rest.substr(j);
    return d;
}

}  // namespace

std::optional<Diagnostic> ParseDiagnostic(const std::string& raw, const std::string& current_dir) {
    std::string s = raw;
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
    if (s.rfind("Warning", 0) == 0 || s.rfind("Error", 0) == 0) return FirstFormat(s, false, current_dir);
    if (s.size() >= 3 && UpperText(s.substr(0, 3)) == "CPP") return FirstFormat(s, true, current_dir);
    return SecondFormat(s);
}
