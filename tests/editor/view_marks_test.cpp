// What the view draws beside the text: marked ranges, brace levels, the caret's
// status text, and the rows of the bookmark list.
#include <gtest/gtest.h>

#include <climits>

#include "analysis/document_scan.h"
#include "analysis/language.h"
#include "editor/bookmarks.h"
#include "editor/brace_levels.h"
#include "editor/caret_status.h"
#include "editor/edit_typing.h"
#include "editor/marked_ranges.h"
#include "tests/editor/edit_fixture.h"

namespace {

std::string Columns(const std::vector<ColumnSpan>& spans) {
    std::string out;
    for (const ColumnSpan& s : spans)
        out += std::to_string(s.start) + "+" + (s.length > 1000 ? std::string("rest") : std::to_string(s.length)) + " ";
    return out;
}

TEST(MarkedRanges, ColumnsOfEachLineExpandedThroughTabs) {
    EditFixture f("abcdef\n\tx = 1;\nlast\nafter\n");
    ASSERT_TRUE(AddMarkedRange(f.doc, 3, 1, 3, 3));   // kept in start order
    ASSERT_TRUE(AddMarkedRange(f.doc, 1, 2, 3, 2));   // across lines, ending inside line 3
    ASSERT_TRUE(AddMarkedRange(f.doc, 1, 4, 1, 99));  // to past the end: the rest of the line
    EXPECT_EQ(MarkedRangeCount(f.doc), 3);
    struct Case {
        int line;
        const char* spans;
    } cases[] = {
        {1, "2+rest 4+rest "},
        {2, "0+rest "},  // a middle line entirely
        {3, "0+2 1+2 "},
        {4, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Columns(MarkedColumns(f.doc, c.line, LineAt(f.doc, c.line), 4)), c.spans) << c.line;
    ClearMarkedRanges(f.doc);
    ASSERT_TRUE(AddMarkedRange(f.doc, 2, 1, 2, 2));  // "x" after the tab: expanded column 4
    EXPECT_EQ(Columns(MarkedColumns(f.doc, 2, LineAt(f.doc, 2), 4)), "4+1 ");
}

TEST(MarkedRanges, InvalidRangesAreDroppedWithInternalErrors) {
    EditFixture f("one\ntwo\n");
    AddMarkedRange(f.doc, 2, 0, 1, 0);  // ends before it starts
    AddMarkedRange(f.doc, 1, 0, 1, 2);
    AddMarkedRange(f.doc, 2, 0, 5, 0);  // past the last line (lines deleted behind it)
    AddMarkedRange(f.doc, 1, 3, 1, 1);
    DropInvalidMarkedRanges(f.doc);
    EXPECT_EQ(MarkedRangeCount(f.doc), 1);
    std::vector<std::string> errors = {"InternalError 4201", "InternalError 4201", "InternalError 4202"};
    EXPECT_EQ(f.reports.errors, errors);
}

TEST(MarkedRanges, OverlaySplitsColourSpans) {
    std::vector<ColourSpan> spans = {{0, 3, ColourKind::Keyword}, {3, 5, ColourKind::Text}};
    std::vector<ColourSpan> out = OverlayMarked(spans, {{2, 3}});
    std::string kinds;
    for (const ColourSpan& s : out) kinds += std::to_string(s.start) + ":" + std::to_string(s.length) + ":" +
                                             std::to_string(static_cast<int>(s.kind)) + " ";
    EXPECT_EQ(kinds, "0:2:1 2:1:5 3:2:5 5:3:0 ");
    EXPECT_EQ(OverlayMarked(spans, {}).size(), 2u);
}

TEST(BraceLevels, DepthAtEachLineStartOutsideCommentsAndStrings) {
    EditFixture f(
        "int f(void)\n"          // 0
        "{\n"                    // 0
        "    if (x) { /* { */\n" // 1
        "        s = \"}\";\n"   // 2
        "    }\n"                // 2
        "#define B {\n"          // 1
        "}\n"                    // 1
        "}\n");                  // 0: one too many closes, never below 0
    EXPECT_EQ(BraceLevels(f.doc, 1, 8), (std::vector<int>{0, 0, 1, 2, 2, 1, 1, 0}));
    EXPECT_EQ(BraceLevels(f.doc, 4, 2), (std::vector<int>{2, 2}));
    EXPECT_EQ(BraceLevels(f.doc, 7, 10), (std::vector<int>{1, 0}));  // lines past the end left out
}

TEST(BraceLevels, FarDownAndAfterEdits) {
    std::string text;
    for (int i = 0; i < 1500; ++i) text += i % 3 == 0 ? "{\n" : i % 3 == 1 ? "x;\n" : "}\n";
    EditFixture f(text);
    EXPECT_EQ(BraceLevels(f.doc, 1200, 4), (std::vector<int>{1, 0, 1, 1}));  // past two remembered states
    EXPECT_EQ(BraceLevels(f.doc, 601, 2), (std::vector<int>{0, 1}));
    f.Caret(1, 0);
    ASSERT_TRUE(InsertTextAtCaret(&f.cursor, "{", false));  // every later line one deeper
    EXPECT_EQ(BraceLevels(f.doc, 1200, 4), (std::vector<int>{2, 1, 2, 2}));
    ClearLines(f.doc);
    EXPECT_TRUE(BraceLevels(f.doc, 1, 3).empty());
}

TEST(CaretStatus, FunctionNameWhenTheCaretIsInsideOne) {
    EditFixture f("int g;\nint alpha(void)\n{\n    return 1;\n}\n", "caret_status.c");
    InstallAnalysisHooks();
    f.doc->language = LanguageForFileName(f.doc->name);
    struct Case {
        int line, column;
        const char* text;
    } cases[] = {{1, 0, "1:1"}, {4, 4, "alpha 4:5"}, {5, 0, "alpha 5:1"}, {6, 0, "6:1"}};
    for (const Case& c : cases) EXPECT_EQ(CaretStatusText(f.doc, PositionAt(f.doc, c.line, c.column)), c.text);
    // An edit that adds a function on one line is seen at once, and marks the document.
    f.Caret(1, 6);
    ASSERT_TRUE(InsertTextAtCaret(&f.cursor, " int beta(void) { return 2; }", false));
    EXPECT_EQ(CaretStatusText(f.doc, PositionAt(f.doc, 1, 10)), "beta 1:11 *");
    f.doc->language = nullptr;
    EXPECT_EQ(CaretStatusText(f.doc, PositionAt(f.doc, 4, 4)), "4:5 *");
}

TEST(Bookmarks, LabelNamesTheFileLineAndTextAndAChosenOneIsCurrent) {
    EditFixture f("first\n\tsecond line\n", "C:\\src\\dir/marks.c");
    SetBookmark(f.doc, LineAt(f.doc, 2), nullptr, 0);
    ASSERT_EQ(BookmarkCount(), 1);
    EXPECT_EQ(BookmarkLabel(*BookmarkAt(0)), "marks.c:2: \tsecond line");
    SetBookmark(f.doc, LineAt(f.doc, 1), nullptr, 0);
    SelectBookmark(1);  // chosen from the list: Goto next goes on from it
    EXPECT_EQ(NextBookmark(), BookmarkAt(0));
    DeleteDocumentBookmarks(f.doc);
}

}  // namespace
