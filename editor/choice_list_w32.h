#pragma once
// Dialogs that list texts for the user to choose one: the bookmark list (dialog 6200)
// and the completion list.
#include <string>
#include <vector>

// The index of the chosen text, or -1 when the dialog is cancelled or the list is empty.
int ChooseFromList(const char* title, const std::vector<std::string>& texts);
