#pragma once
// The compile-file command (1290) and the Compiler menu's items that follow the current
// document and project: "&Compile %s" and "&Execute %s".
#include <windows.h>

void CompileActiveFile();

// Called when the menu opens: 1290 while the current document is a C source, 1295 while
// the project names an executable.
void UpdateBuildMenuItems(HMENU menu);
