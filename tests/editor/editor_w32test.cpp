#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
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

namespace {

HWND OutputOf(const MorlaProcess& morla) { return FindWindowExA(morla.frame, nullptr, "MorlaOutput", nullptr); }

// Through the wide message: Wine hands another process's list text over in UTF-16.
std::string ListText(HWND list, int index) {
    wchar_t text[512] = L"";
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    char narrow[512] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

// Esc posts command 1280 to the frame behind the keys already queued: wait for it.
void Escape(HWND editor) {
    Key(editor, VK_ESCAPE);
    Sleep(400);
}

void Screenshot(const char* name) {
    Sleep(500);
    EXPECT_TRUE(SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\" + name));
}

TEST(Editor, BookmarksAreChosenFromTheirListAndDeleted) {
    std::string path = TempFile("morla_marks.c", "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\n");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + path));
    HWND editor = WaitForEditor(morla.frame);
    ASSERT_TRUE(editor);
    Key(editor, VK_DOWN);
    PostMessageA(morla.frame, WM_COMMAND, 1142, 0);  // line 2
    Key(editor, VK_DOWN);
    Key(editor, VK_DOWN);
    PostMessageA(morla.frame, WM_COMMAND, 1142, 0);  // line 4
    Key(editor, VK_DOWN);
    PostMessageA(morla.frame, WM_COMMAND, 1143, 0);
    HWND box = WaitForWindow(morla.process.dwProcessId, "Bookmarks");
    ASSERT_NE(box, nullptr);
    HWND list = GetDlgItem(box, 101);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(ListText(list, 0), "morla_marks.c:4: four");  // newest first
    EXPECT_EQ(ListText(list, 1), "morla_marks.c:2: two");
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    Screenshot("bookmarks.bmp");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    Sleep(500);
    EXPECT_EQ(TextOf(OutputOf(morla)), "2:1");

    PostMessageA(morla.frame, WM_COMMAND, 1145, 0);
    box = WaitForWindow(morla.process.dwProcessId, "Bookmarks");
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);  // the first: line 4
    Sleep(300);
    PostMessageA(morla.frame, WM_COMMAND, 1143, 0);
    box = WaitForWindow(morla.process.dwProcessId, "Bookmarks");
    ASSERT_NE(box, nullptr);
    list = GetDlgItem(box, 101);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(ListText(list, 0), "morla_marks.c:2: two");
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);  // cancelled: the caret stays
    Sleep(300);
    EXPECT_EQ(TextOf(OutputOf(morla)), "2:1");
    morla.Stop();
}

TEST(Editor, EscapeCompletesNamesAndMembersAndUndoRemovesIt) {
    const std::string original =
        "struct pt { int alpha; };\r\n"
        "int counter, country;\r\n"
        "int f(struct pt *p)\r\n"
        "{\r\n"
        "    int x = p->;\r\n"
        "    return counte + coun;\r\n"
        "}\r\n";
    std::string path = TempFile("morla_complete.c", original);
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + path));
    HWND editor = WaitForEditor(morla.frame);
    ASSERT_TRUE(editor);
    for (int i = 0; i < 4; ++i) Key(editor, VK_DOWN);
    Sleep(500);
    EXPECT_EQ(TextOf(OutputOf(morla)), "f 5:1");  // the function holding the caret
    Key(editor, VK_END);
    Key(editor, VK_LEFT);
    Escape(editor);  // the one member
    Key(editor, VK_DOWN);
    Key(editor, VK_END);
    Key(editor, VK_LEFT);
    Escape(editor);  // "coun": counte, counter and country in a pop-up menu
    Screenshot("completion_menu.bmp");
    for (int i = 0; i < 3; ++i) Key(editor, VK_DOWN);  // the menu's keys: the third item
    Key(editor, VK_RETURN);
    Sleep(300);
    for (int i = 0; i < 10; ++i) Key(editor, VK_LEFT);
    Escape(editor);  // "counte": only counter
    std::string saved = SaveAndRead(morla.frame, path, original);
    EXPECT_EQ(saved,
              "struct pt { int alpha; };\r\n"
              "int counter, country;\r\n"
              "int f(struct pt *p)\r\n"
              "{\r\n"
              "    int x = p->alpha;\r\n"
              "    return counter + country;\r\n"
              "}\r\n");
    PostMessageA(morla.frame, WM_COMMAND, 1110, 0);  // one Undo takes back one completion
    EXPECT_NE(SaveAndRead(morla.frame, path, saved).find("return counte + country;"), std::string::npos);
    PostMessageA(morla.frame, WM_COMMAND, 1220, 0);  // the brace-level margin
    SendMessageA(GetParent(editor), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(editor), 0);
    Screenshot("brace_levels.bmp");
    morla.Stop();
}

