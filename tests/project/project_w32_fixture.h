#pragma once
// A project written straight into the private Wine prefix's registry, its sources in a
// fresh temporary directory, for the tests that drive the real program.
#include <windows.h>
#include <shlwapi.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/support/morla_driving_w32.h"
#include "tests/support/morla_process_w32.h"

inline void PutString(HKEY key, const char* name, const std::string& text) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
}

inline std::string GetString(const std::string& key_path, const char* name) {
    char text[2048] = "";
    DWORD size = sizeof text;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key_path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS) text[0] = 0;
    RegCloseKey(key);
    return text;
}

inline bool WaitForFile(const std::string& path, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 100) {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        Sleep(100);
    }
    return false;
}

inline void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Writes the section of project `name` with its sources in `dir` and makes it the project
// the program reopens. The destructor removes the section and forgets it as current.
struct RegistryProject {
    std::string name, dir;
    RegistryProject(const std::string& project, const std::vector<std::string>& files) : name(project) {
        HKEY compiler;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\rmc\\Compiler", 0, KEY_READ, &compiler) == ERROR_SUCCESS) {
            RegCloseKey(compiler);
        } else {
            MorlaProcess first;  // the first run records the compiler root
            first.Start("/w");
        }
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        dir = std::string(temp) + "morla_" + project;
        CreateDirectoryA(dir.c_str(), nullptr);
        CreateDirectoryA((dir + "\\rmc").c_str(), nullptr);
        std::string root = EnvPath("MORLA_SUITE_ROOT");
        HKEY key;
        RegCreateKeyExA(HKEY_CURRENT_USER, Section().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        PutString(key, "Name", name);
        PutString(key, "ProjectPath", dir);
        PutString(key, "SourcesDir", dir);
        PutString(key, "Includes", root + "\\include");
        PutString(key, "CompilerFlags", "136");
        PutString(key, "MakeName", root + "\\bin\\make.exe");
        PutString(key, "MakeDir", dir + "\\rmc");
        PutString(key, "Exe", name + ".exe");
        PutString(key, "PrjFiles", std::to_string(files.size()));
        for (size_t i = 0; i < files.size(); ++i) PutString(key, ("File" + std::to_string(i + 1)).c_str(), files[i]);
        RegCloseKey(key);
        SetCurrent(name);
    }
    ~RegistryProject() {
        SetCurrent("");
        SHDeleteKeyA(HKEY_CURRENT_USER, Section().c_str());
        RunHidden("cmd /c rmdir /s /q \"" + dir + "\"");
    }
    std::string Section() const { return "Software\\rmc\\Morla\\" + name; }
    std::string File(const std::string& file) const { return dir + "\\" + file; }

    static void SetCurrent(const std::string& project) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\rmc\\Morla", 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        PutString(key, "CurrentProject", project);
        RegCloseKey(key);
    }
    static void RunHidden(const std::string& command) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) return;
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
};

inline std::string ControlText(HWND dialog, int id) {
    char text[1024] = "";
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

inline void SetControlText(HWND dialog, int id, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Clicks a button of a dialog shown by another process without waiting for what follows.
inline void PostClick(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))); }

inline void Screenshot(const char* name) {
    Sleep(400);
    SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\" + name);
}
