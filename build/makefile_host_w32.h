#pragma once
// The Makefile generation's surroundings on Win32: hidden child processes for the
// dependency scans, the "File processor" dialog and progress on the status line.
#include "build/makefile.h"

const MakefileHost& Win32MakefileHost();

// The generate-Makefile command (1267).
void GenerateMakefileCommand();
