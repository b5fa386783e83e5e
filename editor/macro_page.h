#pragma once
// The text-macro page of the configuration: it edits a copy of the macro list, which
// replaces the list when the page is confirmed. Its text field shows line ends as
// CR LF; macros keep LF.
#include <string>

inline constexpr int kMacroFieldLimit = 1024;

// The key field holds one letter, A-Z or a-z.
bool IsMacroKey(const std::string& key);

std::string MacroTextForField(const std::string& text);   // LF as CR LF
std::string MacroTextFromField(const std::string& field);  // CR dropped
// The macro position of a caret offset in the field (each CR LF counts once).
int MacroPositionFromField(const std::string& field, int offset);
int FieldOffsetOfPosition(const std::string& text, int position);
