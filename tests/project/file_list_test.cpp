#include <gtest/gtest.h>

#include "project/file_list.h"
#include "tests/support/recorded_reports.h"

namespace {

TEST(ProjectFileList, FilesThenLibraryWordsAndBackAgain) {
    Project p;
    p.files = {"B.C", "A.C"};
    p.libraries = "gdi32.lib  C:\\RMC\\LIB\\X.LIB";
    std::vector<std::string> list = ProjectFileList(p);
    EXPECT_EQ(list, (std::vector<std::string>{"B.C", "A.C", "gdi32.lib", "C:\\RMC\\LIB\\X.LIB"}));
    list.push_back("APP.RC");
    ASSERT_TRUE(ApplyFileList(list, p));
    EXPECT_EQ(p.files, (std::vector<std::string>{"B.C", "A.C", "APP.RC"}));
    EXPECT_EQ(p.libraries, "gdi32.lib C:\\RMC\\LIB\\X.LIB");

    RecordedReports reports;
    EXPECT_FALSE(ApplyFileList({}, p));
    EXPECT_EQ(reports.errors, std::vector<std::string>{"No files specified"});
    EXPECT_EQ(p.files.size(), 3u) << "an empty list changes nothing";
}

TEST(ProjectFileList, AddedUpperCasedByBareNameHereWithDirectoryElsewhereOnce) {
    RecordedReports reports;
    std::vector<std::string> list;
    EXPECT_TRUE(AddToFileList(list, "c:\\work\\hello.c", "C:\\WORK"));
    EXPECT_TRUE(AddToFileList(list, "c:\\other\\util.c", "C:\\WORK"));
    EXPECT_FALSE(AddToFileList(list, "C:\\WORK\\HELLO.C", "c:\\work")) << "already listed";
    EXPECT_EQ(list, (std::vector<std::string>{"HELLO.C", "C:\\OTHER\\UTIL.C"}));
    EXPECT_TRUE(reports.questions.empty());

    EXPECT_FALSE(AddToFileList(list, "c:\\work\\hello.asm", "C:\\WORK"));
    ASSERT_EQ(reports.questions.size(), 1u);
    EXPECT_EQ(reports.questions[0], "Conflict between:\n'HELLO.C' and 'HELLO.ASM'\nAdd anyway?");
    reports.answers.push_back(AskAnswer::Yes);
    EXPECT_TRUE(AddToFileList(list, "c:\\work\\hello.asm", "C:\\WORK"));
    EXPECT_EQ(list.back(), "HELLO.ASM");
}

bool g_exists_lib = false;
bool Exists(const std::string& path) {
    return path == "C:\\WORK\\main.c" || (g_exists_lib && path == "C:\\RMC\\lib\\gdi32.lib");
}

TEST(ProjectFileList, TypedNamesAndPatterns) {
    RecordedReports reports;
    std::vector<std::string> list;
    EXPECT_EQ(TypedFileName(list, "*.rc", "C:\\WORK", "C:\\WORK", "C:\\RMC", Exists), 3);
    EXPECT_EQ(TypedFileName(list, "C:\\X\\*.OBJ", "C:\\WORK", "C:\\WORK", "C:\\RMC", Exists), 5);
    EXPECT_EQ(TypedFileName(list, "*.txt", "C:\\WORK", "C:\\WORK", "C:\\RMC", Exists), -1);
    EXPECT_EQ(reports.errors, std::vector<std::string>{"Files of type *.txt not supported"});

    EXPECT_EQ(TypedFileName(list, "main.c", "C:\\WORK", "C:\\WORK", "C:\\RMC", Exists), -2);
    EXPECT_EQ(list, std::vector<std::string>{"MAIN.C"});

    // A library is offered from the compiler's lib directory, and added on Yes.
    g_exists_lib = true;
    EXPECT_EQ(TypedFileName(list, "gdi32.lib", "C:\\WORK", "C:\\WORK", "C:\\RMC", Exists), -2);
    EXPECT_EQ(reports.questions, std::vector<std::string>{"C:\\RMC\\lib\\gdi32.lib"});
    EXPECT_EQ(list.size(), 1u) << "refused";
    reports.answers.push_back(AskAnswer::Yes);
    TypedFileName(list, "gdi32.lib", "C:\\WORK", "C:\\WORK", "C:\\RMC", Exists);
    EXPECT_EQ(list.back(), "C:\\RMC\\LIB\\GDI32.LIB");

    reports.errors.clear();
    g_exists_lib = false;
    EXPECT_EQ(TypedFileName(list, "missing.lib", "C:\\WORK", "C:\\WORK", "C:\\RMC", Exists), -2);
    EXPECT_EQ(reports.errors.size(), 1u) << "reported as not found";
    EXPECT_EQ(list.size(), 2u);
}

}  // namespace
