#pragma once
// What the project window shows below an open file: its functions sorted by name, listed
// directly or in named groups.
#include <string>
#include <vector>

struct FunctionGroup {
    std::string label;               // "%s - %s" after its first and last function; empty: no group
    std::vector<std::string> names;  // sorted
};

// Fewer than 8 functions: one group without a label. Fewer than 20: two halves. Otherwise
// groups of 10 (15 above 50, 17 above 100), the last group taking what remains.
std::vector<FunctionGroup> GroupFunctions(std::vector<std::string> names);

// The project file `file` (bare, relative to `sources_dir`, or full) as a full path.
std::string ProjectFilePath(const std::string& file, const std::string& sources_dir);
