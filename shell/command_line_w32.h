#pragma once
#include "shell/command_line.h"

// Opens every file that a name or wildcard pattern of the command line matches; a pattern
// that matches nothing is reported as an incorrect file name. Returns the number opened.
int OpenCommandLineFiles(const CommandLineFiles& files);
