#include "tests/support/morla_process_w32.h"

#include <cstdlib>
#include <vector>

std::string WinePath(const char* unix_path) {
    std::string p = unix_path ? unix_path : "";
    if (p.empty() || p[0] != '/') return p;
    for (char& c : p)
        if (c == '/') c = '\\';
    return "Z:" + p;
}

std::string EnvPath(const char* variable) { return WinePath(getenv(variable)); }

namespace {

struct WindowSearch {
    DWORD pid;
    const char* class_name;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != s->pid || !IsWindowVisible(w)) return TRUE;
    char text[256] = "";
    if (s->class_name) GetClassNameA(w, text, sizeof text);
    else GetWindowTextA(w, text, sizeof text);
    if (lstrcmpA(text, s->class_name ? s->class_name : s->title) == 0) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND WaitFor(WindowSearch search, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

}  // namespace

HWND WaitForWindow(DWORD process_id, const char* title, DWORD ms) {
    return WaitFor({process_id, nullptr, title, nullptr}, ms);
}

bool MorlaProcess::Start(const std::string& arguments) {
    std::string exe = EnvPath("MORLA_EXE");
    std::string bin = EnvPath("MORLA_SUITE_ROOT") + "\\bin";
    char old_path[4096] = "";
    GetEnvironmentVariableA("PATH", old_path, sizeof old_path);
    SetEnvironmentVariableA("PATH", (bin + ";" + old_path).c_str());
    std::string command = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    DWORD started = GetTickCount();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process)) return false;
    WaitForInputIdle(process.hProcess, 10000);
    frame = WaitFor({process.dwProcessId, "clMDIFrame", nullptr, nullptr}, 20000);
    startup_ms = GetTickCount() - started;
    return frame != nullptr;
}

DWORD MorlaProcess::Stop() {
    DWORD code = STILL_ACTIVE;
    if (!process.hProcess) return code;
    if (frame && IsWindow(frame)) PostMessageA(frame, WM_COMMAND, 1106, 0);
    if (WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    process = {};
    frame = nullptr;
    return code;
}

MorlaProcess::~MorlaProcess() { Stop(); }

bool SaveScreenBitmap(const std::string& path) {
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DWORD row = ((w * 3 + 3) & ~3), size = row * h;
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + size), 0, 0,
                        static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader)};
    bool ok = false;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD n;
        ok = WriteFile(f, &fh, sizeof fh, &n, nullptr) && WriteFile(f, &bi.bmiHeader, sizeof bi.bmiHeader, &n, nullptr) &&
             WriteFile(f, bits, size, &n, nullptr);
        CloseHandle(f);
    }
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}
