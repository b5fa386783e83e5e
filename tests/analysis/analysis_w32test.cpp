// The source-analysis windows in the real program: each command on a fixture C file,
// its window read back, or the file it writes read from disk.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/morla_process_w32.h"
#include "tests/support/morla_driving_w32.h"

namespace {

const char kSource[] =
    "/* Fixture of the analysis windows. */\r\n"      // 1
    "int counter, table[4];\r\n"                      // 2
    "static char *name = \"x\";\r\n"                  // 3
    "\r\n"                                            // 4
    "int alpha(int a)\r\n"                            // 5
    "{\r\n"                                           // 6
    "    puts(\"first string\");\r\n"                 // 7
    "    return a + counter;\r\n"                     // 8
    "}\r\n"                                           // 9
    "static int beta(void)\r\n"                       // 10
    "{\r\n"                                           // 11
    "    if (counter) puts(\"second\");\r\n"          // 12
    "    return 2;\r\n"                               // 13
    "}\r\n"                                           // 14
    "int gamma(int x, char *y) { return alpha(x); }\r\n";  // 15

// Waits until the file exists and reads the same twice (it is replaced as a whole).
std::string WaitForFile(const std::string& path, const std::string& old = "") {
    for (int i = 0; i < 100; ++i) {
        std::string now = ReadWholeFile(path);
        Sleep(100);
        if (!now.empty() && now != old && now == ReadWholeFile(path)) return now;
    }
    return old;
}

// The lines of a text with CR LF line ends (each must have one).
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    if (start < text.size()) lines.push_back("missing line end: " + text.substr(start));
    return lines;
}