// The page's buttons, pressed through the page's own command.
void Press(HWND page, WORD id) {
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

TEST(Editor, MacroPageDefinesMacrosThatOkPutsInForce) {
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w"));
    for (int round = 0; round < 2; ++round) {
        PostMessageA(morla.frame, WM_COMMAND, 1119, 0);
        HWND sheet = WaitForWindow(morla.process.dwProcessId, "Configuration of Morla");
        ASSERT_NE(sheet, nullptr);
        HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        ASSERT_NE(page, nullptr);
        HWND list = GetDlgItem(page, 101), key = GetDlgItem(page, 102), text = GetDlgItem(page, 103);
        if (round == 0) {
            EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
            SendMessageA(key, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));  // no letter: emptied
            EXPECT_EQ(TextOf(key), "");
            for (const char* k : {"e", "w"}) {
                SendMessageA(key, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(k));
                SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(*k == 'e' ? "else {\r\n}" : "while"));
                Press(page, 104);
            }
            EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
            SendMessageA(key, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("w"));
            Press(page, 105);
            EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
            EXPECT_EQ(TextOf(text), "");
            SendMessageA(key, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("e"));  // shows the macro of e
            EXPECT_EQ(TextOf(text), "else {\r\n}");
            Screenshot("macro_page.bmp");
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        } else {
            ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);  // the list OK put in force
            EXPECT_EQ(ListText(list, 0), "e");
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        }
        for (int i = 0; i < 50 && IsWindow(sheet); ++i) Sleep(100);
        EXPECT_FALSE(IsWindow(sheet));
    }
    morla.Stop();
}

TEST(Editor, ManyCandidatesAreChosenInAListDialog) {
    std::string original = "int ";
    for (int i = 0; i < 30; ++i) original += "name" + std::to_string(100 + i) + (i < 29 ? ", " : ";\r\n");
    original += "int f(void) { return name; }\r\n";
    std::string path = TempFile("morla_complete_list.c", original);
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("/w " + path));
    HWND editor = WaitForEditor(morla.frame);
    ASSERT_TRUE(editor);
    Key(editor, VK_DOWN);
    Key(editor, VK_END);
    for (int i = 0; i < 3; ++i) Key(editor, VK_LEFT);
    Key(editor, VK_ESCAPE);
    HWND box = WaitForWindow(morla.process.dwProcessId, "Completion");
    ASSERT_NE(box, nullptr);
    HWND list = GetDlgItem(box, 101);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 30);
    EXPECT_EQ(ListText(list, 7), "name107");
    SendMessageA(list, LB_SETCURSEL, 7, 0);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    Sleep(300);
    std::string saved = SaveAndRead(morla.frame, path, original);
    EXPECT_NE(saved.find("return name107; }"), std::string::npos) << saved;
    morla.Stop();
}

std::string MorlaValue(const char* name) {
    char value[512] = "";
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, "Software\\rmc\\Morla", name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "";
    return value;
}

TEST(Editor, MacrosConfirmedOnThePageAreSavedInTheRegistry) {
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start());  // no command line: the configuration is saved
    for (int round = 0; round < 2; ++round) {
        PostMessageA(morla.frame, WM_COMMAND, 1119, 0);
        HWND sheet = WaitForWindow(morla.process.dwProcessId, "Configuration of Morla");
        ASSERT_NE(sheet, nullptr);
        HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        SendMessageA(GetDlgItem(page, 102), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("q"));
        if (round == 0) {
            SendMessageA(GetDlgItem(page, 103), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("\xe9t\xe9\r\n"));
            Press(page, 104);
        } else {
            Press(page, 105);
        }
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        for (int i = 0; i < 50 && IsWindow(sheet); ++i) Sleep(100);
        int count = std::atoi(MorlaValue("Macros").c_str()), found = 0;
        for (int m = 1; m <= count; ++m) {
            std::string n = std::to_string(m);
            if (MorlaValue(("Macro" + n + "Code").c_str()) != "q") continue;
            ++found;
            EXPECT_EQ(MorlaValue(("Macro" + n + "Length").c_str()), "4");
            EXPECT_EQ(MorlaValue(("Macro" + n + "TextLine0").c_str()), "233116233010");
        }
        EXPECT_EQ(found, round == 0 ? 1 : 0);
    }
    morla.Stop();
}

}  // namespace
