#pragma once
// Running the project's make on a worker thread and showing what it reported.
#include <string>
#include <vector>

// The Make command (1156, F9): refused without a project or while a Makefile is being
// generated; while a build runs it records a stop request. Offers to generate a missing
// Makefile, saves the configuration, sets the build state and starts the worker. True
// when a build was started.
bool StartBuild();
// Starts the worker on the current project at once, without the questions of StartBuild.
bool StartBuildThread();

// The Show results command (1192): the message file into the output window.
void ShowBuildResults();

// Starts a process (show mode 0 hidden, 5 shown), waits on it and returns its exit code;
// -1 when it cannot be started.
int RunAndWait(const std::string& command_line, int show_mode);

// The up-to-date test before debugging: true when the caller may go on.
bool TargetIsUpToDate();

// Makes the output window's build page show the last results when it is selected.
void InstallBuildPage();

// The lines the last ShowBuildResults put into the output window.
const std::vector<std::string>& BuildResultLines();

// Moves the caret of the current editor window to a line; the editor installs it.
extern void (*g_build_go_to_line)(int line);

// Runs a double-clicked output line as a diagnostic: opens the file at its line.
void GoToDiagnosticLine(const std::vector<std::string>& lines, size_t clicked);
