// Find and Replace in the real program, their dialogs answered by messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/morla_driving_w32.h"
#include "tests/support/morla_process_w32.h"

namespace {

enum : int {
    kText = 101, kCurrentWindow = 102, kExact = 105, kExpression = 106, kCaseSensitive = 109, kForwards = 110,
    kAllWindows = 103, kWrap = 112, kWholeWords = 113, kReplacement = 114, kConfirm = 115, kByFunction = 116, kFunctions = 117, kAll = 102,
};

void Screenshot(const char* name) {
    Sleep(300);
    SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\" + name);
}

// The options every test starts from, whatever an earlier run left in the configuration.
void PlainOptions(HWND dialog) {
    Click(dialog, kCurrentWindow);
    Click(dialog, kExact);
    Click(dialog, kCaseSensitive);
    Click(dialog, kForwards);
    SetCheck(dialog, kWrap, false);
    SetCheck(dialog, kWholeWords, false);
}

// Waits for a window of the title other than `old`.
HWND WaitForNew(const MorlaProcess& morla, const char* title, HWND old) {
    for (int i = 0; i < 100; ++i) {
        HWND w = WaitForWindow(morla.process.dwProcessId, title, 100);
        if (w && w != old) return w;
    }
    return nullptr;
}

TEST(FindW32, FindThenNextAndPreviousMoveTheSelection) {
    std::string path = TempFile("morla_find.c", "alpha beta\r\ngamma beta\r\nBeta end\r\n");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + path));
    ASSERT_TRUE(WaitForEditor(morla.frame));
    PostMessageA(morla.frame, WM_COMMAND, 1137, 0);
    HWND dialog = WaitForWindow(morla.process.dwProcessId, "Search");
    ASSERT_NE(dialog, nullptr);
    PlainOptions(dialog);
    SetField(dialog, kText, "beta");
    Screenshot("find_dialog.bmp");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForStatus(morla.frame, "1:11"), "1:11") << "the caret ends the first match";
    PostMessageA(morla.frame, WM_COMMAND, 1135, 0);
    EXPECT_EQ(WaitForStatus(morla.frame, "2:11"), "2:11");
    PostMessageA(morla.frame, WM_COMMAND, 1135, 0);  // "Beta" differs in case
    EXPECT_EQ(DismissBox(morla.process.dwProcessId, "Information"), "String not found");
    PostMessageA(morla.frame, WM_COMMAND, 1136, 0);
    EXPECT_EQ(WaitForStatus(morla.frame, "1:11"), "1:11") << "backwards from the selection's start";

    // A malformed expression is told with the engine's message and the dialog stays open.
    PostMessageA(morla.frame, WM_COMMAND, 1137, 0);
    dialog = WaitForWindow(morla.process.dwProcessId, "Search");
    ASSERT_NE(dialog, nullptr);
    Click(dialog, kExpression);
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, kCaseSensitive), BM_GETCHECK, 0, 0), BST_CHECKED);
    SetField(dialog, kText, "(be");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(DismissBox(morla.process.dwProcessId, "Error"), "Mismatched ()");
    EXPECT_TRUE(IsWindow(dialog));
    SetField(dialog, kText, "ga(m+)a");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForStatus(morla.frame, "2:6"), "2:6");
    morla.Stop();
}

