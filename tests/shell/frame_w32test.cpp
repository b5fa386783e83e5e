#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/support/morla_driving_w32.h"
#include "tests/support/morla_process_w32.h"

namespace {

// Writes a name into the running instance's shared area "morla".
bool WriteSharedArea(const std::string& text) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, "morla");
    if (!mapping) return false;
    char* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 1024));
    if (view) {
        lstrcpynA(view, text.c_str(), 1024);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return view != nullptr;
}

HWND FindChildOfClass(HWND frame, const char* class_name) {
    HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    return client ? FindWindowExA(client, nullptr, class_name, nullptr) : nullptr;
}

}  // namespace

TEST(Frame, StartsVisibleWithItsMenuAndAnswersTheClientSize) {
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w"));
    RecordProperty("startup_ms", static_cast<int>(morla.startup_ms));  // reported, never asserted
    printf("start-up to visible frame: %lu ms\n", morla.startup_ms);
    EXPECT_TRUE(IsWindowVisible(morla.frame));
    EXPECT_EQ(WindowText(morla.frame), "morla");
    RECT r;
    GetClientRect(morla.frame, &r);
    LRESULT size = SendMessageA(morla.frame, WM_COMMAND, 3503, 0);
    EXPECT_EQ(LOWORD(size), r.right);
    EXPECT_EQ(HIWORD(size), r.bottom);
    Sleep(500);
    EXPECT_TRUE(SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\startup.bmp"));
    EXPECT_EQ(morla.Stop(), 0u);
}

TEST(Frame, SecondInstanceAppendsZeroToItsTitle) {
    MorlaProcess first, second;
    ASSERT_TRUE(first.Start("/w"));
    ASSERT_TRUE(second.Start("/w"));
    EXPECT_EQ(WindowText(second.frame), "morla0");
}

TEST(Frame, SharedAreaOpensAResourceFileAndItsCommandsGoToTheEditor) {
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w"));
    std::string first = TempFile("morla_test_a.rc", "1 ICON a.ico\r\n");
    ASSERT_TRUE(WriteSharedArea(first));
    SendMessageA(morla.frame, WM_COMMAND, 3501, 0);
    HWND editor = FindChildOfClass(morla.frame, "MresStandIn");
    ASSERT_NE(editor, nullptr);
    SendMessageA(morla.frame, WM_COMMAND, 1103, 0);  // save, while the editor is active
    EXPECT_EQ(WindowText(editor), "Resource editor: command 1103");

    // A second resource file while the editor runs is refused; the first stays open.
    std::string second = TempFile("morla_test_b.rc", "2 ICON b.ico\r\n");
    ASSERT_TRUE(WriteSharedArea(second));
    PostMessageA(morla.frame, WM_COMMAND, 3501, 0);
    HWND box = WaitForWindow(morla.process.dwProcessId, "Error");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), "Resource editor is active.\nClose it first");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    Sleep(300);
    EXPECT_TRUE(IsWindow(editor));
    EXPECT_EQ(morla.Stop(), 0u);
}

TEST(Frame, MissingResourceFileIsReportedNotFound) {
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w"));
    ASSERT_TRUE(WriteSharedArea("C:\\no\\such\\file.rc"));
    PostMessageA(morla.frame, WM_COMMAND, 3501, 0);
    HWND box = WaitForWindow(morla.process.dwProcessId, "Error");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), "File C:\\no\\such\\file.rc not found!");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST(Frame, AboutBoxOpensAndExitEndsTheProgram) {
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w"));
    PostMessageA(morla.frame, WM_COMMAND, 1107, 0);
    HWND about = WaitForWindow(morla.process.dwProcessId, "About Morla");
    ASSERT_NE(about, nullptr);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    Sleep(200);
    PostMessageA(morla.frame, WM_COMMAND, 1106, 0);
    EXPECT_EQ(WaitForSingleObject(morla.process.hProcess, 10000), WAIT_OBJECT_0);
}

