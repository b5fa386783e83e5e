// The project windows and dialogs of the real program: the project window, the project
// files, the make page, the file information, compiling one file, user utilities, and a
// new project made through its dialogs. Each window is saved as a screenshot.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "project/project.h"
#include "tests/project/project_w32_fixture.h"

namespace {

constexpr const char* kHello = "#include \"util.h\"\nint helper(void) { return 1; }\nint main(void) { return helper(); }\n";

TEST(ProjectWindows, ProjectWindowFilesDialogMakePageAndFileInformation) {
    RegistryProject project("winprj", {"HELLO.C", "UTIL.C"});
    WriteText(project.File("HELLO.C"), kHello);
    WriteText(project.File("UTIL.C"), "int util(void) { return 2; }\n");
    WriteText(project.File("util.h"), "int util(void);\n");
    WriteText(project.File("EXTRA.C"), "int extra(void) { return 3; }\n");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("\"" + project.File("HELLO.C") + "\""));
    DWORD pid = morla.process.dwProcessId;

    // The project, its two files, and the two functions of the open one.
    PostMessageA(morla.frame, WM_COMMAND, 1262, 0);
    HWND window = WaitForWindow(pid, "Project: winprj");
    ASSERT_NE(window, nullptr);
    HWND tree = FindWindowExA(window, nullptr, WC_TREEVIEWA, nullptr);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 5);
    Screenshot("project_window.bmp");

    PostMessageA(morla.frame, WM_COMMAND, 1231, 0);
    HWND files = WaitForWindow(pid, "Project files for winprj");
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(ListRows(GetDlgItem(files, 106)), (std::vector<std::string>{"HELLO.C", "UTIL.C"}));
    SetControlText(files, 101, "extra.c");
    SendMessageA(files, WM_COMMAND, MAKEWPARAM(105, BN_CLICKED), 0);
    EXPECT_EQ(ListRows(GetDlgItem(files, 106)), (std::vector<std::string>{"HELLO.C", "UTIL.C", "EXTRA.C"}));
    Screenshot("project_files.bmp");
    PostClick(files, IDOK);
    for (int i = 0; i < 50 && GetString(project.Section(), "PrjFiles") != "3"; ++i) Sleep(100);
    EXPECT_EQ(GetString(project.Section(), "PrjFiles"), "3");
    EXPECT_EQ(GetString(project.Section(), "File3"), "EXTRA.C");
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 6) << "the project window shows the new file";

    // The make page shows the project and refuses a make directory that does not exist.
    PostMessageA(morla.frame, WM_COMMAND, 1228, 0);
    HWND page = WaitForWindow(pid, "Establish the parameters of a project");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ControlText(page, 119), "winprj");
    EXPECT_EQ(ControlText(page, 113), "Console application");
    EXPECT_EQ(ControlText(page, 116), "winprj.exe");
    Screenshot("project_parameters.bmp");
    SetControlText(page, 115, project.dir + "\\nowhere");
    PostClick(page, IDOK);
    HWND error = WaitForWindow(pid, "Error");
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(BoxText(error), "Directory " + project.dir + "\\nowhere doesn't exist");
    PostClick(error, IDOK);
    Sleep(300);
    EXPECT_TRUE(IsWindow(page)) << "the page stays open";
    PostClick(page, IDCANCEL);
    Sleep(300);

    std::string lower = project.File("HELLO.C");
    CharLowerA(&lower[0]);
    PostMessageA(morla.frame, WM_COMMAND, 1118, 0);
    HWND info = WaitForWindow(pid, ("Information about '" + lower + "'").c_str());
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(ControlText(info, 101), "Line 1 (0%) Column 1");
    EXPECT_EQ(ControlText(info, 102), "88 bytes, 3 lines");
    EXPECT_EQ(ControlText(info, 103), "No marks");
    EXPECT_EQ(ControlText(info, 104), "C Language, 2 functions");
    EXPECT_EQ(ControlText(info, 107), "rmc.exe");
    EXPECT_EQ(ControlText(info, 108), "hello.obj");
    Screenshot("file_information.bmp");
    PostClick(info, IDCANCEL);
    Sleep(300);

    PostMessageA(morla.frame, WM_COMMAND, 1130, 0);
    HWND listing = WaitForWindow(pid, "winprj");
    ASSERT_NE(listing, nullptr);
    std::vector<std::string> lines = ListRows(GetDlgItem(listing, 101));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].rfind(lower + "      3 88", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2], "1 files, 3 lines, 88 bytes");
    Screenshot("open_files.bmp");
    PostClick(listing, IDOK);
    Sleep(300);
    EXPECT_EQ(morla.Stop(), 0u);
}

