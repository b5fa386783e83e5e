#pragma once
// Files and windows the Wine tests share: fixtures in the temporary directory, files
// read back whole, and the first editor window of the program under test.
#include <windows.h>

#include <string>

std::string TempPath(const char* name);
// Writes `text` as it is (no line-end translation) and returns the file's path.
std::string WriteTempFile(const char* name, const std::string& text);
// The whole file, or an empty string when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// The first "clMDIDocument" child of the frame's MDI client, waiting up to 10 s.
HWND WaitForEditor(HWND frame);
