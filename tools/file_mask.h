#pragma once
// File-name masks with the wildcards '*' (any run) and '?' (any one character),
// compared without regard to case. "*.*" matches every name, also one without a dot.
#include <string>
#include <vector>

bool MatchesFileMask(const char* name, const char* mask);

// The blank-separated parts of a field (masks, several words), in order.
std::vector<std::string> SplitAtBlanks(const std::string& field);
