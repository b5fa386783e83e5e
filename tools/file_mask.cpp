#include "tools/file_mask.h"

#include <cstring>

#include "editor/char_class.h"

bool MatchesFileMask(const char* name, const char* mask) {
    if (strcmp(mask, "*.*") == 0) return true;
    // Iterative match with one backtrack point for the last '*': linear in practice.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*mask == '*') {
            star = mask++;
            resume = name;
        } else if (*mask == '?' || (*mask && LowerAscii(*mask) == LowerAscii(*name))) {
            ++mask;
            ++name;
        } else if (star) {
            mask = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*mask == '*') ++mask;
    return *mask == '\0';
}

std::vector<std::string> SplitAtBlanks(const std::string& field) {
    std::vector<std::string> parts;
    size_t i = 0;
    while (i < field.size()) {
        size_t end = field.find(' ', i);
        if (end == std::string::npos) end = field.size();
        if (end > i) parts.push_back(field.substr(i, end - i));
        i = end + 1;
    }
    return parts;
}
