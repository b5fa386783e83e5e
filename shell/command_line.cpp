#include "shell/command_line.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads blanks then a decimal number at p; returns false when there is no number.
bool ReadNumberAfterBlanks(const std::string& s, size_t& p, long& value) {
    size_t q = p;
    while (q < s.size() && IsBlank(s[q])) ++q;
    if (q >= s.size() || !isdigit(static_cast<unsigned char>(s[q]))) return false;
    value = 0;
    while (q < s.size() && isdigit(static_cast<unsigned char>(s[q]))) {
        if (value < 100000000) value = value * 10 + (s[q] - '0');
        ++q;
    }
    p = q;
    return true;
}

bool IsOptionToken(const std::string& t) { return t.size() >= 2 && (t[0] == '/' || t[0] == '-'); }

bool AllDigits(const std::string& t) {
    if (t.empty()) return false;
    for (char c : t)
        if (!isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

}  // namespace

const char* SkipProgramName(const char* command_line) {
    const char* p = command_line;
    if (*p == '"') {  // a quoted program path may hold blanks
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    }
    while (*p && !IsBlank(*p)) ++p;
    while (IsBlank(*p)) ++p;
    return p;
}

StartOptions ScanOptions(const std::string& s) {
    StartOptions o;
    if (s.find("/w") != std::string::npos) o.splash = o.reopen_files = o.reopen_project = false;
    for (size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != '/' && s[i] != '-') continue;
        char letter = s[i + 1];
        size_t p = i + 2;
        long value = 0;
        switch (letter) {
            case 'd': case 'D': case 'p':
                if (ReadNumberAfterBlanks(s, p, value)) {
                    o.debug_process = true;
                    o.process_id = value;
                    o.reopen_files = o.reopen_project = false;
                }
                break;
            case 'e':
                if (ReadNumberAfterBlanks(s, p, value)) o.event_handle = value;
                break;
            case 'f': case 'F':
                o.reopen_files = o.reopen_project = false;
                break;
            default:
                continue;
        }
        i = p - 1;
    }
    return o;
}

std::vector<std::string> TokenizeCommandLine(const std::string& s) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && IsBlank(s[i])) ++i;
        if (i >= s.size()) break;
        size_t start = i;
        if (s[i] == '"') {
            size_t close = s.find('"', i + 1);
            i = close == std::string::npos ? s.size() : close + 1;
        } else {
            while (i < s.size() && !IsBlank(s[i])) ++i;
        }
        tokens.push_back(s.substr(start, i - start));
    }
    return tokens;
}

bool NamesExecutable(const std::string& name) {
    std::string n = name;
    if (!n.empty() && n.back() == '"') n.pop_back();
    if (n.size() < 4) return false;
    std::string tail = n.substr(n.size() - 4);
    for (char& c : tail) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return tail == ".EXE";
}

CommandLineFiles ParseFileNames(const std::string& args) {
    CommandLineFiles result;
    std::vector<std::string> tokens = TokenizeCommandLine(args);
    for (size_t i = 0; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        if (IsOptionToken(t)) {
            // The number of "-e 12" and the like belongs to the option.
            if (t.size() == 2 && strchr("dDpe", t[1]) && i + 1 < tokens.size() && AllDigits(tokens[i + 1])) ++i;
            continue;
        }
        if (NamesExecutable(t)) {
            result.executable = t;
            for (size_t j = i + 1; j < tokens.size(); ++j) {
                if (!result.executable_args.empty()) result.executable_args += ' ';
                result.executable_args += tokens[j];
            }
            break;
        }
        result.names.push_back(t);
    }
    return result;
}
