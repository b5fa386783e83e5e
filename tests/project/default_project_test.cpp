#include <gtest/gtest.h>

#include <filesystem>

#include "project/default_project.h"
#include "tests/editor/temp_dir.h"
#include "tests/support/recorded_reports.h"

namespace {

TEST(DefaultProject, NamedAfterTheFileWithItsTypeFromMainOrWinMain) {
    TempDir dir;
    RecordedReports reports;
    ProjectEnvironment env{"C:\\RMC", "C:\\RMC\\include", "C:\\ELSEWHERE"};
    std::string file = dir.path + "\\HELLO.C";
    Project p;
    ASSERT_TRUE(DefaultProjectFromFile(file, "#include <stdio.h>\nint main(void)\n{\n    return 0;\n}\n", {"other"}, env, p))
        << (reports.errors.empty() ? "" : reports.errors[0]);
    EXPECT_EQ(p.name, "HELLO");
    EXPECT_EQ(p.project_path, dir.path);
    EXPECT_EQ(p.make.make_dir, dir.path + "\\rmc");
    EXPECT_EQ(p.compiler_flags & kProjectTypeBits, kConsoleApp);
    EXPECT_EQ(p.exe, "HELLO.exe");
    EXPECT_EQ(p.files, std::vector<std::string>{UpperText(file)});
    std::filesystem::remove_all(dir.path + "\\rmc");

    ASSERT_TRUE(DefaultProjectFromFile(dir.path + "\\win.c", "int WinMain(int a)\n{\n    return a;\n}\n", {}, env, p));
    EXPECT_EQ(p.compiler_flags & kProjectTypeBits, kWindowsApp);
    std::filesystem::remove_all(dir.path + "\\rmc");
}

TEST(DefaultProject, FailuresSayWhyAndClearTheRecord) {
    RecordedReports reports;
    ProjectEnvironment env{"C:\\RMC", "", "C:\\"};
    Project p;
    EXPECT_FALSE(DefaultProjectFromFile("C:\\W\\HELLO.C", "int main(void) { return 0; }\n", {"x\\hello"}, env, p));
    EXPECT_FALSE(DefaultProjectFromFile("C:\\W\\LIB.C", "int helper(void)\n{\n    return 0;\n}\n", {}, env, p));
    EXPECT_FALSE(DefaultProjectFromFile("C:\\W\\EMPTY.C", "/* nothing */\n", {}, env, p));
    EXPECT_FALSE(DefaultProjectFromFile("C:\\W\\NODOT", "int main(void) { return 0; }\n", {}, env, p));
    ASSERT_EQ(reports.errors.size(), 4u);
    EXPECT_EQ(reports.errors[0], "A project with the name 'HELLO' exists already\nImpossible to generate default project");
    EXPECT_EQ(reports.errors[1], "Neither 'main' nor 'WinMain' defined in C:\\W\\LIB.C\nImpossible to generate default project");
    EXPECT_EQ(reports.errors[2], "No functions defined in C:\\W\\EMPTY.C\nImpossible to generate default project");
    EXPECT_TRUE(p.name.empty());
}

}  // namespace
