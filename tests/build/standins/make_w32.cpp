// A stand-in for the suite's make.exe: reads the Makefile subset that Morla writes
// (variables with continuation lines, rules with tab-indented commands, $(NAME)), builds
// the first target by file times, and answers -q with 0 (up to date) or 199.
#include <windows.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Rule {
    std::vector<std::string> prerequisites;
    std::vector<std::string> commands;
};

std::map<std::string, std::string> g_vars;
std::map<std::string, Rule> g_rules;
std::string g_first;
bool g_query = false;

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

std::string Expand(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '$' && i + 1 < s.size() && s[i + 1] == '(') {
            size_t close = s.find(')', i);
            if (close != std::string::npos) {
                out += Expand(g_vars[s.substr(i + 2, close - i - 2)]);
                i = close;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

std::vector<std::string> Words(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> words;
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

// The colon that ends a target: not one of a drive letter.
size_t RuleColon(const std::string& line) {
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == ':' && !(i + 1 < line.size() && line[i + 1] == '\\')) return i;
    return std::string::npos;
}

bool Read(const char* name) {
    FILE* f = fopen(name, "rb");
    if (!f) return false;
    std::vector<std::string> lines;
    std::string line, joined;
    int c;
    while (true) {
        c = fgetc(f);
        if (c == EOF || c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty() && line.back() == '\\') {
                line.pop_back();
                joined += line + " ";
            } else {
                lines.push_back(joined + line);
                joined.clear();
            }
            line.clear();
            if (c == EOF) break;
            continue;
        }
        line += static_cast<char>(c);
    }
    fclose(f);
    std::string current;
    for (const std::string& l : lines) {
        if (l.empty() || l[0] == '#') continue;
        if (l[0] == '\t') {
            if (!current.empty()) g_rules[current].commands.push_back(Trim(l));
            continue;
        }
        size_t eq = l.find('='), colon = RuleColon(l);
        if (eq != std::string::npos && (colon == std::string::npos || eq < colon)) {
            g_vars[Trim(l.substr(0, eq))] = Trim(l.substr(eq + 1));
            current.clear();
        } else if (colon != std::string::npos) {
            current = Lower(Trim(Expand(l.substr(0, colon))));
            for (const std::string& p : Words(Expand(l.substr(colon + 1)))) g_rules[current].prerequisites.push_back(Lower(p));
            if (g_first.empty()) g_first = current;
        }
    }
    return true;
}

bool Time(const std::string& file, FILETIME& t) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)) return false;
    t = data.ftLastWriteTime;
    return true;
}

int Run(const std::string& command) {
    printf("%s\n", command.c_str());
    fflush(stdout);
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        fprintf(stderr, "make: %s: cannot run (error %lu)\n", command.c_str(), GetLastError());
        return 127;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return static_cast<int>(code);
}

// 0 built or up to date, 1 needs a build (query), 2 failed.
int Make(const std::string& target, std::set<std::string>& done) {
    if (done.count(target)) return 0;
    done.insert(target);
    auto rule = g_rules.find(target);
    FILETIME mine{};
    bool exists = Time(target, mine);
    if (rule == g_rules.end()) {
        if (exists) return 0;
        fprintf(stderr, "make: *** No rule to make target '%s'.  Stop.\n", target.c_str());
        return 2;
    }
    bool stale = !exists;
    for (const std::string& p : rule->second.prerequisites) {
        int r = Make(p, done);
        if (r) return r;
        FILETIME theirs{};
        if (Time(p, theirs) && exists && CompareFileTime(&theirs, &mine) > 0) stale = true;
        if (g_rules.count(p) && !Time(p, theirs)) stale = true;
    }
    if (!stale) return 0;
    if (g_query) return 1;
    for (const std::string& c : rule->second.commands) {
        int code = Run(Expand(c));
        if (code != 0) {
            fprintf(stderr, "make: *** [%s] Error %d\n", target.c_str(), code);
            return 2;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const char* file = nullptr;
    std::vector<std::string> goals;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "-q") g_query = true;
        else if (a == "-f" && i + 1 < argc) file = argv[++i];
        else if (a[0] != '-') goals.push_back(Lower(a));
    }
    if (!(file ? Read(file) : Read("Makefile") || Read("makefile"))) {
        fprintf(stderr, "make: *** No makefile found.  Stop.\n");
        return 2;
    }
    if (goals.empty()) goals.push_back(g_first);
    std::set<std::string> done;
    for (const std::string& g : goals) {
        int r = Make(g, done);
        if (r == 1) return 199;
        if (r) return 2;
    }
    return 0;
}
