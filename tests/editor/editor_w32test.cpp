#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/support/morla_driving_w32.h"
#include "tests/support/morla_process_w32.h"

namespace {

void Type(HWND editor, const char* text) {
    for (; *text; ++text) PostMessageA(editor, WM_CHAR, static_cast<unsigned char>(*text), 1);
}

void Key(HWND editor, WPARAM key) { PostMessageA(editor, WM_KEYDOWN, key, 1); }

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

}  // namespace
