// The configuration through the real registry of the private Wine prefix, with the program.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <string>

#include "tests/support/morla_process_w32.h"

namespace {

const char kRoot[] = "Software\\rmc\\Morla";

std::string ReadValue(const char* name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRoot, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    char text[512] = "";
    DWORD size = sizeof text, type = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_SZ ? text : "<missing>";
}

void SetValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kRoot, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void SetText(const char* name, const char* text) { SetValue(name, REG_SZ, text, lstrlenA(text) + 1); }

RECT PlaceFrame(HWND frame, int x, int y, int w, int h) {
    ShowWindow(frame, SW_RESTORE);
    SetWindowPos(frame, nullptr, x, y, w, h, SWP_NOZORDER);
    Sleep(200);
    RECT r;
    GetWindowRect(frame, &r);
    return r;
}

}  // namespace

TEST(Settings, FramePlacementSurvivesARestart) {
    RECT placed;
    {
        MorlaProcess morla;
        ASSERT_TRUE(morla.Start());
        placed = PlaceFrame(morla.frame, 60, 50, 700, 500);
        EXPECT_EQ(morla.Stop(), 0u);
    }
    EXPECT_EQ(ReadValue("FrameX"), std::to_string(placed.left));
    EXPECT_EQ(ReadValue("FrameCX"), std::to_string(placed.right - placed.left));
    EXPECT_EQ(ReadValue("Tabsize"), "4");
    EXPECT_EQ(ReadValue("EditorFlags"), "47");
    MorlaProcess again;
    ASSERT_TRUE(again.Start());
    RECT r;
    GetWindowRect(again.frame, &r);
    EXPECT_EQ(r.left, placed.left);
    EXPECT_EQ(r.top, placed.top);
    EXPECT_EQ(r.right - r.left, placed.right - placed.left);
    EXPECT_EQ(r.bottom - r.top, placed.bottom - placed.top);
}

TEST(Settings, WrongTypesAndMissingValuesFallBackToDefaults) {
    DWORD number = 300;
    SetValue("FrameX", REG_DWORD, &number, sizeof number);
    SetText("FrameCX", "not a number");
    SetText("Tabsize", "");
    SetValue("EditorFlags", REG_BINARY, "\x01\x02", 2);
    SetText("SubScroll", "-5");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start());
    EXPECT_TRUE(IsWindowVisible(morla.frame));
    EXPECT_EQ(morla.Stop(), 0u);
    EXPECT_EQ(ReadValue("Tabsize"), "4");
    EXPECT_EQ(ReadValue("EditorFlags"), "47");
    EXPECT_EQ(ReadValue("SubScroll"), "1");
}

TEST(Settings, CommandLineOptionsLeaveTheRegistryUnchanged) {
    SetText("FrameX", "10");
    SetText("FrameY", "10");
    SetText("FrameCX", "640");
    SetText("FrameCY", "480");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w"));
    PlaceFrame(morla.frame, 200, 150, 500, 400);
    EXPECT_EQ(morla.Stop(), 0u);
    EXPECT_EQ(ReadValue("FrameX"), "10");
    EXPECT_EQ(ReadValue("FrameCX"), "640");
}

TEST(Settings, FirstRunFindsTheCompilerRootBesideTheProgram) {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\rmc");
    {
        MorlaProcess morla;
        ASSERT_TRUE(morla.Start("/w"));  // no question: the root is found, the frame comes up
    }
    std::string root = EnvPath("MORLA_SUITE_ROOT");
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\rmc\\Compiler", 0, KEY_READ, &key), ERROR_SUCCESS);
    char text[512] = "";
    DWORD size = sizeof text;
    RegQueryValueExA(key, "includepath", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    EXPECT_EQ(lstrcmpiA(text, (root + "\\include").c_str()), 0) << text;
}
