#pragma once
// The history lists of the search dialogs' drop-down lists: newest first; entering a
// text again moves it to the front; the oldest entries fall off beyond the limit.
#include <string>
#include <vector>

inline constexpr size_t kSearchHistoryLimit = 20;

void AddToHistory(std::vector<std::string>* history, const std::string& text);
