#include <gtest/gtest.h>

#include <filesystem>

#include "project/file_processors.h"
#include "project/project_defaults.h"
#include "tests/editor/temp_dir.h"
#include "tests/support/recorded_reports.h"

namespace {

TEST(FileProcessors, MatchedByPathOrLastComponentFirstInListOrder) {
    Project p;
    p.sources_dir = "C:\\SRC";
    p.file_processors = {{"gram.y", "yacc gram.y", "gram.c"}, {"C:\\OTHER\\GRAM.Y", "second", "x"},
                         {"C:\\SRC\\LEX.L", "lex", "lex.c"}};
    ASSERT_TRUE(FindFileProcessor(p, "C:\\SRC\\GRAM.Y"));
    EXPECT_EQ(FindFileProcessor(p, "C:\\SRC\\GRAM.Y")->command, "yacc gram.y");
    ASSERT_TRUE(FindFileProcessor(p, "lex.l"));  // made "%s\%s" with SourcesDir
    EXPECT_EQ(FindFileProcessor(p, "lex.l")->output, "lex.c");
    EXPECT_FALSE(FindFileProcessor(p, "NOTES.TXT"));

    RecordedReports reports;
    EXPECT_FALSE(SetFileProcessor(p, "NOTES.TXT", "", "out"));
    EXPECT_EQ(reports.errors, std::vector<std::string>{"You must fill both fields"});
    ASSERT_TRUE(SetFileProcessor(p, "NOTES.TXT", "copy", "notes.out"));
    EXPECT_EQ(p.file_processors.front().input, "NOTES.TXT");
    ASSERT_TRUE(SetFileProcessor(p, "gram.y", "bison gram.y", "gram.c"));
    EXPECT_EQ(p.file_processors[1].command, "bison gram.y");
    EXPECT_EQ(p.file_processors.size(), 4u);
}

TEST(FileProcessors, DefaultToolsAndOutputsByExtension) {
    const struct {
        const char *file, *tool, *output;
    } cases[] = {{"C:\\W\\HELLO.C", "rmc.exe", "hello.obj"}, {"start.ASM", "rmc.exe", "start.obj"},
                 {"app.Rc", "rrc.exe", "app.res"},          {"calc.f", "f2c.exe", ""},
                 {"lib.obj", "rmclnk.exe", "lib.exe"},      {"app.res", "rmclnk.exe", "app.exe"},
                 {"notes.txt", "", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(DefaultTool(c.file), c.tool) << c.file;
        EXPECT_EQ(DefaultOutput(c.file), c.output) << c.file;
    }
}

bool AnswerAsk(const std::string& prompt, std::string& answer) {
    answer = "<" + prompt + ">";
    return true;
}
bool CancelAsk(const std::string&, std::string&) { return false; }

TEST(Macros, ReplacedAndFollowedByABlank) {
    MacroContext c;
    c.file = "C:\\W\\A.C";
    c.window = 0x1a2b;
    c.current_text = "main";
    c.selection = "sel";
    c.exe = "C:\\W\\rmc\\a.exe";
    c.current_dir = "C:\\W";
    c.ask = AnswerAsk;
    std::string out;
    ASSERT_TRUE(ExpandMacros("$FILE$ -o out", "prog", c, out));
    EXPECT_EQ(out, "C:\\W\\A.C  -o out");
    ASSERT_TRUE(ExpandMacros("$hwnd$$Cursor$$current_text$$SELECTION$$EXE$$DIR$$UNKNOWN$x", "prog", c, out));
    EXPECT_EQ(out, "0x1a2b main main sel C:\\W\\rmc\\a.exe C:\\W  x");
    ASSERT_TRUE(ExpandMacros("-a $ASK$", "prog", c, out));
    EXPECT_EQ(out, "-a <prog> ");
    ASSERT_TRUE(ExpandMacros("price $5 only", "prog", c, out));
    EXPECT_EQ(out, "price $5 only");

    RecordedReports reports;
    EXPECT_FALSE(ExpandMacros("$ASK$", "", c, out)) << "not allowed in the program itself";
    c.ask = CancelAsk;
    EXPECT_FALSE(ExpandMacros("$ASK$", "prog", c, out));
    c.selection_multiline = true;
    EXPECT_FALSE(ExpandMacros("$SELECTION$", "prog", c, out));
    EXPECT_EQ(reports.errors, std::vector<std::string>{"Impossible to send multi-line selection"});
}

TEST(Utilities, TakeTheLowestFreeId) {
    std::vector<UtilitySetting> list;
    EXPECT_EQ(FreeUtilityId(list), 1300);
    list = {{"a", "", "", "", "1300"}, {"c", "", "", "", "1302"}};
    EXPECT_EQ(FreeUtilityId(list), 1301) << "a deleted utility's id is used again";
    list.clear();
    for (int id = 1300; id <= 1311; ++id) list.push_back({"u", "", "", "", std::to_string(id)});
    EXPECT_EQ(FreeUtilityId(list), 0);
}

TEST(Execute, ConsoleBatchFileAndProgramPath) {
    EXPECT_EQ(ConsoleBatchText("C:\\W\\a.exe -x"), "@echo off\nC:\\W\\a.exe -x\npause\nerase rmctmpbatFile945.bat\n");
    Project p;
    p.exe = "a.exe";
    EXPECT_EQ(ProgramPath(p), "a.exe");
    p.has_make = true;
    p.make.make_dir = "C:\\W\\rmc";
    EXPECT_EQ(ProgramPath(p), "C:\\W\\rmc\\a.exe");
    p.exe = "D:\\OUT\\a.exe";
    EXPECT_EQ(ProgramPath(p), "D:\\OUT\\a.exe");
}

TEST(OutputDirectory, NextFreeNumberedDirectoryAndFailureWhenAllNineExist) {
    TempDir dir;
    RecordedReports reports;
    ProjectEnvironment env{"C:\\RMC", "C:\\RMC\\include", dir.path};
    Project p;
    p.name = "hello";
    p.sources_dir = dir.path;
    std::string first = PathJoin(dir.path, "rmc");
    std::filesystem::create_directory(first);
    std::filesystem::create_directory(first + "1");
    ASSERT_TRUE(EnsureMakeDirectory(p, env));
    EXPECT_EQ(p.make.make_dir, first + "2");
    EXPECT_EQ(reports.informs, std::vector<std::string>{"Project directory is:\n" + first + "2"});

    for (int n = 3; n <= 8; ++n) std::filesystem::create_directory(first + std::to_string(n));
    Project q;
    q.name = "other";
    q.sources_dir = dir.path;
    EXPECT_FALSE(EnsureMakeDirectory(q, env));
    EXPECT_EQ(reports.errors, std::vector<std::string>{"Impossible to create a project subdir in\n" + dir.path});
    EXPECT_FALSE(DefaultMakeDefinition(q, env));
    EXPECT_FALSE(q.has_make);
    std::filesystem::remove_all(first);
    for (int n = 1; n <= 8; ++n) std::filesystem::remove_all(first + std::to_string(n));
}

TEST(OutputDirectory, DefaultMakeDefinitionByProjectType) {
    TempDir dir;
    RecordedReports reports;
    ProjectEnvironment env{"C:\\RMC", "C:\\RMC\\include", dir.path};
    Project p;
    p.name = "mydll";
    p.compiler_flags = kDll;
    p.entry_point.clear();
    ASSERT_TRUE(DefaultMakeDefinition(p, env));
    EXPECT_EQ(p.make.make_name, "C:\\RMC\\bin\\make.exe");
    EXPECT_EQ(p.make.make_dir, PathJoin(dir.path, "rmc"));
    EXPECT_EQ(p.exe, "mydll.dll");
    EXPECT_EQ(p.entry_point, "LibMain");
    EXPECT_EQ(p.error_file, PathJoin(p.make.make_dir, "mydll.err"));
    EXPECT_EQ(p.includes, "C:\\RMC\\include");
    EXPECT_TRUE(p.compiler_flags & kDebugInfo);
    EXPECT_TRUE(p.dbg_exe_name.empty());
    std::filesystem::remove_all(p.make.make_dir);

    Project lib;
    lib.name = "mylib";
    lib.compiler_flags = kStaticLibrary | kDll;
    lib.has_make = true;
    lib.make.make_dir = dir.path;
    ASSERT_TRUE(DefaultMakeDefinition(lib, env));
    EXPECT_EQ(lib.exe, "mylib.lib") << "the library bit is tested first";

    Project bin;
    bin.sources_dir = "c:\\rmc\\BIN";
    CheckProjectPaths(bin, env);
    EXPECT_EQ(reports.informs, std::vector<std::string>{"Warning:\nPlease do not use c:\\rmc\\BIN to put your sources"});
}

}  // namespace
