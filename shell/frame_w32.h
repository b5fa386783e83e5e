#pragma once
// The MDI frame window ("clMDIFrame"), its menus and the one command dispatcher.
#include <windows.h>

bool RegisterWindowClasses(HINSTANCE instance);
HMENU BuildMainMenu();
HACCEL BuildAccelerators();

// Creates the frame (and, through WM_CREATE, the MDI client) with the given placement.
HWND CreateFrame(int x, int y, int width, int height, bool maximized);

// The dispatcher: every command ends here.
LRESULT DispatchCommand(HWND frame, UINT command, LPARAM parameter);

// Opens a file by name the way the frame does for drops, the command line and 3501:
// executables go to the debugger, resource files to the resource editor.
bool OpenNamedFile(const char* name, bool maximize);

// Updates the frame title: the program's title, or "%s-%s" with the project, lower-cased.
void SetFrameTitle(const char* project_name);

// The closing sequence; false when the close was refused.
bool FrameMayClose(HWND frame);
