#pragma once
#include <windows.h>

// The whole life of the program: start-up, the message loop, shutdown. Returns the
// process's exit code (0 when a class or the frame cannot be created).
int RunMorla(HINSTANCE instance, const char* command_line);
