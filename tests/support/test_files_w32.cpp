#include "tests/support/test_files_w32.h"

#include <cstdio>

std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

std::string WriteTempFile(const char* name, const std::string& text) {
    std::string path = TempPath(name);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(f);
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::string text;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        fclose(f);
    }
    return text;
}

HWND WaitForEditor(HWND frame) {
    for (int i = 0; i < 200; ++i) {
        HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
        if (HWND editor = client ? FindWindowExA(client, nullptr, "clMDIDocument", nullptr) : nullptr) return editor;
        Sleep(50);
    }
    return nullptr;
}
