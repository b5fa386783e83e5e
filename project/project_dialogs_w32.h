#pragma once
// The small dialogs of the project commands, built in memory.
#include <string>
#include <vector>

// A list to choose from (title, the OK button's text); false on cancel or an empty choice.
bool ChooseFromList(const char* title, const char* button, const std::vector<std::string>& items, std::string& chosen);
// One line of text with a prompt; `text` holds the default and the answer. False on cancel.
bool AskText(const char* title, const char* prompt, std::string& text);