TEST(ProjectWindows, CompileFileAddsAFileOutsideTheProjectAndBuildsOnlyIt) {
    RegistryProject project("cmpprj", {"HELLO.C"});
    WriteText(project.File("HELLO.C"), kHello);
    WriteText(project.File("util.h"), "int util(void);\n");
    WriteText(project.File("OTHER.C"), "int other(void) { return 4; }\n");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("\"" + project.File("OTHER.C") + "\""));
    PostMessageA(morla.frame, WM_COMMAND, 1290, 0);
    HWND choice = WaitForWindow(morla.process.dwProcessId, "Compile file");
    ASSERT_NE(choice, nullptr);
    Screenshot("compile_file.bmp");
    PostClick(choice, 101);  // Add
    EXPECT_TRUE(WaitForFile(project.dir + "\\rmc\\OTHER.obj", 20000) || WaitForFile(project.dir + "\\rmc\\other.obj", 100));
    EXPECT_EQ(GetString(project.Section(), "PrjFiles"), "2");
    std::string makefile;
    std::ifstream in(project.dir + "\\rmc\\Makefile", std::ios::binary);
    makefile.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    EXPECT_NE(makefile.find("other.obj: $(OTHER_C)"), std::string::npos) << makefile;
    Sleep(1000);
    EXPECT_EQ(morla.Stop(), 0u);
}

TEST(ProjectWindows, AFileOfUnknownTypeGetsItsProcessorFromTheDialog) {
    RegistryProject project("procprj", {"NOTES.TXT", "HELLO.C"});
    WriteText(project.File("HELLO.C"), kHello);
    WriteText(project.File("util.h"), "int util(void);\n");
    WriteText(project.File("NOTES.TXT"), "notes\n");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("\"" + project.File("HELLO.C") + "\""));
    DWORD pid = morla.process.dwProcessId;
    PostMessageA(morla.frame, WM_COMMAND, 1267, 0);
    HWND unknown = WaitForWindow(pid, "Information");
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(BoxText(unknown).rfind("I do not know how to handle", 0), 0u) << BoxText(unknown);
    PostClick(unknown, IDOK);
    HWND dialog = WaitForWindow(pid, "File processor");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, 101), "NOTES.TXT");
    SetControlText(dialog, 102, "copy notes.txt notes.out");
    Screenshot("file_processor.bmp");
    PostClick(dialog, IDOK);
    HWND refused = WaitForWindow(pid, "Error");
    ASSERT_NE(refused, nullptr);
    EXPECT_EQ(BoxText(refused), "You must fill both fields");
    PostClick(refused, IDOK);
    Sleep(300);
    SetControlText(dialog, 103, "notes.out");
    PostClick(dialog, IDOK);
    ASSERT_TRUE(WaitForFile(project.dir + "\\rmc\\Makefile", 15000));
    Sleep(500);
    std::ifstream in(project.dir + "\\rmc\\Makefile", std::ios::binary);
    std::string makefile((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(makefile.find("notes.out:\tnotes.txt\r\n\tcopy notes.txt notes.out\r\n"), std::string::npos) << makefile;
    EXPECT_EQ(morla.Stop(), 0u);
}

TEST(ProjectWindows, CompileFileMakesANewProjectForAFileWithMain) {
    RegistryProject project("nwprj", {"HELLO.C"});
    WriteText(project.File("HELLO.C"), kHello);
    WriteText(project.File("SOLO.C"), "int main(void) { return 0; }\n");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("\"" + project.File("SOLO.C") + "\""));
    DWORD pid = morla.process.dwProcessId;
    PostMessageA(morla.frame, WM_COMMAND, 1290, 0);
    HWND choice = WaitForWindow(pid, "Compile file");
    ASSERT_NE(choice, nullptr);
    PostClick(choice, 102);  // New project
    // rmc is taken by the other project: the new one gets rmc1 and says so.
    HWND told = WaitForWindow(pid, "Information");
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(BoxText(told), "Project directory is:\n" + project.dir + "\\rmc1");
    PostClick(told, IDOK);
    EXPECT_TRUE(WaitForFile(project.dir + "\\rmc1\\SOLO.obj", 20000) || WaitForFile(project.dir + "\\rmc1\\solo.obj", 100));
    Sleep(500);
    EXPECT_EQ(GetString("Software\\rmc\\Morla\\SOLO", "File1"), UpperText(project.File("SOLO.C")));
    char title[256] = "";
    GetWindowTextA(morla.frame, title, sizeof title);
    EXPECT_STREQ(title, "morla-solo");
    EXPECT_EQ(morla.Stop(), 0u);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\rmc\\Morla\\SOLO");
}

void PutUtility(HKEY key, int n, const std::string& nickname, const std::string& program, const std::string& args,
                const std::string& dir, int id) {
    std::string prefix = "Util" + std::to_string(n);
    PutString(key, (prefix + "Nickname").c_str(), nickname);
    PutString(key, (prefix + "Progname").c_str(), program);
    PutString(key, (prefix + "ProgArgs").c_str(), args);
    PutString(key, (prefix + "StartDir").c_str(), dir);
    PutString(key, (prefix + "ID").c_str(), std::to_string(id));
}

