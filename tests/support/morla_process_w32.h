#pragma once
// Starts morla.exe (MORLA_EXE) as a separate process and finds its frame window, so tests
// drive the real program by window messages and the shared area.
#include <windows.h>

#include <string>

struct MorlaProcess {
    PROCESS_INFORMATION process{};
    HWND frame = nullptr;
    DWORD startup_ms = 0;  // from CreateProcess to a visible frame

    // Starts with the given arguments; the suite stand-ins' bin directory is put on PATH.
    bool Start(const std::string& arguments = "");
    // Asks the frame to close (command 1106) and waits; kills it when it does not end.
    DWORD Stop();
    ~MorlaProcess();
};

// A Unix path from the test environment as a Wine path ("Z:\...").
std::string WinePath(const char* unix_path);
std::string EnvPath(const char* variable);

// The first visible top-level window of the process with the given title, waiting up to ms.
HWND WaitForWindow(DWORD process_id, const char* title, DWORD ms = 10000);

// Saves the whole screen as a 24-bit BMP file.
bool SaveScreenBitmap(const std::string& path);
