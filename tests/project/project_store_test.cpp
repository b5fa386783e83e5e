#include <gtest/gtest.h>

#include "config/memory_store.h"
#include "project/prj_file.h"
#include "project/project.h"
#include "tests/config/memory_store_fixture.h"

namespace {

Project Sample() {
    Project p;
    p.name = "hello";
    p.project_path = "C:\\WORK";
    p.sources_dir = "C:\\WORK";
    p.includes = "C:\\RMC\\INCLUDE;D:\\LIBS\\INC;C:\\OTHER";
    p.defines = "DEBUG;X=1";
    p.libraries = "gdi32.lib user32.lib";
    p.linker_args = "-stack 1000";
    p.compiler_flags = kConsoleApp | kDebugInfo | kOptimize;
    p.project_flags = 9;
    p.fortran_flags = 3;
    p.eiffel_flags = 1;
    p.error_file = "C:\\WORK\\rmc\\hello.err";
    p.has_make = true;
    p.make = {"C:\\RMC\\bin\\make.exe", "-s", "C:\\WORK\\rmc"};
    p.exe = "hello.exe";
    p.frame = {10, 20, 600, 400};
    p.current_file = "C:\\WORK\\HELLO.C";
    p.open_files = {{"C:\\WORK\\HELLO.C", 12, 1, 2, 300, 200}};
    p.breakpoints = {{"C:\\WORK\\HELLO.C", 14}};
    p.file_processors = {{"gram.y", "yacc gram.y", "gram#c"}, {"notes.txt", "copy notes.txt out.txt", "out.txt"}};
    p.dbg_exe_name = "hello.exe";
    p.dbg_dir = "C:\\WORK\\rmc";
    p.files = {"UTIL.H", "UTIL.C", "HELLO.C"};
    p.file_dependencies = {{"UTIL.C", {"UTIL.H", "STDIO.H"}}};
    p.users = {"anna"};
    p.cms_directory = "C:\\WORK\\CMS";
    p.put_options = 5;
    return p;
}

void ExpectSameStoredParts(const Project& a, const Project& b) {
    EXPECT_EQ(ToSection(a), ToSection(b));
    EXPECT_EQ(a.files, b.files);
    ASSERT_EQ(a.file_dependencies.size(), b.file_dependencies.size());
    for (size_t i = 0; i < a.file_dependencies.size(); ++i) {
        EXPECT_EQ(a.file_dependencies[i].file, b.file_dependencies[i].file);
        EXPECT_EQ(a.file_dependencies[i].depends_on, b.file_dependencies[i].depends_on);
    }
    EXPECT_EQ(a.users, b.users);
    EXPECT_EQ(a.cms_directory, b.cms_directory);
    EXPECT_EQ(a.put_options, b.put_options);
}

using ProjectStore = MemoryStoreTest;

TEST_F(ProjectStore, SettingsAndFileListRoundTrip) {
    Project p = Sample();
    p.includes = std::string(700, 'I');  // longer than any fixed read buffer
    ASSERT_TRUE(SaveProjectSettings(p));
    ASSERT_TRUE(SaveProject(p, 1));
    Project back;
    ASSERT_TRUE(LoadProject("hello", back));
    ExpectSameStoredParts(p, back);
    EXPECT_EQ(back.file_processors[0].output, "gram#c");  // stored order kept
    std::string value;
    ASSERT_TRUE(MemoryStoreValue("Software\\rmc\\Morla\\hello", "PrjFiles", value));
    EXPECT_EQ(value, "3");
    EXPECT_TRUE(MemoryStoreValue("Software\\rmc\\Morla\\hello", "File2Dependencies", value));
    EXPECT_EQ(value, "2");
    EXPECT_FALSE(MemoryStoreValue("Software\\rmc\\Morla\\hello", "File1Dependencies", value));
    EXPECT_TRUE(reports.errors.empty());
}

TEST_F(ProjectStore, AFileThatLostItsDependenciesDoesNotKeepStaleOnes) {
    Project p = Sample();
    ASSERT_TRUE(SaveProject(p, 1));
    p.file_dependencies.clear();
    ASSERT_TRUE(SaveProject(p, 1));
    Project back;
    ASSERT_TRUE(LoadProject("hello", back));
    EXPECT_TRUE(back.file_dependencies.empty());
}

TEST_F(ProjectStore, ProjectWithoutMakeDefinitionReadsDefaults) {
    Project p;
    p.name = "bare";
    ASSERT_TRUE(SaveProjectSettings(p));
    Project back;
    ASSERT_TRUE(LoadProject("bare", back));
    EXPECT_FALSE(back.has_make);
    EXPECT_EQ(back.compiler_flags, 8u);
    EXPECT_EQ(back.project_flags, 8u);
    std::string value;
    EXPECT_FALSE(MemoryStoreValue("Software\\rmc\\Morla\\bare", "MakeName", value));
}

TEST_F(ProjectStore, WriteFailureIsReported) {
    Project p = Sample();
    SetMemoryStoreFailure(5);
    EXPECT_FALSE(SaveProjectSettings(p));
    SetMemoryStoreFailure(0);
    ASSERT_FALSE(reports.errors.empty());
    EXPECT_EQ(reports.errors[0], "Error 5 writing to the registry");
}

TEST(ProjectName, BlanksBackslashesEmptyAndOverlongNamesAreRefused) {
    RecordedReports reports;
    EXPECT_TRUE(CheckProjectName("hello_1"));
    EXPECT_TRUE(CheckProjectName(std::string(kMaxProjectName, 'n')));
    for (const std::string& bad : {std::string(), std::string("my project"), std::string("a\\b"),
                                   std::string(kMaxProjectName + 1, 'n')})
        EXPECT_FALSE(CheckProjectName(bad)) << bad;
    EXPECT_EQ(reports.errors.size(), 4u);
}

TEST(ProjectFiles, AddedNamesAreUpperCasedPutFirstAndNotRepeated) {
    Project p;
    AddFileToProject(p, "hello.c");
    AddFileToProject(p, "util.c");
    AddFileToProject(p, "HELLO.C");
    EXPECT_EQ(p.files, (std::vector<std::string>{"UTIL.C", "HELLO.C"}));
}

// Export and import.
using PrjFileTest = MemoryStoreTest;

TEST_F(PrjFileTest, ExportAndImportUnderANewPathMovesAndReletters) {
    Project p = Sample();
    ASSERT_TRUE(SaveProjectSettings(p));
    ASSERT_TRUE(SaveProject(p, 1));
    std::string text;
    ASSERT_TRUE(ExportProjectText("hello", text));
    EXPECT_EQ(text.rfind("Morla project file. Do NOT edit\nSOFTWARE\\rmc\\Morla\\hello\n", 0), 0u);
    EXPECT_NE(text.find("\nIncludes\tC:\\RMC\\INCLUDE;D:\\LIBS\\INC;C:\\OTHER\n"), std::string::npos);

    PrjFile prj;
    ASSERT_TRUE(ParsePrjFile(text, "hello.prj", prj));
    // The registry may list the values in any order (Wine: alphabetically), so put the
    // paths last: the old drive must still be known when Includes is moved.
    std::stable_partition(prj.values.begin(), prj.values.end(),
                          [](const auto& v) { return v.first != "ProjectPath" && v.first != "SourcesDir"; });
    prj.name = "moved";
    ASSERT_TRUE(ImportPrjFile(prj, "e:\\new\\place", {"hello"}));
    Project back;
    ASSERT_TRUE(LoadProject("moved", back));
    EXPECT_EQ(back.project_path, "E:\\NEW\\PLACE");
    EXPECT_EQ(back.sources_dir, "E:\\NEW\\PLACE");
    EXPECT_EQ(back.make.make_dir, "E:\\NEW\\PLACE\\rmc");
    EXPECT_EQ(back.includes, "E:\\RMC\\INCLUDE;D:\\LIBS\\INC;E:\\OTHER");
    EXPECT_EQ(back.error_file, "E:\\WORK\\rmc\\hello.err");
    EXPECT_EQ(back.make.make_name, "E:\\RMC\\bin\\make.exe");
    EXPECT_EQ(back.files, p.files);
    EXPECT_EQ(back.file_processors, p.file_processors);
    EXPECT_EQ(back.breakpoints[0].file, "E:\\WORK\\HELLO.C") << "re-lettered as a path value";
    EXPECT_TRUE(reports.errors.empty());
}

TEST_F(PrjFileTest, ForeignTruncatedAndBadKeyFilesAreRefusedAndNothingIsWritten) {
    std::string good = std::string(kPrjHeader) + "SOFTWARE\\rmc\\Morla\\demo\nDefines\tX\n";
    const struct {
        std::string bytes;
        const char* message_start;
    } cases[] = {
        {"Some other program's file\n" + good.substr(good.find('\n') + 1), "This file is not a Morla project file"},
        {"Morla project file. Do NOT edit", "This file is not a Morla project file"},
        {"Morla project file. Do NOT edit \nSOFTWARE\\rmc\\Morla\\demo\n", "This file is not a Morla project file"},
        {good.substr(0, good.size() - 1), "The project file x.prj is damaged or truncated at line 3"},
        {std::string(kPrjHeader), "The project file x.prj is damaged or truncated at line 2"},
        {std::string(kPrjHeader) + "SOFTWARE\\rmc\\Morla\\\n", "The project file x.prj names no project"},
        {std::string(kPrjHeader) + "SOFTWARE\\rmc\\Other\\demo\n", "The project file x.prj names no project"},
        {std::string(kPrjHeader) + "SOFTWARE\\rmc\\Morla\\a\\b\n", "The project name 'a\\b'"},
        {std::string(kPrjHeader) + "SOFTWARE\\rmc\\Morla\\two words\n", "The project name 'two words'"},
        {good + "NoTabHere\n", "The project file x.prj is damaged or truncated at line 4"},
    };
    std::string before = MemoryStoreDump();
    for (const auto& c : cases) {
        reports.errors.clear();
        PrjFile prj;
        EXPECT_FALSE(ParsePrjFile(c.bytes, "x.prj", prj)) << c.bytes;
        ASSERT_EQ(reports.errors.size(), 1u) << c.bytes;
        EXPECT_EQ(reports.errors[0].rfind(c.message_start, 0), 0u) << reports.errors[0];
    }
    EXPECT_EQ(MemoryStoreDump(), before);

    PrjFile prj;
    ASSERT_TRUE(ParsePrjFile(good, "x.prj", prj));
    EXPECT_EQ(prj.name, "demo");
    reports.errors.clear();
    EXPECT_FALSE(ImportPrjFile(prj, "C:\\X", {"DEMO"}));
    EXPECT_EQ(reports.errors, std::vector<std::string>{"A project with name \"demo\" is already defined"});
    EXPECT_EQ(MemoryStoreDump(), before);
}

}  // namespace
