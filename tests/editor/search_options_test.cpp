#include <gtest/gtest.h>

#include "editor/find_dialog_layout.h"
#include "editor/search_options.h"
#include "tests/support/recorded_reports.h"

TEST(SearchOptions, KindsOfMatchExcludeEachOther) {
    FindFlags all = 0xFFFF;
    FindFlags f = ChooseRegularExpression(all);
    EXPECT_TRUE(f & kFindRegularExpression && f & kFindForwards);
    EXPECT_FALSE(f & (kFindExact | kFindIgnoreCase | kFindBackwards | kFindWrap | kFindSimilarWords));
    f = ChooseExact(all);
    EXPECT_TRUE(f & kFindExact);
    EXPECT_FALSE(f & (kFindRegularExpression | kFindSimilarWords));
    f = ChooseSimilarWords(all);
    EXPECT_TRUE(f & kFindSimilarWords && f & kFindForwards);
    EXPECT_FALSE(f & (kFindRegularExpression | kFindExact | kFindBackwards));
    EXPECT_EQ(ChooseWrap(kFindAllWindows), kFindWrap | kFindCurrentWindow);
    f = ChooseByFunction(kFindAllWindows | kFindBackwards | kFindWrap);
    EXPECT_EQ(f, kFindCurrentWindow | kFindForwards | kFindWholeWords | kFindByFunction);
}

TEST(SearchOptions, FindNextAndPrevious) {
    EXPECT_EQ(FindNextFlags(kFindBackwards | kFindExact), kFindForwards | kFindExact);
    EXPECT_EQ(FindNextFlags(kFindBackwards | kFindWrap | kFindAllWindows), kFindBackwards | kFindWrap | kFindCurrentWindow);
    EXPECT_EQ(FindPreviousFlags(kFindForwards | kFindExact), kFindBackwards | kFindExact);
}

TEST(SearchOptions, AcceptingTheDialog) {
    RecordedReports reports;
    SearchState state;
    EXPECT_FALSE(AcceptSearch(&state, "x", kFindExact));
    EXPECT_FALSE(AcceptSearch(&state, "", kFindExact | kFindForwards));
    EXPECT_EQ(reports.errors, (std::vector<std::string>{"Direction ?", "Empty search string?"}));
    ASSERT_TRUE(AcceptSearch(&state, std::string(200, 'a'), kFindExact | kFindForwards));
    EXPECT_EQ(state.text.size(), kSearchTextLimit);
    ASSERT_TRUE(AcceptSearch(&state, "b", kFindExact | kFindForwards));
    EXPECT_EQ(state.history, (std::vector<std::string>{"b", std::string(127, 'a')}));
}

TEST(SearchOptions, SelectionBecomesTheSearchTextOnlyWithoutBlanks) {
    const char* line = "int count = 0;";
    EXPECT_EQ(SelectionAsSearchText(line, 14, 4, 9), "count");
    EXPECT_EQ(SelectionAsSearchText(line, 14, 9, 4), "count");
    EXPECT_EQ(SelectionAsSearchText(line, 14, 0, 9), "");
    EXPECT_EQ(SelectionAsSearchText(line, 14, 4, 4), "");
    EXPECT_EQ(SelectionAsSearchText(line, 14, 4, 99), "");
}

TEST(SearchOptions, DialogControlsKeepTheFlagRules) {
    FindFlags start = kFindCurrentWindow | kFindExact | kFindForwards | kFindIgnoreCase | kFindWrap;
    struct Case {
        uint16_t id;
        FindFlags expected;
    } cases[] = {
        {kFindAllWindowsButton, kFindAllWindows | kFindExact | kFindForwards | kFindIgnoreCase | kFindWrap},
        {kFindExpressionButton, kFindCurrentWindow | kFindRegularExpression | kFindForwards},
        {kFindSimilarButton, kFindCurrentWindow | kFindSimilarWords | kFindForwards | kFindIgnoreCase | kFindWrap},
        {kFindCaseSensitiveButton, kFindCurrentWindow | kFindExact | kFindForwards | kFindWrap},
        {kFindBackwardsButton, kFindCurrentWindow | kFindExact | kFindBackwards | kFindIgnoreCase | kFindWrap},
        {kFindWrapButton, kFindCurrentWindow | kFindExact | kFindForwards | kFindIgnoreCase},
        {kFindIconizedButton, start | kFindSkipMinimized},
        {999, start},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClickFlagControl(kSearchControls, kSearchControlCount, c.id, start), c.expected) << c.id;
    // Checking Wrap again keeps to the current window; By function brings its own bits.
    FindFlags f = ClickFlagControl(kSearchControls, kSearchControlCount, kFindWrapButton, kFindAllWindows | kFindExact);
    EXPECT_EQ(f, kFindCurrentWindow | kFindWrap | kFindExact);
    f = ClickFlagControl(kReplaceControls, kReplaceControlCount, kReplaceByFunctionButton,
                         kFindAllWindows | kFindBackwards | kFindWrap | kFindExact);
    EXPECT_EQ(f, kFindCurrentWindow | kFindForwards | kFindWholeWords | kFindByFunction | kFindExact);
    // Each radio group shows exactly one choice, the inverted ones included.
    for (FindFlags flags : {FindFlags(kFindIgnoreCase), FindFlags(0)}) {
        int checked = 0;
        for (int i = 0; i < kSearchControlCount; ++i)
            if (kSearchControls[i].group == 3 && FlagControlChecked(kSearchControls[i], flags)) ++checked;
        EXPECT_EQ(checked, 1) << flags;
    }
}
