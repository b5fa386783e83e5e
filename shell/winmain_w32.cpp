#include <windows.h>

#include "shell/startup_w32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunMorla(instance, GetCommandLineA()); }