TEST(Frame, CommandsOfUnbuiltPartsSayTheyAreNotAvailable) {
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w"));
    HWND output = FindWindowExA(morla.frame, nullptr, "MorlaOutput", nullptr);
    ASSERT_NE(output, nullptr);
    for (UINT command : {1161u, 1124u, 1200u, 1159u}) {  // commands allowed without a document
        SendMessageA(output, 8040, 0, 0);
        SendMessageA(morla.frame, WM_COMMAND, command, 0);
        char status[512] = "";  // WM_GETTEXT itself: GetWindowText does not ask another process
        SendMessageA(output, WM_GETTEXT, sizeof status, reinterpret_cast<LPARAM>(status));
        EXPECT_NE(std::string(status).find("Not available yet"), std::string::npos) << command << ": " << status;
    }
    // With no document, a command that needs one does nothing at all.
    SendMessageA(output, 8040, 0, 0);
    SendMessageA(morla.frame, WM_COMMAND, 1257, 0);
    char status[512] = "";
    SendMessageA(output, WM_GETTEXT, sizeof status, reinterpret_cast<LPARAM>(status));
    EXPECT_EQ(std::string(status).find("Not available yet"), std::string::npos) << status;
    EXPECT_EQ(morla.Stop(), 0u);
}

TEST(Frame, SharedAreaPrototypeGoesToTheFunctionOrAppendsIt) {
    std::string path = TempFile("morla_test_proto.c", "int alpha(void)\r\n{\r\n    return 1;\r\n}\r\n");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + path));
    HWND editor = FindChildOfClass(morla.frame, "clMDIDocument");
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(WriteSharedArea("int alpha(void); /* known */"));
    SendMessageA(morla.frame, WM_COMMAND, 3502, 0);
    EXPECT_EQ(WindowText(editor).find('*'), std::string::npos) << WindowText(editor);  // unchanged
    ASSERT_TRUE(WriteSharedArea("int beta(int x);"));
    SendMessageA(morla.frame, WM_COMMAND, 3502, 0);
    EXPECT_NE(WindowText(editor).find('*'), std::string::npos) << WindowText(editor);   // modified
    SendMessageA(morla.frame, WM_COMMAND, 1103, 0);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char text[256] = "";
    DWORD n = 0;
    ReadFile(f, text, sizeof text - 1, &n, nullptr);
    CloseHandle(f);
    EXPECT_STREQ(text, "int alpha(void)\r\n{\r\n    return 1;\r\n}\r\nint beta(int x)\r\n{\r\n}\r\n");
}

TEST(Frame, ClosingListsEveryModifiedFileInOneDialog) {
    std::string a = TempFile("morla_test_close_a.c", "int a;\r\n");
    std::string b = TempFile("morla_test_close_b.c", "int b;\r\n");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + a + " " + b));
    HWND client = FindWindowExA(morla.frame, nullptr, "MDIClient", nullptr);
    int editors = 0;
    for (HWND child = FindWindowExA(client, nullptr, "clMDIDocument", nullptr); child;
         child = FindWindowExA(client, child, "clMDIDocument", nullptr), ++editors)
        SendMessageA(child, WM_CHAR, 'x', 1);
    ASSERT_EQ(editors, 2);

    PostMessageA(morla.frame, WM_CLOSE, 0, 0);
    HWND box = WaitForWindow(morla.process.dwProcessId, "Modified files");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(box, 101, LB_GETCOUNT, 0, 0), 2);
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);  // refused: the program stays
    Sleep(300);
    EXPECT_TRUE(IsWindow(morla.frame));

    PostMessageA(morla.frame, WM_CLOSE, 0, 0);
    box = WaitForWindow(morla.process.dwProcessId, "Modified files");
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, 103, 0);  // close without saving
    EXPECT_EQ(WaitForSingleObject(morla.process.hProcess, 10000), WAIT_OBJECT_0);
    HANDLE f = CreateFileA(a.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char text[64] = "";
    DWORD n = 0;
    ReadFile(f, text, sizeof text - 1, &n, nullptr);
    CloseHandle(f);
    EXPECT_STREQ(text, "int a;\r\n");
}
