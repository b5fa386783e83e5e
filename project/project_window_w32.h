#pragma once
// The project window ("Project: %s", command 1262): a tree of the project, its files and
// the functions of the open ones.
#include <windows.h>

void ProjectWindowCommand();

// Shows the current project again after its files changed; nothing when the window is closed.
void RefreshProjectWindow();

// The window while it is shown, or null.
HWND ProjectWindow();
