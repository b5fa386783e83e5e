// The multi-file search in the real program: dialog 900 filled by messages, the hits in
// the output window, and a double click opening a hit at its line.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/morla_driving_w32.h"
#include "tests/support/morla_process_w32.h"

namespace {

enum : int { kExpression = 101, kMasks = 102, kDirectory = 103, kRegular = 104, kIgnoreCase = 105, kWholeWords = 106,
             kMultiple = 107, kSubdirectories = 108, kOutputList = 4801 };

const char* const kTitle = "Global Regular Expression Print (GREP)";

void Write(const std::string& path, const std::string& text) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(f);
}

std::string Lower(std::string s) {
    CharLowerA(&s[0]);
    return s;
}

class GrepW32 : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        dir_ = std::string(temp) + "morla_grep_tree";
        CreateDirectoryA(dir_.c_str(), nullptr);
        CreateDirectoryA((dir_ + "\\sub").c_str(), nullptr);
        CreateDirectoryA((dir_ + "\\.hidden").c_str(), nullptr);
        Write(dir_ + "\\a.c", "int x;\r\nneedle one\r\n");
        Write(dir_ + "\\sub\\b.h", "a\r\nb\r\n\t  needle two\r\n");
        Write(dir_ + "\\c.txt", "needle not in the masks\r\n");
        Write(dir_ + "\\.hidden\\d.c", "needle in a dot directory\r\n");
    }
    void TearDown() override {
        for (const char* f : {"\\a.c", "\\sub\\b.h", "\\c.txt", "\\.hidden\\d.c"}) DeleteFileA((dir_ + f).c_str());
        RemoveDirectoryA((dir_ + "\\sub").c_str());
        RemoveDirectoryA((dir_ + "\\.hidden").c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    // Opens the dialog and fills it for a plain, case-sensitive search.
    HWND OpenDialog(const std::string& expression) {
        PostMessageA(morla_.frame, WM_COMMAND, 1150, 0);
        HWND dialog = WaitForWindow(morla_.process.dwProcessId, kTitle);
        if (!dialog) return nullptr;
        SetField(dialog, kExpression, expression);
        SetField(dialog, kMasks, "*.c *.h");
        SetField(dialog, kDirectory, dir_ + "\\");
        for (int id : {kRegular, kIgnoreCase, kWholeWords, kMultiple}) SetCheck(dialog, id, false);
        SetCheck(dialog, kSubdirectories, true);
        return dialog;
    }

    std::string dir_;
    MorlaProcess morla_;
};

TEST_F(GrepW32, HitsFillTheOutputListAndADoubleClickOpensTheLine) {
    ASSERT_TRUE(morla_.Start("/w"));
    HWND dialog = OpenDialog("needle");
    ASSERT_NE(dialog, nullptr);
    Sleep(300);
    SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\grep_dialog.bmp");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    HWND output = FindWindowExA(morla_.frame, nullptr, "MorlaOutput", nullptr);
    HWND list = GetDlgItem(output, kOutputList);
    for (int i = 0; i < 100 && SendMessageA(list, LB_GETCOUNT, 0, 0) < 3; ++i) Sleep(50);
    std::vector<std::string> lines = ListRows(list);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Searching for 'needle' in '*.c *.h': 2 hits.");
    EXPECT_EQ(lines[1], "[a.c:2] needle one") << "in the searched directory: the name alone";
    EXPECT_EQ(lines[2], "[" + Lower(dir_) + "\\sub\\b.h:3] needle two") << "below it: the full path";
    Sleep(300);
    SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\grep_hits.bmp");

    SendMessageA(list, LB_SETCURSEL, 2, 0);
    SendMessageA(output, WM_COMMAND, MAKEWPARAM(kOutputList, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    HWND editor = ActiveChild(morla_.frame);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Lower(WindowText(editor)), Lower(dir_ + "\\sub\\b.h"));
    EXPECT_EQ(WaitForStatus(morla_.frame, "3:1"), "3:1");
    morla_.Stop();
}

TEST_F(GrepW32, RefusedFieldsKeepTheDialogAndNoHitIsTold) {
    ASSERT_TRUE(morla_.Start("/w"));
    HWND dialog = OpenDialog("needle");
    ASSERT_NE(dialog, nullptr);
    SetField(dialog, kMasks, "");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(DismissBox(morla_.process.dwProcessId, "Error"), "No files specified");
    ASSERT_TRUE(IsWindow(dialog));
    SetField(dialog, kMasks, "*.c");
    SetCheck(dialog, kRegular, true);
    SetField(dialog, kExpression, "need(le");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(DismissBox(morla_.process.dwProcessId, "Error"), "Mismatched ()");
    ASSERT_TRUE(IsWindow(dialog));
    SetField(dialog, kExpression, "hay(stack)+");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForStatus(morla_.frame, "'hay(stack)+': not found"), "'hay(stack)+': not found");
    morla_.Stop();
}

// Lines on which every word but the last is found only after a long walk: a search of
// seconds, so the Stop comes first.
TEST_F(GrepW32, StopEndsARunningSearchAndASecondOneWaits) {
    std::string words, line(360, 'x');
    for (int i = 10; i < 38; ++i) words += "w" + std::to_string(i) + " ";
    line += " " + words + "\r\n";
    words += "absent";
    std::string block;
    while (block.size() < (4u << 20)) block += line;
    std::string big = dir_ + "\\big";
    CreateDirectoryA(big.c_str(), nullptr);
    auto name = [&](int i) { return big + "\\f" + std::to_string(i) + ".c"; };
    for (int i = 0; i < 50; ++i) Write(name(i), block);
    ASSERT_TRUE(morla_.Start("/w"));
    HWND dialog = OpenDialog(words);
    ASSERT_NE(dialog, nullptr);
    SetCheck(dialog, kMultiple, true);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    HWND progress = WaitForWindow(morla_.process.dwProcessId, "Grep");
    ASSERT_NE(progress, nullptr);
    SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\grep_progress.bmp");
    PostMessageA(morla_.frame, WM_COMMAND, 1150, 0);
    const std::string running = "A search is running: stop it first";
    EXPECT_EQ(WaitForStatus(morla_.frame, running), running);
    PostMessageA(progress, WM_COMMAND, IDCANCEL, 0);
    const std::string stopped = "'" + words + "': not found (stopped)";
    EXPECT_EQ(WaitForStatus(morla_.frame, stopped), stopped);
    EXPECT_FALSE(IsWindow(progress));
    morla_.Stop();
    for (int i = 0; i < 50; ++i) DeleteFileA(name(i).c_str());
    RemoveDirectoryA(big.c_str());
}

}  // namespace
