#include "shell/subsystems_w32.h"

#include "analysis/analysis_commands_w32.h"
#include "analysis/document_scan.h"
#include "build/build_run_w32.h"
#include "editor/shell_links_w32.h"
#include "shell/shell_hooks_w32.h"

// One line per subsystem: declare its installer and call it below.

void InstallEditor();
void InstallProjects();
void InstallCms();
void InstallGrep();

void InstallSubsystems() {
    InstallAnalysisHooks();
    InstallAnalysisCommands();
    InstallEditor();
    LinkEditorToShell();
    InstallProjects();
    InstallCms();
    InstallGrep();
    g_build_go_to_line = g_shell_hooks.go_to_line;
}
