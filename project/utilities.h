#pragma once
// User utilities: the list the utilities dialog edits and the command line a utility runs.
#include <string>
#include <vector>

#include "project/file_processors.h"

inline constexpr size_t kMaxUtilityNickname = 9, kMaxUtilityText = 511;

// The first utility with this command id, or null.
const UtilitySetting* FindUtility(const std::vector<UtilitySetting>& list, int id);

// "&Change/Add": needs a nickname and a program. An existing nickname is updated; a new one
// gets the lowest free id and goes to the head. Returns the utility's id, 0 when refused
// (reported). `*added` tells whether it is new.
int ChangeOrAddUtility(std::vector<UtilitySetting>& list, UtilitySetting fields, bool* added);

// "&Delete": the id of the removed utility, 0 (reported "Can't find utility %s") when no
// utility has that nickname.
int DeleteUtility(std::vector<UtilitySetting>& list, const std::string& nickname);

struct UtilityRun {
    std::string command_line;  // "%s %s" with the expanded program and arguments
    std::string start_dir;     // expanded; empty when none is set
};

// Expands the program (where $ASK$ is not allowed), then the arguments with the expanded
// program as the question, then the start directory. False when an expansion fails.
bool PrepareUtilityRun(const UtilitySetting& u, const MacroContext& context, UtilityRun& run);

// The word of `text` around `column` (identifier characters), empty when none is there.
std::string WordAround(const char* text, int length, int column);
