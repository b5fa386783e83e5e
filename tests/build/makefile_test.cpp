#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "build/build_state.h"
#include "build/makefile.h"
#include "project/file_processors.h"
#include "tests/editor/temp_dir.h"
#include "tests/support/recorded_reports.h"

namespace {

const std::string kRoot = "C:\\RMC";

// What the fake compiler driver reports for each source, by its last path component.
std::map<std::string, std::string> g_dependencies;
std::vector<std::string> g_commands;
int g_fail_from = 1000;  // the scan with this number (from 1) and later ones exit with 2

int FakeScan(const std::string& command) {
    g_commands.push_back(command);
    if (static_cast<int>(g_commands.size()) >= g_fail_from) return 2;
    std::string source = LowerText(PathLastPart(command.substr(command.rfind(' ') + 1)));
    auto found = g_dependencies.find(source);
    if (found != g_dependencies.end()) std::ofstream(kDependencyTempFile, std::ios::binary) << found->second;
    return 0;
}
int NoError() { return 0; }
bool AllExist(const std::string&) { return true; }
bool AddYaccProcessor(Project& p, const std::string& file) {
    return SetFileProcessor(p, file, "YACC -o C:\\WORK\\GRAM.C GRAM.Y", "C:\\WORK\\GRAM.C");
}

const MakefileHost kHost{FakeScan, NoError, AddYaccProcessor, nullptr, AllExist};

Project Base(const char* name, uint32_t type, std::vector<std::string> files) {
    Project p;
    p.name = name;
    p.files = std::move(files);
    p.sources_dir = "C:\\WORK";
    p.includes = "C:\\RMC\\include";
    p.compiler_flags = type | kDebugInfo;
    p.has_make = true;
    p.make.make_dir = "C:\\WORK\\rmc";
    return p;
}

Project OneFile() { return Base("hello", kConsoleApp, {"UTIL.C", "HELLO.C"}); }
Project SeveralWithHeaders() {
    Project p = Base("tools", kConsoleApp | kOptimize | kAllWarnings, {"HELLO.C", "UTIL.C", "UTIL.H"});
    p.defines = "DEBUG;VERSION=2";
    p.includes = "C:\\RMC\\include;;C:\\WORK\\inc;";
    p.libraries = "gdi32.lib";
    return p;
}
Project Resources() {
    Project p = Base("winapp", kWindowsApp, {"WINAPP.C", "WINAPP.RC", "OTHER.RC"});
    p.compiler_flags |= kStackTraceLines;
    return p;
}
Project Library() {
    Project p = Base("mylib", kStaticLibrary, {"A.C", "B.ASM"});
    p.exe = "mylib";
    return p;
}
Project Dll() {
    Project p = Base("mydll", kDll | kMapFile | kNoDebugInfoLink, {"MYDLL.C", "MYDLL.DEF", "C:\\LIBS\\EXTRA.OBJ"});
    p.entry_point = "DllEntry";
    p.exe = "mydll.dll";
    p.linker_args = "-stack 100000";
    return p;
}
Project UserRules() {
    Project p = Base("parser", kConsoleApp, {"GRAM.Y", "MAIN.C", "CALC.F"});
    p.fortran_flags = 0x1 | 0x40;
    return p;
}

struct GoldenCase {
    const char* file;
    Project (*make)();
};
const GoldenCase kGoldens[] = {{"one_file.mk", OneFile},       {"headers.mk", SeveralWithHeaders},
                               {"resources.mk", Resources},    {"library.mk", Library},
                               {"dll.mk", Dll},                {"user_rules.mk", UserRules}};

std::string GoldenPath(const char* name) { return std::string(MORLA_SOURCE_DIR) + "/tests/build/golden/" + name; }

class MakefileTest : public ::testing::Test {
protected:
    void SetUp() override {
        old_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.path);
        g_commands.clear();
        g_fail_from = 1000;
        g_dependencies = {{"hello.c", "c:\\rmc\\include\\stdio.h\r\n"},
                          {"util.c", "c:\\rmc\\include\\stdio.h\r\nc:\\work\\util.h\r\n"},
                          {"winapp.c", "c:\\rmc\\include\\windows.h\r\nc:\\work\\winapp.h\r\n"},
                          {"winapp.rc", "c:\\work\\winapp.h\r\n"},
                          {"main.c", "c:\\work\\gram.h\r\n"}};
    }
    void TearDown() override { std::filesystem::current_path(old_dir_); }

