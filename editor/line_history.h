#pragma once
// The last five line numbers entered in the Goto line dialog, most recent first.
#include <string>
#include <vector>

inline constexpr int kLineHistorySize = 5;
inline constexpr int kLineNumberChars = 8;  // the field's limit

const std::vector<std::string>& LineHistory();
// Puts the number at the front (once), dropping the oldest beyond five.
void RememberLineNumber(const std::string& text);
// A positive number from the field's text, or 0.
int ParseLineNumber(const std::string& text);
