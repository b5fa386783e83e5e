#pragma once
// Driving the dialogs and windows of a running morla.exe from a test process.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/morla_process_w32.h"

// A name in the temporary directory.
std::string TempPath(const char* name);
// A file in the temporary directory holding `text` as it is; its path.
std::string TempFile(const char* name, const std::string& text);
std::string ReadWholeFile(const std::string& path);

// The first editor window of the frame, waiting for it to appear.
HWND WaitForEditor(HWND frame);
HWND ActiveChild(HWND frame);

// The output window's status line (asked with WM_GETTEXT, which crosses processes).
std::string StatusText(HWND frame);
// Polls the status line until it equals `text` or 5 s have passed; what it showed last.
std::string WaitForStatus(HWND frame, const std::string& text);

std::string WindowText(HWND window);
// The rows of another process's list box (asked wide: Wine loses narrow text across processes).
std::vector<std::string> ListRows(HWND list);
// The text of a message box: its static control.
std::string BoxText(HWND box);

// Waits for a box of the title, presses its OK and returns its text ("" when none came).
std::string DismissBox(DWORD process_id, const char* title);

// A dialog's field, told to the dialog as an edit, and a button clicked as
// by the mouse (BM_CLICK), for a check box only when its check differs.
void SetField(HWND dialog, int id, const std::string& text);
void Click(HWND dialog, int id);
void SetCheck(HWND dialog, int id, bool checked);

// Posts Save (1103) and waits until the file holds something other than `old`, read
// the same twice (the save replaces it through a temporary file).
std::string SaveAndRead(HWND frame, const std::string& path, const std::string& old);