TEST(FindW32, ReplaceAllAfterOneYesIsUndoneInOneStep) {
    const std::string original = "foo x foo\r\nfoo\r\nend foo\r\n";
    std::string path = TempFile("morla_replace.c", original);
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + path));
    ASSERT_TRUE(WaitForEditor(morla.frame));
    PostMessageA(morla.frame, WM_COMMAND, 1120, 0);
    HWND dialog = WaitForWindow(morla.process.dwProcessId, "Search and replace");
    ASSERT_NE(dialog, nullptr);
    PlainOptions(dialog);
    SetCheck(dialog, kConfirm, true);
    SetField(dialog, kText, "foo");
    SetField(dialog, kReplacement, "bar");
    Screenshot("replace_dialog.bmp");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    HWND ask = WaitForNew(morla, "Replace", nullptr);
    ASSERT_NE(ask, nullptr);
    Screenshot("replace_confirm.bmp");
    PostMessageA(ask, WM_COMMAND, IDYES, 0);
    HWND next = WaitForNew(morla, "Replace", ask);
    ASSERT_NE(next, nullptr) << "the second match is asked for";
    PostMessageA(next, WM_COMMAND, kAll, 0);
    std::string replaced = SaveAndRead(morla.frame, path, original);
    EXPECT_EQ(replaced, "bar x bar\r\nbar\r\nend bar\r\n");
    PostMessageA(morla.frame, WM_COMMAND, 1110, 0);
    EXPECT_EQ(SaveAndRead(morla.frame, path, replaced), original) << "one Undo restores every occurrence";
    morla.Stop();
}

TEST(FindW32, AllWindowsGoesOnInTheNextWindow) {
    std::string first = TempFile("morla_find_first.c", "nothing here\r\n");
    std::string second = TempFile("morla_find_second.c", "one\r\ntwo target\r\n");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + first + " " + second));
    ASSERT_TRUE(WaitForEditor(morla.frame));
    HWND client = FindWindowExA(morla.frame, nullptr, "MDIClient", nullptr);
    HWND start = nullptr;
    for (HWND w = FindWindowExA(client, nullptr, "clMDIDocument", nullptr); w; w = FindWindowExA(client, w, "clMDIDocument", nullptr))
        if (WindowText(w) == first) start = w;
    ASSERT_NE(start, nullptr);
    SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(start), 0);
    PostMessageA(morla.frame, WM_COMMAND, 1137, 0);
    HWND dialog = WaitForWindow(morla.process.dwProcessId, "Search");
    ASSERT_NE(dialog, nullptr);
    PlainOptions(dialog);
    Click(dialog, kAllWindows);
    SetField(dialog, kText, "target");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForStatus(morla.frame, "2:11"), "2:11");
    EXPECT_EQ(WindowText(ActiveChild(morla.frame)), second);
    morla.Stop();
}

TEST(FindW32, ReplaceByFunctionKeepsToTheFunctionHoldingTheCaret) {
    const std::string original = "int a(void)\r\n{\r\n    return x + x;\r\n}\r\nint b(void)\r\n{\r\n    return x;\r\n}\r\n";
    std::string path = TempFile("morla_replace_function.c", original);
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + path));
    HWND editor = WaitForEditor(morla.frame);
    ASSERT_TRUE(editor);
    for (int i = 0; i < 6; ++i) PostMessageA(editor, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(WaitForStatus(morla.frame, "b 7:1"), "b 7:1");  // in b, whose name the status line gives
    PostMessageA(morla.frame, WM_COMMAND, 1120, 0);
    HWND dialog = WaitForWindow(morla.process.dwProcessId, "Search and replace");
    ASSERT_NE(dialog, nullptr);
    PlainOptions(dialog);
    SetCheck(dialog, kConfirm, false);
    SetCheck(dialog, kByFunction, true);
    HWND functions = GetDlgItem(dialog, kFunctions);
    LRESULT chosen = SendMessageA(functions, CB_GETCURSEL, 0, 0);
    wchar_t name[64] = L"";  // the wide message: the narrow one is cut between processes under Wine
    SendMessageW(functions, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, L"b") << "the function holding the caret is preselected";
    SetField(dialog, kText, "x");
    SetField(dialog, kReplacement, "y");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(SaveAndRead(morla.frame, path, original),
              "int a(void)\r\n{\r\n    return x + x;\r\n}\r\nint b(void)\r\n{\r\n    return y;\r\n}\r\n");
    morla.Stop();
}

}  // namespace
