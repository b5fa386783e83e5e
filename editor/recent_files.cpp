#include "editor/recent_files.h"

#include <cctype>
#include <vector>

#include "shell/format_buffer.h"

namespace {

std::vector<std::string> g_recent;  // most recent first

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

constexpr size_t kLongestShown = 35;

}  // namespace

void NoteClosedFile(const char* name) {
    std::string lower = Lower(name);
    for (auto it = g_recent.begin(); it != g_recent.end(); ++it)
        if (Lower(*it) == lower) {
            g_recent.erase(it);
            break;
        }
    g_recent.insert(g_recent.begin(), name);
    if (g_recent.size() > static_cast<size_t>(kRecentFilesMax)) g_recent.pop_back();
}

int RecentFileCount() { return static_cast<int>(g_recent.size()); }

const char* RecentFile(int index) {
    return index >= 0 && index < RecentFileCount() ? g_recent[static_cast<size_t>(index)].c_str() : "";
}

std::string RecentMenuText(const std::string& name, const std::string& working_directory) {
    std::string text = name.find('\\') == std::string::npos
                           ? std::string(FormatText("%s\\%s", working_directory.c_str(), name.c_str()))
                           : name;
    text = Lower(text);
    if (text.size() <= kLongestShown) return text;
    size_t last = text.rfind('\\');
    return text.substr(0, 3) + "..." + text.substr(last + 1);
}
