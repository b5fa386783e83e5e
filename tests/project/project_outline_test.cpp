#include <gtest/gtest.h>

#include "project/project_outline.h"

namespace {

std::vector<std::string> Names(int n) {
    std::vector<std::string> names;
    for (int i = n - 1; i >= 0; --i) names.push_back("f" + std::string(i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i));
    return names;  // in reverse, so the grouping must sort
}

TEST(ProjectOutline, FunctionsListedDirectlyOrInGroupsBySize) {
    const struct {
        int functions;
        std::vector<size_t> sizes;
    } cases[] = {
        {0, {0}}, {7, {7}}, {8, {4, 4}}, {19, {10, 9}}, {20, {10, 10}}, {25, {10, 10, 5}},
        {50, {10, 10, 10, 10, 10}}, {51, {15, 15, 15, 6}}, {101, {17, 17, 17, 17, 17, 16}},
    };
    for (const auto& c : cases) {
        std::vector<FunctionGroup> groups = GroupFunctions(Names(c.functions));
        std::vector<size_t> sizes;
        for (const FunctionGroup& g : groups) sizes.push_back(g.names.size());
        EXPECT_EQ(sizes, c.sizes) << c.functions;
        EXPECT_EQ(groups[0].label.empty(), c.functions < 8) << c.functions;
    }
    std::vector<FunctionGroup> groups = GroupFunctions(Names(25));
    EXPECT_EQ(groups[0].label, "f000 - f009");
    EXPECT_EQ(groups[2].label, "f020 - f024");
    EXPECT_EQ(GroupFunctions({"b", "a"})[0].names, (std::vector<std::string>{"a", "b"}));
}

TEST(ProjectOutline, ProjectFilesFoundBelowTheSourcesDirectory) {
    EXPECT_EQ(ProjectFilePath("HELLO.C", "C:\\SRC"), "C:\\SRC\\HELLO.C");
    EXPECT_EQ(ProjectFilePath("D:\\LIB\\X.C", "C:\\SRC"), "D:\\LIB\\X.C");
    EXPECT_EQ(ProjectFilePath("HELLO.C", ""), "HELLO.C");
}

}  // namespace