// Another process's control text: WM_GETTEXT itself, as GetWindowText does not ask.
std::string ControlText(HWND w) {
    char text[2048] = "";
    SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// The caret position, after the name of the function holding it, on the status line (a message showing there is dropped first).
std::string CaretStatus(HWND frame) {
    HWND output = FindWindowExA(frame, nullptr, "MorlaOutput", nullptr);
    Sleep(300);
    SendMessageA(output, 8040, 0, 0);
    return ControlText(output);
}

void Screenshot(const char* name) {
    Sleep(700);
    SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\" + name);
}

// Starts the program on the fixture, its editor window current.
struct AnalysisSession {
    MorlaProcess morla;
    std::string path = TempFile("morla_analysis.c", kSource);
    HWND editor = nullptr;

    bool Start() {
        if (!morla.Start("/w " + path)) return false;
        editor = WaitForEditor(morla.frame);
        return editor != nullptr;
    }
    HWND Command(UINT command, const char* window_title) {
        PostMessageA(morla.frame, WM_COMMAND, command, 0);
        return WaitForWindow(morla.process.dwProcessId, window_title);
    }
};

TEST(AnalysisWindows, FunctionListAndMovesBetweenFunctions) {
    AnalysisSession s;
    ASSERT_TRUE(s.Start());
    PostMessageA(s.editor, WM_KEYDOWN, VK_F12, 1);  // the editor's own key for the list
    HWND box = WaitForWindow(s.morla.process.dwProcessId, "Functions in morla_analysis.c");
    ASSERT_NE(box, nullptr);
    HWND list = GetDlgItem(box, 101);
    EXPECT_EQ(ListRows(list), (std::vector<std::string>{"alpha", "beta", "gamma"}));
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    Screenshot("function_list.bmp");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(CaretStatus(s.morla.frame), "beta 10:1");  // beta's name line

    PostMessageA(s.morla.frame, WM_COMMAND, 1209, 0);
    EXPECT_EQ(CaretStatus(s.morla.frame), "gamma 15:1");
    PostMessageA(s.morla.frame, WM_COMMAND, 1209, 0);  // none after the last: stays
    EXPECT_EQ(CaretStatus(s.morla.frame), "gamma 15:1");
    PostMessageA(s.morla.frame, WM_COMMAND, 1210, 0);
    PostMessageA(s.morla.frame, WM_COMMAND, 1210, 0);
    EXPECT_EQ(CaretStatus(s.morla.frame), "alpha 5:1");
    s.morla.Stop();
}

TEST(AnalysisWindows, GlobalsListGoesToTheChosenGlobal) {
    AnalysisSession s;
    ASSERT_TRUE(s.Start());
    HWND box = s.Command(1193, "Globals in morla_analysis.c");
    ASSERT_NE(box, nullptr);
    HWND list = GetDlgItem(box, 101);
    EXPECT_EQ(ListRows(list), (std::vector<std::string>{"counter\t2\tint counter, table[4];",
                                                        "table\t2\tint counter, table[4];",
                                                        "name\t3\tstatic char *name = \"x\";"}));
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    Screenshot("globals.bmp");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(CaretStatus(s.morla.frame), "3:1");
    s.morla.Stop();
}

TEST(AnalysisWindows, FunctionMetricsAndTheFilePlot) {
    AnalysisSession s;
    ASSERT_TRUE(s.Start());
    HWND box = s.Command(1180, "Functions in morla_analysis.c");
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);  // alpha, the first
    HWND metrics = WaitForWindow(s.morla.process.dwProcessId, "Morla code analysis");
    ASSERT_NE(metrics, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(metrics, 200)), "alpha");
    EXPECT_EQ(ControlText(GetDlgItem(metrics, 210)), "4");  // lines: the body, no comment right above
    EXPECT_EQ(ListRows(GetDlgItem(metrics, 240)), (std::vector<std::string>{"a", "counter", "puts"}));
    SendMessageA(metrics, WM_COMMAND, 250, 0);  // Next function
    EXPECT_EQ(ControlText(GetDlgItem(metrics, 200)), "beta");
    EXPECT_EQ(ControlText(GetDlgItem(metrics, 215)), "2");  // control operators: if and return
    Screenshot("function_metrics.bmp");
    SendMessageA(metrics, WM_COMMAND, 250, 0);
    SendMessageA(metrics, WM_COMMAND, 250, 0);  // round to the first again
    EXPECT_EQ(ControlText(GetDlgItem(metrics, 200)), "alpha");
    PostMessageA(metrics, WM_COMMAND, IDCANCEL, 0);
    Sleep(300);

    HWND plot = s.Command(1179, "Metrics of morla_analysis.c");
    ASSERT_NE(plot, nullptr);
    char class_name[64] = "";
    GetClassNameA(plot, class_name, sizeof class_name);
    EXPECT_STREQ(class_name, "clGrClass");
    Screenshot("file_metrics.bmp");
    PostMessageA(plot, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 2 * 20 + 5));  // beta's row
    metrics = WaitForWindow(s.morla.process.dwProcessId, "Morla code analysis");
    ASSERT_NE(metrics, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(metrics, 200)), "beta");
    PostMessageA(metrics, WM_COMMAND, IDCANCEL, 0);
    s.morla.Stop();
}

