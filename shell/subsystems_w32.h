#pragma once
// Each subsystem's Win32 layer installs its window classes, command handlers and shell
// hooks here, once, after the frame exists and before the command line is handled.
void InstallSubsystems();
