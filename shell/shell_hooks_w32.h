#pragma once
// Operations of later subsystems that the shell calls; each stays "not available yet"
// until its subsystem installs a routine.
#include <windows.h>

#include <string>
#include <vector>

struct ShellHooks {
    bool (*open_file)(const char* name, bool maximize);  // open in an editor window, or activate
    bool (*go_to_prototype)(const char* prototype);      // frame command 3502
    bool (*any_document_open)();
    bool (*close_all_documents)();                       // asks to save; false when refused
    bool (*save_configuration)();                        // whole configuration, when saving is on
    void (*go_to_line)(int line);                        // in the current editor window, from 1
    // The file an editor window shows and its caret line; false for other windows.
    bool (*describe_window)(HWND child, char* path, int path_size, int* line);
};

extern ShellHooks g_shell_hooks;

// Reopens the files of the previous run at their places; lists those that failed.
struct OpenFileEntry;
void ReopenPreviousRun(const std::vector<OpenFileEntry>& entries, const char* exclusion_prefix);

// The open editor windows as entries for the configuration, in MDI order.
std::vector<OpenFileEntry> CollectOpenFiles();
