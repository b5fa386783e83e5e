#pragma once
// The calls into the suite's resource editor library "mresdll.dll".
#include <windows.h>

// Opens the resource file in the editor's MDI child; reports and fails when the editor is
// already active or cannot open the file.
bool StartResourceEditor(const char* path);

// The editor's window while it exists (forgotten once the window is gone).
HWND ResourceEditorWindow();

// The editor fills and greys the Resources popup itself while its window is active.
void ResourceEditorInitMenu(HMENU resources_popup);

// The "Resource files" configuration page's dialog procedure, or null without the editor.
DLGPROC ResourceFilesPageProc();

// Asks the editor's window to close; false when it refused.
bool CloseResourceEditor();

bool IsResourceFileName(const char* path);
