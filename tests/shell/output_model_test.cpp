#include "shell/output_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/recorded_reports.h"

namespace {

TEST(OutputText, LongTextWithoutLineEndComesInPieces) {
    std::string pending;
    std::vector<std::string> lines;
    EXPECT_EQ(TakeExternalText(&pending, std::string(700, 'a').c_str(), &lines), 5);
    ASSERT_EQ(lines.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(lines[i].size(), 150u);
    EXPECT_EQ(lines[4].size(), 100u);
    EXPECT_TRUE(pending.empty());
}

TEST(OutputText, ShortTextWaitsForItsLineEnd) {
    std::string pending;
    std::vector<std::string> lines;
    std::string first(200, 'b');
    EXPECT_EQ(TakeExternalText(&pending, first.c_str(), &lines), 0);
    EXPECT_EQ(pending, first);
    EXPECT_EQ(TakeExternalText(&pending, "c\r\nnext", &lines), 2);
    EXPECT_EQ(lines, (std::vector<std::string>{std::string(150, 'b'), std::string(50, 'b') + "c"}));
    EXPECT_EQ(pending, "next");
}

TEST(OutputText, EveryLineOfOneTextIsKept) {
    std::string pending;
    std::vector<std::string> lines;
    TakeExternalText(&pending, "a.c(3): error\nb.c(4): warning\n", &lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"a.c(3): error", "b.c(4): warning"}));
}

TEST(OutputText, CompilerCommandLineLosesTheDriver) {
    const std::pair<const char*, const char*> cases[] = {
        {"c:\\rmc\\bin\\rmc.exe   -c -O2 prog.c\n", "-O2 prog.c"},
        {"rmc.exe prog.c\n", "prog.c"},
        {"make.exe -c x\n", "make.exe -c x"},
        {"prog.c(12): error\n", "prog.c(12): error"},
    };
    for (auto [text, want] : cases) {
        std::string pending;
        std::vector<std::string> lines;
        TakeExternalText(&pending, text, &lines);
        ASSERT_EQ(lines.size(), 1u) << text;
        EXPECT_EQ(lines[0], want);
    }
}

TEST(OutputText, PendingTextIsBounded) {
    RecordedReports reports;
    std::string pending(kPendingTextMax, 'x');
    std::vector<std::string> lines;
    EXPECT_EQ(TakeExternalText(&pending, "more\n", &lines), 0);
    EXPECT_EQ(reports.statuses, (std::vector<std::string>{"Overflow reading error message"}));
}

TEST(OutputStatus, TimedMessagesHoldOffFourPositionUpdates) {
    StatusLine s;
    EXPECT_TRUE(StatusPosition(&s, "Line 1"));
    StatusMessage(&s, "Saved", StatusInk::Red);
    EXPECT_EQ(s.shown, "Saved");
    EXPECT_EQ(s.ink, StatusInk::Red);
    for (int i = 2; i <= 5; ++i) EXPECT_FALSE(StatusPosition(&s, ("Line " + std::to_string(i)).c_str()));
    EXPECT_EQ(s.shown, "Saved");
    EXPECT_TRUE(StatusPosition(&s, "Line 6"));
    EXPECT_EQ(s.shown, "Line 6");

    StatusMessage(&s, "Found", StatusInk::Navy);
    StatusPosition(&s, "Line 7");
    StatusTimerEnded(&s);
    EXPECT_EQ(s.shown, "Line 7");
    EXPECT_EQ(s.ink, StatusInk::Normal);
}

TEST(OutputStatus, PrefixAndMenuHelp) {
    StatusLine s;
    StatusPosition(&s, "Line 9");
    StatusSetPrefix(&s, "search");
    StatusMessage(&s, "3 hits", StatusInk::Navy);
    EXPECT_EQ(s.shown, "search : 3 hits");
    StatusMessage(&s, "bad", StatusInk::Red);
    EXPECT_EQ(s.shown, "bad");
    StatusClearPrefix(&s);
    EXPECT_EQ(s.shown, "Line 9");
    StatusMenuHelp(&s, "Opens a file.", false);
    EXPECT_EQ(s.shown, "Opens a file.");
    StatusMenuHelp(&s, "", true);
    EXPECT_EQ(s.shown, "Line 9");
}

TEST(OutputGeometry, ExpandedHeightIsBounded) {
    EXPECT_EQ(ExpandedHeight(0, 800), 200);
    EXPECT_EQ(ExpandedHeight(300, 800), 300);
    EXPECT_EQ(ExpandedHeight(700, 800), 600);
}

TEST(OutputSave, WritesHeaderAndLinesOrNothing) {
    RecordedReports reports;
    auto file = (std::filesystem::temp_directory_path() / "morla-output-save.txt").string();
    std::filesystem::remove(file);
    EXPECT_FALSE(SaveOutputLines({}, "build", file.c_str(), 0));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(reports.statuses.back(), "Nothing to print");

    std::time_t when = 1700000000;
    ASSERT_TRUE(SaveOutputLines({"one", "two"}, "build", file.c_str(), when));
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, std::string("Morla output window build: ") + std::ctime(&when) + "one\ntwo\n");
    EXPECT_EQ(reports.statuses.back(), "2 lines written to " + file);
    std::filesystem::remove(file);

    EXPECT_FALSE(SaveOutputLines({"x"}, "build", "/nonexistent-dir/out.txt", when));
    EXPECT_EQ(reports.errors.back(), "Impossible to open /nonexistent-dir/out.txt for writing!");
}

}  // namespace