TEST(ProjectWindows, UtilitiesRunWithTheirMacrosAndAreDefinedInTheirDialog) {
    RegistryProject project("utilprj", {"HELLO.C"});
    WriteText(project.File("HELLO.C"), kHello);
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\rmc\\Morla", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    PutString(key, "NumberOfUtilities", "2");
    PutUtility(key, 1, "echo", "cmd.exe", "/c echo $FILE$>echoed.txt", project.dir, 1300);
    PutUtility(key, 2, "ask", "$ASK$", "", project.dir, 1301);
    RegCloseKey(key);
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("\"" + project.File("HELLO.C") + "\""));
    DWORD pid = morla.process.dwProcessId;

    PostMessageA(morla.frame, WM_COMMAND, 1300, 0);  // Shift+F1
    ASSERT_TRUE(WaitForFile(project.File("echoed.txt"), 10000));
    Sleep(300);
    std::ifstream echoed(project.File("echoed.txt"));
    std::string line;
    std::getline(echoed, line);
    EXPECT_EQ(line.rfind(project.File("HELLO.C"), 0), 0u) << line;

    PostMessageA(morla.frame, WM_COMMAND, 1152, 0);
    HWND dialog = WaitForWindow(pid, "Utilities");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ListRows(GetDlgItem(dialog, 201)), (std::vector<std::string>{"echo", "ask"}));
    SetControlText(dialog, 202, "where");
    SetControlText(dialog, 203, "cmd.exe");
    SetControlText(dialog, 204, "/c cd>where.txt");
    SetControlText(dialog, 205, project.dir);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(207, BN_CLICKED), 0);
    EXPECT_EQ(ListRows(GetDlgItem(dialog, 201)), (std::vector<std::string>{"where", "echo", "ask"}));
    Screenshot("utilities.bmp");
    SetControlText(dialog, 202, "ask");
    PostClick(dialog, 208);  // its report is modal
    HWND erased = WaitForWindow(pid, "Information");
    ASSERT_NE(erased, nullptr);
    EXPECT_EQ(BoxText(erased), "Utility [ask] erased");
    PostClick(erased, IDOK);
    Sleep(300);
    EXPECT_EQ(ListRows(GetDlgItem(dialog, 201)), (std::vector<std::string>{"where", "echo"}));
    PostClick(dialog, IDCANCEL);
    Sleep(300);

    // The new utility took the lowest free id, 1302; the erased one's 1301 runs nothing.
    PostMessageA(morla.frame, WM_COMMAND, 1302, 0);
    ASSERT_TRUE(WaitForFile(project.File("where.txt"), 10000));
    Sleep(300);
    std::ifstream where(project.File("where.txt"));
    std::getline(where, line);
    std::string want = project.dir;
    CharUpperA(&want[0]);
    CharUpperA(&line[0]);
    EXPECT_EQ(line, want) << "run in its starting directory";
    EXPECT_EQ(morla.Stop(), 0u);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\rmc\\Morla", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    PutString(key, "NumberOfUtilities", "0");
    RegCloseKey(key);
}

TEST(ProjectWindows, NewProjectThroughItsDialogs) {
    RegistryProject existing("oldprj", {"HELLO.C"});
    WriteText(existing.File("HELLO.C"), kHello);
    std::string path = existing.dir + "\\fresh";
    CreateDirectoryA(path.c_str(), nullptr);
    WriteText(path + "\\MAIN.C", "int main(void) { return 0; }\n");
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("\"" + existing.File("HELLO.C") + "\""));
    DWORD pid = morla.process.dwProcessId;

    PostMessageA(morla.frame, WM_COMMAND, 1229, 0);
    HWND ask = WaitForWindow(pid, "Project name?");
    ASSERT_NE(ask, nullptr);
    SetControlText(ask, 102, "fresh");
    PostClick(ask, IDOK);
    HWND definition = WaitForWindow(pid, "Definition of a new project");
    ASSERT_NE(definition, nullptr);
    EXPECT_EQ(ControlText(definition, 101), "fresh");
    EXPECT_EQ(IsDlgButtonChecked(definition, 109), BST_CHECKED) << "Console Application is the default";
    SetControlText(definition, 102, path);
    SetControlText(definition, 104, path + "\\rmc");
    Screenshot("new_project.bmp");
    PostClick(definition, IDOK);
    HWND wizard = WaitForWindow(pid, "Information");
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(BoxText(wizard), "Do you want to use the wizard to generate the application skeleton?");
    PostClick(wizard, IDNO);
    HWND files = WaitForWindow(pid, "Project files for fresh");
    ASSERT_NE(files, nullptr);
    SetControlText(files, 101, "main.c");
    SendMessageA(files, WM_COMMAND, MAKEWPARAM(105, BN_CLICKED), 0);
    EXPECT_EQ(ListRows(GetDlgItem(files, 106)), std::vector<std::string>{"MAIN.C"});
    PostClick(files, IDOK);
    EXPECT_TRUE(WaitForFile(path + "\\rmc\\Makefile", 20000));
    Sleep(500);
    EXPECT_EQ(GetString("Software\\rmc\\Morla\\fresh", "File1"), "MAIN.C");
    EXPECT_EQ(GetString("Software\\rmc\\Morla\\fresh", "MakeDir"), path + "\\rmc");
    char title[256] = "";
    GetWindowTextA(morla.frame, title, sizeof title);
    EXPECT_STREQ(title, "morla-fresh");
    EXPECT_EQ(morla.Stop(), 0u);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\rmc\\Morla\\fresh");
}

}  // namespace
