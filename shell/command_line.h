#pragma once
// The command line: the option scan over the whole string and the file-name pass.
#include <string>
#include <vector>

struct StartOptions {
    bool splash = true;          // cleared by "/w"
    bool reopen_files = true;    // cleared by f, w, or a process to debug
    bool reopen_project = true;
    bool debug_process = false;  // -p/-d/-D with a process id
    long process_id = 0;
    long event_handle = 0;       // -e, signalled for just-in-time debugging
};

struct CommandLineFiles {
    std::vector<std::string> names;  // file names or wildcard patterns; quoted ones keep their quotes
    std::string executable;          // a name ending in ".EXE": debug it
    std::string executable_args;     // the tokens after it, joined with single blanks
};

// The part of a full command line after the program name and the blanks behind it.
const char* SkipProgramName(const char* command_line);

StartOptions ScanOptions(const std::string& args);

// Cuts at blanks; a token that begins with a double quote runs to the closing quote.
std::vector<std::string> TokenizeCommandLine(const std::string& args);

CommandLineFiles ParseFileNames(const std::string& args);

// Upper-cased comparison of the name's end with ".EXE".
bool NamesExecutable(const std::string& name);
