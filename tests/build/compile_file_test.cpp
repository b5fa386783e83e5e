#include <gtest/gtest.h>

#include "build/compile_file.h"
#include "tests/support/recorded_reports.h"

namespace {

TEST(CompileFile, ProjectHoldsTheFileByFullNameOrLastComponent) {
    Project p;
    p.files = {"HELLO.C", "D:\\LIB\\UTIL.C"};
    const struct {
        const char* file;
        bool held;
    } cases[] = {{"hello.c", true}, {"C:\\WORK\\HELLO.C", true}, {"d:\\lib\\util.c", true},
                 {"E:\\X\\UTIL.C", true}, {"C:\\WORK\\HELLO.H", false}, {"HELLO", false}};
    for (const auto& c : cases) EXPECT_EQ(ProjectHoldsFile(p, c.file), c.held) << c.file;
}

TEST(CompileFile, ObjectFileInTheMakeDirectory) {
    RecordedReports reports;
    Project p;
    p.make.make_dir = "C:\\WORK\\rmc";
    std::string object;
    ASSERT_TRUE(CompiledObjectFile(p, "C:\\WORK\\HELLO.C", object));
    EXPECT_EQ(object, "C:\\WORK\\rmc\\HELLO.obj");
    ASSERT_TRUE(CompiledObjectFile(p, "C:\\W.X\\my.file.c", object));
    EXPECT_EQ(object, "C:\\WORK\\rmc\\my.file.obj");
    EXPECT_FALSE(CompiledObjectFile(p, "C:\\W.X\\MAKEFILE", object));
    EXPECT_EQ(reports.errors, std::vector<std::string>{"Error in object file name MAKEFILE"});
}

}  // namespace