TEST(AnalysisWindows, PrototypesAskBeforeOverwritingAndLeaveStaticsOut) {
    AnalysisSession s;
    ASSERT_TRUE(s.Start());
    const std::string out = TempFile("morla_protos.h", "old\r\n");
    HWND box = s.Command(1181, "Write prototypes");
    ASSERT_NE(box, nullptr);
    SendMessageA(GetDlgItem(box, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(out.c_str()));
    SendMessageA(GetDlgItem(box, 104), BM_SETCHECK, BST_CHECKED, 0);
    Screenshot("prototypes.bmp");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND ask = WaitForWindow(s.morla.process.dwProcessId, "Information");
    ASSERT_NE(ask, nullptr);
    PostMessageA(ask, WM_COMMAND, IDNO, 0);  // refused: the file stays
    Sleep(500);
    EXPECT_EQ(ReadWholeFile(out), "old\r\n");

    box = s.Command(1181, "Write prototypes");
    ASSERT_NE(box, nullptr);
    SendMessageA(GetDlgItem(box, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(out.c_str()));
    EXPECT_EQ(SendMessageA(GetDlgItem(box, 104), BM_GETCHECK, 0, 0), BST_CHECKED);  // kept from the last time
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ask = WaitForWindow(s.morla.process.dwProcessId, "Information");
    ASSERT_NE(ask, nullptr);
    PostMessageA(ask, WM_COMMAND, IDYES, 0);
    std::string header = WaitForFile(out, "old\r\n");
    size_t body = header.find("\r\n\r\n");
    ASSERT_NE(body, std::string::npos) << header;
    EXPECT_EQ(header.substr(0, 17), "/* Prototypes for");
    EXPECT_EQ(header.substr(body + 4),
              "#ifndef _TMORLA_PROTOS_H_ID_\r\n"
              "#define _TMORLA_PROTOS_H_ID_\r\n"
              "int alpha (int a );\r\n"
              "int gamma (int x ,char *y );\r\n"
              "#endif\r\n");
    s.morla.Stop();
}

TEST(AnalysisWindows, StringTableListsContextAndWritesTheArray) {
    AnalysisSession s;
    ASSERT_TRUE(s.Start());
    const std::string out = TempPath("morla_strings_out.c");
    DeleteFileA(out.c_str());
    HWND box = s.Command(1219, "String table generation");
    ASSERT_NE(box, nullptr);
    HWND list = GetDlgItem(box, 101);
    EXPECT_EQ(ListRows(list), (std::vector<std::string>{"STR_00000\t\"first string\"", "STR_00001\t\"second\""}));
    EXPECT_EQ(ControlText(GetDlgItem(box, 102)), "{\r\n    puts(\"first string\");\r\n    return a + counter;");
    SendMessageA(GetDlgItem(box, 103), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(out.c_str()));
    Screenshot("string_table.bmp");
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    SendMessageA(box, WM_COMMAND, 112, 0);  // Exclude the first
    EXPECT_EQ(ListRows(list), (std::vector<std::string>{"STR_00001\t\"second\""}));
    SendMessageA(box, WM_COMMAND, 110, 0);  // Renum
    EXPECT_EQ(ListRows(list), (std::vector<std::string>{"STR_00000\t\"second\""}));
    PostMessageA(box, WM_COMMAND, 115, 0);  // Table
    std::vector<std::string> lines = Lines(WaitForFile(out));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "/* Morla String Table */");
    EXPECT_EQ(lines[1], "unsigned char *StringTable[]={");
    EXPECT_EQ(lines[2].rfind("/* strings from ", 0), 0u) << lines[2];
    EXPECT_NE(lines[2].find("morla_analysis.c */"), std::string::npos) << lines[2];
    EXPECT_EQ(lines[3], "\t\"second\" \t/* 0 */");
    EXPECT_EQ(lines[4], "};");
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    s.morla.Stop();
}

TEST(AnalysisWindows, DefinitionOfTheWordAtTheCaret) {
    AnalysisSession s;
    ASSERT_TRUE(s.Start());
    for (int i = 0; i < 3; ++i) PostMessageA(s.morla.frame, WM_COMMAND, 1209, 0);  // gamma's line
    const int column = static_cast<int>(std::string("int gamma(int x, char *y) { return al").size());
    for (int i = 0; i < column; ++i) PostMessageA(s.editor, WM_KEYDOWN, VK_RIGHT, 1);
    ASSERT_EQ(CaretStatus(s.morla.frame), "gamma 15:" + std::to_string(column + 1));
    HWND box = s.Command(1158, "Definition of alpha");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(ControlText(GetDlgItem(box, 101)).find("morla_analysis.c(5)"), std::string::npos);
    EXPECT_EQ(ControlText(GetDlgItem(box, 102)), "\r\nint alpha(int a)\r\n{");
    Screenshot("definition.bmp");
    PostMessageA(box, WM_COMMAND, 103, 0);  // Go to
    EXPECT_EQ(CaretStatus(s.morla.frame), "alpha 5:1");
    s.morla.Stop();
}

}  // namespace
