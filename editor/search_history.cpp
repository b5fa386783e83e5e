#include "editor/search_history.h"

#include <algorithm>

void AddToHistory(std::vector<std::string>* history, const std::string& text) {
    if (text.empty()) return;
    auto old = std::find(history->begin(), history->end(), text);
    if (old != history->end()) history->erase(old);
    history->insert(history->begin(), text);
    if (history->size() > kSearchHistoryLimit) history->resize(kSearchHistoryLimit);
}
