#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/support/morla_process_w32.h"

namespace {

std::string TempFile(const char* name, const std::string& text) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    std::string path = std::string(dir) + name;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(f);
    return path;
}

std::string ReadFile(const std::string& path) {
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

void Type(HWND editor, const char* text) {
    for (; *text; ++text) PostMessageA(editor, WM_CHAR, static_cast<unsigned char>(*text), 1);
}

void Key(HWND editor, WPARAM key) { PostMessageA(editor, WM_KEYDOWN, key, 1); }

// Posts Save behind the queued keys and waits until the file holds something else.
std::string SaveAndRead(HWND frame, const std::string& path, const std::string& old) {
    PostMessageA(frame, WM_COMMAND, 1103, 0);
    // The save replaces the file through a temporary one: wait until it reads the same twice.
    for (int i = 0; i < 200; ++i) {
        std::string now = ReadFile(path);
        Sleep(100);
        if (!now.empty() && now != old && now == ReadFile(path)) return now;
    }
    return old;
}

TEST(Editor, TypedKeysAreSavedAndUndone) {
    const std::string original = "int x;\r\nchar y;\r\n";
    std::string path = TempFile("morla_typing.c", original);
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + path));
    HWND editor = WaitForEditor(morla.frame);
    ASSERT_TRUE(editor);
    Type(editor, "static ");
    Key(editor, VK_END);
    Type(editor, " /* x */\rlong z;");
    Key(editor, VK_DOWN);
    Key(editor, VK_HOME);
    Key(editor, VK_DELETE);
    std::string saved = SaveAndRead(morla.frame, path, original);
    EXPECT_EQ(saved, "static int x; /* x */\r\nlong z;\r\nhar y;\r\n");
    // Undo of the Delete, of the Down and Home motions (one step), of "long z;" typed
    // character by character, and of the line break.
    for (int i = 0; i < 1 + 1 + 7 + 1; ++i) PostMessageA(morla.frame, WM_COMMAND, 1110, 0);
    std::string undone = SaveAndRead(morla.frame, path, saved);
    EXPECT_EQ(undone, "static int x; /* x */\r\nchar y;\r\n");
    morla.Stop();
}

bool PutOnClipboard(const char* text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    strcpy(static_cast<char*>(GlobalLock(block)), text);
    GlobalUnlock(block);
    bool ok = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    return ok;
}

TEST(Editor, PasteTakesOtherProgramsTextWithoutCarriageReturns) {
    const std::string original = "ab\r\n";
    std::string path = TempFile("morla_paste.c", original);
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + path));
    HWND editor = WaitForEditor(morla.frame);
    ASSERT_TRUE(editor);
    ASSERT_TRUE(PutOnClipboard("one\r\ntwo"));
    Key(editor, VK_RIGHT);
    PostMessageA(morla.frame, WM_COMMAND, 1113, 0);
    EXPECT_EQ(SaveAndRead(morla.frame, path, original), "aone\r\ntwob\r\n");
    morla.Stop();
}

TEST(Editor, ColouredSourceScreenshot) {
    std::string path = TempFile("morla_colours.c",
                                "#include <stdio.h>\r\n"
                                "/* Colouring: keywords, comments\r\n"
                                "   and strings */\r\n"
                                "static int count = 0;  // a line comment\r\n"
                                "\r\n"
                                "int main(int argc, char **argv)\r\n"
                                "{\r\n"
                                "\tfor (int i = 0; i < argc; i++) {\r\n"
                                "\t\tif (argv[i][0] == '-') continue;\r\n"
                                "\t\tprintf(\"%s while return\\n\", argv[i]);\r\n"
                                "\t}\r\n"
                                "\treturn count;\r\n"
                                "}\r\n");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + path));
    HWND editor = WaitForEditor(morla.frame);
    ASSERT_TRUE(editor);
    SendMessageA(GetParent(editor), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(editor), 0);
    // Select "count" on line 4 so the screenshot shows a selection too.
    for (int i = 0; i < 3; ++i) Key(editor, VK_DOWN);
    for (int i = 0; i < 11; ++i) Key(editor, VK_RIGHT);
    PostMessageA(editor, WM_LBUTTONDBLCLK, 0, 0);
    Sleep(1500);
    RedrawWindow(morla.frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);
    EXPECT_TRUE(SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\editor.bmp"));
    morla.Stop();
}

std::string TextOf(HWND w) {
    char text[512] = "";  // WM_GETTEXT itself: GetWindowText does not ask another process
    SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(Editor, TwoMaximisedFilesTheFrameTitleNamesTheOneDrawn) {
    std::string a = TempFile("morla_title_a.c", "int a;\r\n");
    std::string b = TempFile("morla_title_b.c", "int b;\r\n");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + a + " " + b));
    ASSERT_TRUE(WaitForEditor(morla.frame));
    Sleep(1500);
    HWND client = FindWindowExA(morla.frame, nullptr, "MDIClient", nullptr);
    BOOL maximized = FALSE;
    HWND active = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    HWND top = GetWindow(client, GW_CHILD);
    std::string frame_title = TextOf(morla.frame), active_title = TextOf(active);
    EXPECT_TRUE(maximized);
    EXPECT_EQ(active, top);
    EXPECT_EQ(active_title, b);
    EXPECT_NE(frame_title.find("[" + active_title + "]"), std::string::npos) << frame_title;
    EXPECT_TRUE(SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\title.bmp"));
    morla.Stop();
}

}  // namespace
