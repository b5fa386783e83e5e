#pragma once
// A count value followed by item values numbered from 1, each item one text, in the
// current section of the open store.
#include <algorithm>
#include <string>
#include <vector>

#include "config/store.h"

// Stops at the first missing or empty item, so a damaged count cannot make it run on;
// items that do not parse are skipped.
template <class T>
void ReadNumberedList(const char* count_name, const char* item_pattern, bool (*parse)(const std::string&, T&),
                      std::vector<T>& list) {
    list.clear();
    int count = std::max(0, ReadInt(count_name, 0));
    std::string text;
    for (int i = 1; i <= count && ReadString(NumberedName(item_pattern, i).c_str(), text) && !text.empty(); ++i) {
        T item;
        if (parse(text, item)) list.push_back(item);
    }
}

// Stops at the first failing write.
template <class T>
bool WriteNumberedList(const char* count_name, const char* item_pattern, std::string (*format)(const T&),
                       const std::vector<T>& list) {
    if (!WriteInt(count_name, static_cast<long>(list.size()))) return false;
    for (size_t i = 0; i < list.size(); ++i)
        if (!WriteString(NumberedName(item_pattern, static_cast<int>(i + 1)).c_str(), format(list[i]).c_str()))
            return false;
    return true;
}
