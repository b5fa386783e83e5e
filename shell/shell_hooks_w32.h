#pragma once
// Operations of later subsystems that the shell calls; each stays "not available yet"
// until its subsystem installs a routine.
#include <windows.h>

struct ShellHooks {
    bool (*open_file)(const char* name, bool maximize);  // open in an editor window, or activate
    bool (*go_to_prototype)(const char* prototype);      // frame command 3502
    bool (*any_document_open)();
    bool (*close_all_documents)();                       // asks to save; false when refused
    bool (*save_configuration)();                        // whole configuration, when saving is on
};

extern ShellHooks g_shell_hooks;