    TempDir dir_;
    std::filesystem::path old_dir_;
    RecordedReports reports_;
};

TEST_F(MakefileTest, GeneratedTextsMatchTheGoldenMakefiles) {
    for (const GoldenCase& c : kGoldens) {
        Project p = c.make();
        std::string text;
        ASSERT_TRUE(MakefileText(p, kRoot, kHost, text)) << c.file;
        std::string golden = TempDir::Read(GoldenPath(c.file));
        if (text != golden && std::getenv("MORLA_WRITE_GOLDEN")) std::ofstream(GoldenPath(c.file), std::ios::binary) << text;
        EXPECT_EQ(text, golden) << c.file;
        EXPECT_FALSE(std::filesystem::exists(kDependencyTempFile)) << c.file;
    }
}

// The generated text must be valid make syntax. This machine's GNU make cannot read drive
// letters in rule lines, so they are dropped for the check; missing files are made by .DEFAULT.
TEST_F(MakefileTest, GoldenMakefilesAreReadByGnuMake) {
    if (std::system("make --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no GNU make";
    std::ofstream(dir_.path + "/default.mk") << ".DEFAULT:\n\t@:\n";
    for (const GoldenCase& c : kGoldens) {
        std::string text = TempDir::Read(GoldenPath(c.file)), crlf;
        for (size_t i = 0; i < text.size(); ++i) {
            if (i + 2 < text.size() && std::isalpha(static_cast<unsigned char>(text[i])) && text[i + 1] == ':' &&
                text[i + 2] == '\\' && (i == 0 || !std::isalnum(static_cast<unsigned char>(text[i - 1])))) {
                ++i;
                continue;
            }
            if (text[i] == '\n') crlf += '\r';
            crlf += text[i];
        }
        std::ofstream(dir_.path + "/Makefile", std::ios::binary) << crlf;
        std::string command = "cd '" + dir_.path + "' && make -n -f Makefile -f default.mk > make.out 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << c.file << "\n" << TempDir::Read(dir_.path + "/make.out");
    }
}

TEST_F(MakefileTest, OptionTexts) {
    Project p;
    p.compiler_flags = 0;
    p.defines = "A,B;C";
    EXPECT_EQ(CompilerOptions(p), "-DA,B -DC ");
    p.defines = "A;B,C";
    EXPECT_EQ(CompilerOptions(p), "-DA -DB -DC ");
    p.defines = "X Y;;";
    p.includes = ";C:\\A;;C:\\B";
    EXPECT_EQ(CompilerOptions(p), "-IC:\\A -IC:\\B -DX Y ");
    p = Project{};
    p.compiler_flags = kDebugInfo | kStackTraceLines;
    EXPECT_EQ(CompilerOptions(p), " -g4 ");
    p.compiler_flags = kDebugInfo | kStackTrace | kAlign8 | kPentiumPro;
    EXPECT_EQ(CompilerOptions(p), " -g3  -Zp8  -p6");
    EXPECT_EQ(FortranOptions(0xFF), " -u -U -R -r -a -c -g -C");

    p.compiler_flags = kDll;
    EXPECT_EQ(LinkOptions(p, false), " -dll");
    p.compiler_flags = kWindowsApp | kMapFile;
    p.exe = "app.exe";
    EXPECT_EQ(LinkOptions(p, false), " -subsystem windows -map app.map");
    EXPECT_EQ(reports_.errors, std::vector<std::string>{"Windows program but no resources defined?"});
}

TEST_F(MakefileTest, FortranLibraryIsAddedOnce) {
    Project p = UserRules();
    std::string text;
    ASSERT_TRUE(MakefileText(p, kRoot, kHost, text));
    ASSERT_TRUE(MakefileText(p, kRoot, kHost, text));
    EXPECT_EQ(p.libraries, "libf77.lib");
    p.libraries = "user32.lib";
    ASSERT_TRUE(MakefileText(p, kRoot, kHost, text));
    ASSERT_TRUE(MakefileText(p, kRoot, kHost, text));
    EXPECT_EQ(p.libraries, "user32.lib libf77.lib");
}

TEST_F(MakefileTest, UnknownFileWithoutProcessorFailsTheGeneration) {
    Project p = Base("notes", kConsoleApp, {"NOTES.TXT", "HELLO.C"});
    MakefileHost cancel = kHost;
    cancel.ask_file_processor = nullptr;
    std::string text;
    EXPECT_FALSE(MakefileText(p, kRoot, cancel, text));
    ASSERT_EQ(reports_.informs.size(), 1u);
    EXPECT_EQ(reports_.informs[0],
              "I do not know how to handle NOTES.TXT\nPlease define how it should be handled in the makefile");
    EXPECT_EQ(reports_.errors, std::vector<std::string>{"Cannot generate the makefile"});
}

TEST_F(MakefileTest, AFailedScanIsReportedOnceAndNoStaleResultIsCopied) {
    g_fail_from = 2;  // UTIL.C scans, HELLO.C fails
    Project p = OneFile();
    std::string text;
    ASSERT_TRUE(MakefileText(p, kRoot, kHost, text));
    ASSERT_EQ(reports_.errors.size(), 1u);
    EXPECT_EQ(reports_.errors[0].rfind("Impossible to execute\nC:\\RMC\\bin\\rmc.exe -M -Fo$x8856455.723 -IC:\\RMC\\include  C:\\WORK\\HELLO.C", 0), 0u)
        << reports_.errors[0];
    EXPECT_NE(text.find("UTIL_C=\\\n\tc:\\rmc\\include\\stdio.h\\\n"), std::string::npos);
    EXPECT_NE(text.find("HELLO_C=\\\n\nhello.obj:"), std::string::npos) << text;

    // A scan that succeeds without writing must not copy an earlier scan's file.
    g_commands.clear();
    g_fail_from = 1000;
    g_dependencies.erase("hello.c");
    std::ofstream(kDependencyTempFile) << "c:\\stale.h\n";
    reports_.errors.clear();
    ASSERT_TRUE(MakefileText(p, kRoot, kHost, text));
    EXPECT_EQ(text.find("stale"), std::string::npos);
    EXPECT_TRUE(reports_.errors.empty());
}

TEST_F(MakefileTest, GenerationWritesCrLfRenamesAHandWrittenMakefileAndRestoresTheState) {
    Project p = OneFile();
    p.make.make_dir = dir_.path + "/out";
    std::filesystem::create_directory(p.make.make_dir);
    std::string makefile = PathJoin(p.make.make_dir, "Makefile");
    std::ofstream(makefile) << "all:\n\techo mine\n";
    ProjectEnvironment env{kRoot, "C:\\RMC\\include", dir_.path};
    ASSERT_TRUE(GenerateMakefile(p, env, kHost));
    EXPECT_EQ(CurrentBuildState(), BuildState::Idle);
    EXPECT_EQ(TempDir::Read(PathJoin(p.make.make_dir, "Makefile.old")), "all:\n\techo mine\n");
    ASSERT_EQ(reports_.errors.size(), 1u);
    EXPECT_NE(reports_.errors[0].find("Makefile renamed to"), std::string::npos);
    std::string written = TempDir::Read(makefile);
    EXPECT_EQ(written.rfind("# Morla Makefile for project hello\r\nCFLAGS=", 0), 0u);

    // A generated Makefile is overwritten without a rename; a failing generation leaves it.
    std::filesystem::remove(PathJoin(p.make.make_dir, "Makefile.old"));
    ASSERT_TRUE(GenerateMakefile(p, env, kHost));
    EXPECT_FALSE(std::filesystem::exists(PathJoin(p.make.make_dir, "Makefile.old")));
    p.files.push_back("NOTES.TXT");
    MakefileHost cancel = kHost;
    cancel.ask_file_processor = nullptr;
    EXPECT_FALSE(GenerateMakefile(p, env, cancel));
    EXPECT_EQ(TempDir::Read(makefile), written);
    EXPECT_EQ(CurrentBuildState(), BuildState::Idle);
}

TEST_F(MakefileTest, GenerationIsRefusedWhileABuildRuns) {
    Project p = OneFile();
    ASSERT_TRUE(BeginBuildRun());
    EXPECT_FALSE(GenerateMakefile(p, ProjectEnvironment{kRoot, "", dir_.path}, kHost));
    EndBuildRun();
    EXPECT_TRUE(g_commands.empty());
    EXPECT_EQ(reports_.errors.size(), 1u);
}

}  // namespace
