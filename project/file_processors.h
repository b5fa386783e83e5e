#pragma once
// File processors (how make builds a project file of a type it does not know), user
// utilities with their macros, and the texts of running the project's program.
#include <string>
#include <vector>

#include "project/project.h"

// The processor for a project file: its input equals the path (made "%s\%s" with
// SourcesDir when it has no backslash), or the path's last component, or the last
// components agree; without regard to case, the first in list order. Null when none.
const FileProcessorSetting* FindFileProcessor(const Project& p, const std::string& file);
FileProcessorSetting* FindFileProcessor(Project& p, const std::string& file);

// Updates the file's processor or puts a new one at the head; false, reported ("You must
// fill both fields"), when the command or output is empty.
bool SetFileProcessor(Project& p, const std::string& file, const std::string& command, const std::string& output);

// The default tool and output for a file by its extension ("" when none).
std::string DefaultTool(const std::string& file);
std::string DefaultOutput(const std::string& file);

// Editor state the macros are replaced with.
struct MacroContext {
    std::string file;               // $FILE$
    unsigned window = 0;            // $HWND$
    std::string current_text;       // $CURRENT_TEXT$ and $CURSOR$
    std::string selection;          // $SELECTION$
    bool selection_multiline = false;
    std::string exe;                // $EXE$, already made "%s\%s" with MakeDir
    std::string current_dir;        // $DIR$
    // $ASK$: asks with the prompt; false when cancelled. Null: cancelled.
    bool (*ask)(const std::string& prompt, std::string& answer) = nullptr;
};

// `text` with its $NAME$ macros replaced, each followed by one blank. `prompt` is the
// expanded program for $ASK$; empty means the program itself is being expanded, where
// $ASK$ is not allowed. False (reported where the user must know) on failure.
bool ExpandMacros(const std::string& text, const std::string& prompt, const MacroContext& context, std::string& out);

// The project's program: Exe, "%s\%s" with MakeDir when it has no backslash.
std::string ProgramPath(const Project& p);

inline constexpr const char* kConsoleBatchFile = "rmctmpbatFile945.bat";
// The batch file that runs a console program and keeps its window open.
std::string ConsoleBatchText(const std::string& command);

// Utilities take command ids 1300 to 1311; the lowest id no utility holds, or 0 when all
// twelve are taken.
inline constexpr int kFirstUtilityId = 1300, kLastUtilityId = 1311;
int FreeUtilityId(const std::vector<UtilitySetting>& utilities);
