#include <gtest/gtest.h>

#include "project/utilities.h"
#include "tests/support/recorded_reports.h"

namespace {

TEST(UtilityList, ChangeOrAddUpdatesByNicknameAndAddsAtTheHeadWithTheLowestFreeId) {
    RecordedReports reports;
    std::vector<UtilitySetting> list = {{"grep", "grep.exe", "", "", "1300"}, {"diff", "diff.exe", "", "", "1302"}};
    bool added = true;
    EXPECT_EQ(ChangeOrAddUtility(list, {"diff", "fc.exe", "$FILE$", "C:\\W", ""}, &added), 1302);
    EXPECT_FALSE(added);
    EXPECT_EQ(list[1], (UtilitySetting{"diff", "fc.exe", "$FILE$", "C:\\W", "1302"}));

    EXPECT_EQ(ChangeOrAddUtility(list, {"averylongname", "x.exe", "", "", ""}, &added), 1301);
    EXPECT_TRUE(added);
    EXPECT_EQ(list.front().nickname, "averylong") << "cut at 9 characters";
    EXPECT_EQ(list.size(), 3u);

    for (const UtilitySetting& refused : {UtilitySetting{"", "x.exe", "", "", ""}, UtilitySetting{"n", "", "", "", ""}})
        EXPECT_EQ(ChangeOrAddUtility(list, refused, &added), 0);
    EXPECT_EQ(reports.errors.size(), 2u);
    EXPECT_EQ(list.size(), 3u);

    while (list.size() < 12) ChangeOrAddUtility(list, {"u" + std::to_string(list.size()), "p", "", "", ""}, &added);
    EXPECT_EQ(ChangeOrAddUtility(list, {"more", "p", "", "", ""}, &added), 0) << "all twelve ids are taken";
    EXPECT_EQ(list.size(), 12u);
}

TEST(UtilityList, DeleteByNicknameAndFindById) {
    RecordedReports reports;
    std::vector<UtilitySetting> list = {{"grep", "grep.exe", "", "", "1300"}, {"diff", "diff.exe", "", "", "1301"}};
    ASSERT_NE(FindUtility(list, 1301), nullptr);
    EXPECT_EQ(FindUtility(list, 1301)->nickname, "diff");
    EXPECT_EQ(FindUtility(list, 1305), nullptr);
    EXPECT_EQ(DeleteUtility(list, "nothere"), 0);
    EXPECT_EQ(reports.errors, std::vector<std::string>{"Can't find utility nothere"});
    EXPECT_EQ(DeleteUtility(list, "grep"), 1300);
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(FindUtility(list, 1300), nullptr);
}

bool Answer(const std::string& prompt, std::string& answer) {
    answer = "[" + prompt + "]";
    return true;
}

TEST(UtilityRun, ProgramArgumentsAndStartDirectoryExpanded) {
    MacroContext c;
    c.file = "C:\\W\\A.C";
    c.current_dir = "C:\\W";
    c.ask = Answer;
    UtilityRun run;
    ASSERT_TRUE(PrepareUtilityRun({"ed", "notepad.exe", "$FILE$ -o out", "$DIR$", "1300"}, c, run));
    EXPECT_EQ(run.command_line, "notepad.exe C:\\W\\A.C  -o out");
    EXPECT_EQ(run.start_dir, "C:\\W") << "no blank after a directory";

    ASSERT_TRUE(PrepareUtilityRun({"ask", "tool.exe", "$ASK$", "", "1300"}, c, run));
    EXPECT_EQ(run.command_line, "tool.exe [tool.exe] ") << "the question is the expanded program";
    EXPECT_TRUE(run.start_dir.empty());

    RecordedReports reports;
    EXPECT_FALSE(PrepareUtilityRun({"bad", "$ASK$", "x", "", "1300"}, c, run)) << "$ASK$ in the program runs nothing";
}

TEST(UtilityRun, WordAroundTheCursor) {
    const char* line = "  call(first_arg, 2);";
    const struct {
        int column;
        const char* word;
    } cases[] = {{0, ""}, {2, "call"}, {4, "call"}, {6, "call"}, {7, "first_arg"}, {16, "first_arg"}, {17, ""}, {21, ""}, {99, ""}};
    for (const auto& c : cases) EXPECT_EQ(WordAround(line, 21, c.column), c.word) << c.column;
}

}  // namespace
