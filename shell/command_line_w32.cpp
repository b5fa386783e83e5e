#include "shell/command_line_w32.h"

#include <windows.h>

#include <string>

#include "shell/frame_w32.h"
#include "shell/report.h"

namespace {

std::string Unquoted(const std::string& name) {
    std::string n = name;
    if (!n.empty() && n.front() == '"') n.erase(0, 1);
    if (!n.empty() && n.back() == '"') n.pop_back();
    return n;
}

int OpenMatches(const std::string& pattern) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    size_t slash = pattern.find_last_of("\\/:");
    std::string directory = slash == std::string::npos ? "" : pattern.substr(0, slash + 1);
    int opened = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (OpenNamedFile((directory + found.cFileName).c_str(), true)) ++opened;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return opened;
}

}  // namespace

int OpenCommandLineFiles(const CommandLineFiles& files) {
    int opened = 0;
    for (const std::string& name : files.names) {
        std::string pattern = Unquoted(name);
        int n = pattern.size() < MAX_PATH ? OpenMatches(pattern) : -1;
        if (n < 0) BadFileName(name.c_str());
        else opened += n;
    }
    if (!files.executable.empty()) OpenNamedFile(Unquoted(files.executable).c_str(), true);
    return opened;
}
