#pragma once
// What the analysis windows share: the current editor document, going to a line of a
// file, a dialog that picks one row of a list, and a dialog that asks for a text.
#include <string>
#include <vector>

struct TextDocument;

// The current view's document and its caret line (1-based), or null with a beep.
TextDocument* CurrentDocument(int* caret_line = nullptr);

// Opens or activates the file's editor window and puts the caret on `line`.
bool ShowDocumentLine(const char* path, int line);

// A modal list of rows (tabs align columns); the chosen row's index, or -1 when the
// user cancels. A double click or OK chooses.
int ChooseRow(const char* title, const std::vector<std::string>& rows, int selected);

// Asks for one line of text, at most `limit` characters; false when cancelled.
bool AskText(const char* title, const char* label, std::string* text, int limit);
