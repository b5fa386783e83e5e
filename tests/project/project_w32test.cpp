// Projects through the registry of the private Wine prefix: settings round trip, and the
// real program reopening a project and generating its Makefile on command 1267.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <fstream>
#include <string>

#include "config/compiler_root.h"
#include "config/registry_w32.h"
#include "config/store.h"
#include "project/prj_file.h"
#include "project/project.h"
#include "tests/project/project_w32_fixture.h"
#include "tests/support/morla_process_w32.h"
#include "tests/support/recorded_reports.h"

namespace {

constexpr const char* kTestTop = "Software\\MorlaProjectTest";

TEST(ProjectRegistry, SettingsAndFilesRoundTripWithLongValues) {
    SHDeleteKeyA(HKEY_CURRENT_USER, kTestTop);
    SetStoreBackend(RegistryStoreBackend());
    SetRegistryTopKey(kTestTop);
    RecordedReports reports;
    StoreKey software = RegistryStoreBackend()->open_key(nullptr, "Software", true);
    ASSERT_NE(software, nullptr);
    RegistryStoreBackend()->close_key(software);
    ASSERT_TRUE(StoreCompilerRoot("C:\\rmc"));
    Project p;
    p.name = "regtest";
    p.includes = std::string(900, 'I') + ";C:\\RMC\\INCLUDE";
    p.has_make = true;
    p.make = {"C:\\rmc\\bin\\make.exe", "", "C:\\WORK\\rmc"};
    p.exe = "regtest.exe";
    // The value is longer than 512 bytes; each part stays within the 400 a part may hold.
    p.file_processors = {{"a.y", "yacc " + std::string(390, 'a'), std::string(150, 'o') + ".c"}, {"b.y", "yacc b.y", "b.c"}};
    p.files = {"B.C", "A.C"};
    p.file_dependencies = {{"A.C", {"A.H"}}};
    ASSERT_TRUE(SaveProjectSettings(p));
    ASSERT_TRUE(SaveProject(p, 1));
    Project back;
    ASSERT_TRUE(LoadProject("regtest", back));
    EXPECT_EQ(back.includes, p.includes);
    EXPECT_EQ(back.file_processors, p.file_processors);
    EXPECT_EQ(back.files, p.files);
    ASSERT_EQ(back.file_dependencies.size(), 1u);
    EXPECT_EQ(back.file_dependencies[0].depends_on, std::vector<std::string>{"A.H"});

    // Exported and imported again under another name and place, through the registry.
    std::string text;
    ASSERT_TRUE(ExportProjectText("regtest", text));
    PrjFile prj;
    ASSERT_TRUE(ParsePrjFile(text, "regtest.prj", prj));
    prj.name = "moved";
    ASSERT_TRUE(ImportPrjFile(prj, "D:\\NEW", {"regtest"}));
    ASSERT_TRUE(LoadProject("moved", back));
    EXPECT_EQ(back.make.make_dir, "D:\\NEW\\rmc");
    EXPECT_EQ(back.includes.size(), p.includes.size());
    EXPECT_TRUE(reports.errors.empty());
    CloseStore();
    SetRegistryTopKey(nullptr);
    SetStoreBackend(nullptr);
    SHDeleteKeyA(HKEY_CURRENT_USER, kTestTop);
}

TEST(ProjectProgram, ReopensTheCurrentProjectAndGeneratesItsMakefile) {
    RegistryProject project("e2e", {"HELLO.C"});
    std::string dir = project.dir;
    WriteText(project.File("HELLO.C"), "int main(void) {\n#error undeclared identifier 'x'\n}\n");

    // A document must be open for the project commands; the file is given on the command line.
    MorlaProcess morla;
    ASSERT_TRUE(morla.Start("\"" + dir + "\\HELLO.C\""));
    Sleep(500);
    char title[256] = "";
    GetWindowTextA(morla.frame, title, sizeof title);
    // The system appends the maximised file's name in brackets.
    EXPECT_EQ(std::string(title), "morla-e2e - [" + dir + "\\HELLO.C]");
    PostMessageA(morla.frame, WM_COMMAND, 1267, 0);
    ASSERT_TRUE(WaitForFile(dir + "\\rmc\\Makefile", 15000));
    Sleep(300);
    std::ifstream in(dir + "\\rmc\\Makefile", std::ios::binary);
    std::string first_line;
    std::getline(in, first_line);
    EXPECT_EQ(first_line, "# Morla Makefile for project e2e\r");

    // F9 builds: the stand-in compiler's error lands in the message file.
    PostMessageA(morla.frame, WM_COMMAND, 1156, 0);
    bool built = WaitForFile(dir + "\\rmc\\e2e.err", 5000);
    Sleep(1500);
    SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\project_build.bmp");
    DWORD code = morla.Stop();
    ASSERT_TRUE(built);
    EXPECT_EQ(code, 0u);
    std::ifstream messages(dir + "\\rmc\\e2e.err", std::ios::binary);
    std::string line;
    std::getline(messages, line);
    EXPECT_NE(line.find("Error "), std::string::npos) << line;
    EXPECT_NE(line.find(": 2  undeclared identifier 'x'"), std::string::npos) << line;
}

}  // namespace
