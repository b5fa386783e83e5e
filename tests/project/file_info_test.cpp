#include <gtest/gtest.h>

#include "project/file_info.h"
#include "tests/support/recorded_reports.h"

namespace {

TEST(FileInformation, Texts) {
    FileFacts f;
    f.path = "C:\\WORK\\HELLO.C";
    f.caret_line = 3;
    f.caret_column = 5;
    f.bytes_before_caret = 50;
    f.bytes = 200;
    f.lines = 10;
    f.language = "C";
    f.functions = 2;
    FileInfoTexts t = DescribeFile(f);
    EXPECT_EQ(t.title, "Information about 'c:\\work\\hello.c'");
    EXPECT_EQ(t.position, "Line 3 (25%) Column 5");
    EXPECT_EQ(t.size, "200 bytes, 10 lines");
    EXPECT_EQ(t.marks, "No marks");
    EXPECT_EQ(t.language, "C, 2 functions");
    f.mark_line = 2;
    f.mark_column = 7;
    f.language.clear();
    f.bytes = 0;
    t = DescribeFile(f);
    EXPECT_EQ(t.marks, "Mark set at line 2, char 7");
    EXPECT_EQ(t.language, "--, 2 functions");
    EXPECT_EQ(t.position, "Line 3 (0%) Column 5") << "an empty file divides by nothing";
}

TEST(FileInformation, ProjectFileByFullNameOrLastComponent) {
    Project p;
    p.sources_dir = "C:\\SRC";
    p.files = {"GRAM.Y", "D:\\LIB\\UTIL.C"};
    EXPECT_EQ(ProjectFileFor(p, "c:\\src\\gram.y"), "GRAM.Y");
    EXPECT_EQ(ProjectFileFor(p, "D:\\LIB\\UTIL.C"), "D:\\LIB\\UTIL.C");
    EXPECT_EQ(ProjectFileFor(p, "E:\\ELSEWHERE\\util.c"), "D:\\LIB\\UTIL.C");
    EXPECT_EQ(ProjectFileFor(p, "C:\\SRC\\MAIN.C"), "");
}

TEST(FileInformation, ProcessorFieldsCreateUpdateAndDelete) {
    RecordedReports reports;
    Project p;
    p.sources_dir = "C:\\SRC";
    p.files = {"HELLO.C", "GRAM.Y"};
    std::string command, output;
    ProcessorFields(p, "HELLO.C", command, output);
    EXPECT_EQ(command, "rmc.exe");
    EXPECT_EQ(output, "hello.obj");

    EXPECT_TRUE(ApplyProcessorFields(p, "HELLO.C", "RMC.EXE", "hello.obj"));
    EXPECT_TRUE(p.file_processors.empty()) << "the default tool needs no processor";
    EXPECT_TRUE(ApplyProcessorFields(p, "GRAM.Y", "", ""));
    EXPECT_TRUE(p.file_processors.empty()) << "an empty command creates none";
    EXPECT_FALSE(ApplyProcessorFields(p, "GRAM.Y", "yacc gram.y", ""));
    EXPECT_EQ(reports.errors.back(), "You must enter the name of the output file that this processor will produce");
    ASSERT_TRUE(ApplyProcessorFields(p, "GRAM.Y", "yacc gram.y", "gram.c"));
    ASSERT_EQ(p.file_processors.size(), 1u);
    EXPECT_EQ(p.file_processors[0], (FileProcessorSetting{"GRAM.Y", "yacc gram.y", "gram.c"}));
    ProcessorFields(p, "GRAM.Y", command, output);
    EXPECT_EQ(command, "yacc gram.y");

    EXPECT_FALSE(ApplyProcessorFields(p, "GRAM.Y", "bison gram.y", ""));
    EXPECT_EQ(p.file_processors[0].command, "yacc gram.y") << "refused, unchanged";
    ASSERT_TRUE(ApplyProcessorFields(p, "GRAM.Y", "bison gram.y", "y.tab.c"));
    EXPECT_EQ(p.file_processors[0], (FileProcessorSetting{"GRAM.Y", "bison gram.y", "y.tab.c"}));

    EXPECT_TRUE(ApplyProcessorFields(p, "GRAM.Y", "", "y.tab.c"));
    EXPECT_EQ(reports.questions.back(), "Delete this file processor?");
    EXPECT_EQ(p.file_processors.size(), 1u) << "kept on No";
    reports.answers.push_back(AskAnswer::Yes);
    EXPECT_TRUE(ApplyProcessorFields(p, "GRAM.Y", "", "y.tab.c"));
    EXPECT_TRUE(p.file_processors.empty());
}

}  // namespace
