#pragma once
// The brace-level margin (command 1220): the nesting depth of braces at the start of
// each visible line, counted from the document's start outside comments, strings,
// character literals and preprocessor lines.
#include <vector>

#include "editor/text_document.h"

// The levels of lines first .. first + count - 1 (1-based); lines past the end are left out.
std::vector<int> BraceLevels(const TextDocument* doc, int first, int count);

// Whether editor windows show the margin; 1220 toggles it.
bool BraceLevelsShown();
void ToggleBraceLevels();
