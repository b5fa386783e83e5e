#include "editor/line_history.h"

#include <algorithm>
#include <cctype>

namespace {

std::vector<std::string> g_history;

}  // namespace

const std::vector<std::string>& LineHistory() { return g_history; }

void RememberLineNumber(const std::string& text) {
    std::erase(g_history, text);
    g_history.insert(g_history.begin(), text);
    if (g_history.size() > static_cast<size_t>(kLineHistorySize)) g_history.resize(kLineHistorySize);
}

int ParseLineNumber(const std::string& text) {
    if (text.empty() || text.size() > static_cast<size_t>(kLineNumberChars)) return 0;
    long value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
        value = value * 10 + (c - '0');
    }
    return value > 0 && value <= 0x7FFFFFFF ? static_cast<int>(value) : 0;
}
