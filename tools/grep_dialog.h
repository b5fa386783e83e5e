#pragma once
// What dialog 900 "Global Regular Expression Print (GREP)" does with its fields when
// "&Search" is pressed; the Win32 dialog procedure calls this and keeps the dialog
// open when it returns false (the reason has been reported).
#include <string>
#include <vector>

#include "tools/grep.h"

struct GrepDialogFields {
    std::string expression;  // at most 128 characters
    std::string masks;       // at most 31 characters
    std::string directory;   // at most 512 characters
    bool regular_expression = false;
    bool ignore_case = false;
    bool whole_words = false;
    bool multiple = false;
    bool subdirectories = false;
};

struct GrepHistory {
    std::vector<std::string> texts, directories;  // newest first
};

inline constexpr size_t kGrepExpressionLimit = 128;
inline constexpr size_t kGrepMaskLimit = 31;
inline constexpr size_t kGrepDirectoryLimit = 512;

// The check boxes for the last search's flags ("Ignore case" checked when the
// match-case bit is clear), the directory being the current one.
GrepDialogFields GrepDialogStart(const GrepParameters& last, const std::string& current_directory);

// Refuses an empty mask field ("No files specified"), an empty expression
// (id 1214) and a directory that does not exist (id 4380); removes a trailing
// separator, makes the directory a full path, fills the histories and sets the flags
// ("Multiple" clears match case and whole words).
bool AcceptGrepDialog(const GrepDialogFields& fields, GrepParameters* params, GrepHistory* history);

// The search text offered when the dialog opens: the identifier around `column` when the
// character there is an identifier character and the identifier is no C keyword; else "".
std::string IdentifierAtCursor(const char* line, int length, int column);
