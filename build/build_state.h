#pragma once
// The application's build state. There is no lock: the user-interface thread moves it out
// of idle before a worker starts, and every command that starts or depends on a build
// asks it first.
enum class BuildState { Idle = 0, Generating = 1, Running = 2 };

BuildState CurrentBuildState();
// Idle -> generating; false (nothing changed) unless idle.
bool BeginGenerating();
void EndGenerating();
// Idle -> running, set before the worker starts so that a second request finds it taken.
bool BeginBuildRun();
void EndBuildRun();

// A stop request made while a build runs.
void RequestBuildStop();
bool BuildStopRequested();
void ClearBuildStop();

// The text to show when a command is refused because of the state; null when idle.
const char* BuildBusyText();
