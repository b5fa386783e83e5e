#include <gtest/gtest.h>

#include <string>

#include "editor/bookmarks.h"
#include "editor/find_command.h"
#include "editor/line_matcher.h"
#include "editor/search_options.h"
#include "tests/editor/edit_fixture.h"

namespace {

LineMatcher Matcher(const char* text, FindFlags flags) {
    LineMatcher m;
    EXPECT_TRUE(PrepareLineMatcher(text, flags, &m));
    return m;
}

// "anchor line:column-caret line:column", or "none" when the search failed.
std::string Selection(EditFixture& f, const LineMatcher& m, bool again) {
    if (!FindFromCursor(&f.cursor, m, again)) return "none";
    const EditCursor& c = f.cursor;
    return std::to_string(c.anchor.number) + ":" + std::to_string(c.anchor.column) + "-" +
           std::to_string(c.caret.number) + ":" + std::to_string(c.caret.column);
}

TEST(FindCommand, RepeatedSearchesWalkTheMatchesBothWays) {
    EditFixture f("beta alpha beta\nend beta\n");
    LineMatcher m = Matcher("beta", kFindExact | kFindForwards);
    EXPECT_EQ(Selection(f, m, false), "1:0-1:4");
    EXPECT_EQ(Selection(f, m, true), "1:11-1:15");
    EXPECT_EQ(Selection(f, m, true), "2:4-2:8");
    EXPECT_EQ(Selection(f, m, true), "none");
    EXPECT_EQ(f.cursor.caret.number, 2) << "a failed search leaves the selection";
    m.flags = FindPreviousFlags(m.flags);
    EXPECT_EQ(Selection(f, m, true), "1:11-1:15") << "from the selection's start, not the caret";
    EXPECT_EQ(Selection(f, m, true), "1:0-1:4");
    EXPECT_EQ(Selection(f, m, true), "none");
}

TEST(FindCommand, MatchAcrossALineEndIsSelectedToItsEnd) {
    EditFixture f("one\ntwo\n");
    LineMatcher m = Matcher("ne\ntw", kFindExact | kFindForwards);
    EXPECT_EQ(Selection(f, m, false), "1:1-2:2");
}

TEST(FindCommand, EmptyExpressionMatchesDoNotHoldFindNextInPlace) {
    EditFixture f("ab\nb\n");
    LineMatcher m = Matcher("a*", kFindRegularExpression | kFindForwards);
    EXPECT_EQ(Selection(f, m, false), "1:0-1:1");
    EXPECT_EQ(Selection(f, m, true), "2:0-2:0") << "the empty match at the caret is passed over";
    EXPECT_EQ(Selection(f, m, true), "none") << "one at the end of a line does not count";
}

TEST(FindCommand, SimilarWordsAndTheOtherWindowsStartAtTheDocumentsEdge) {
    EditFixture f("abd abc\nabcd\n");
    LineMatcher m = Matcher("abc", kFindSimilarWords | kFindForwards);
    f.Caret(2, 4);
    EXPECT_TRUE(FindFromDocumentEdge(&f.cursor, m));
    EXPECT_EQ(f.cursor.anchor.column, 0);
    EXPECT_EQ(f.cursor.caret.column, 3);
    m = Matcher("abc", kFindExact | kFindBackwards);
    EXPECT_TRUE(FindFromDocumentEdge(&f.cursor, m));
    EXPECT_EQ(f.cursor.anchor.number, 2);
}

TEST(FindCommand, SearchStartBookmarkMovesAndSparesTheUsersOwn) {
    EditFixture f("a\nb\nc\n");
    f.Caret(1, 0);
    MarkSearchStart(&f.cursor);
    f.Caret(2, 0);
    MarkSearchStart(&f.cursor);
    ASSERT_EQ(BookmarkCount(), 1);
    EXPECT_EQ(FindBookmarkTag(kSearchStartTag)->line, f.cursor.caret.line);
    f.Caret(3, 0);
    SetBookmark(f.doc, f.cursor.caret.line, nullptr, 3);
    MarkSearchStart(&f.cursor);
    EXPECT_EQ(FindBookmarkTag(kSearchStartTag), nullptr);
    EXPECT_NE(FindBookmarkTag(3), nullptr) << "the user's bookmark keeps its tag";
    DeleteDocumentBookmarks(f.doc);
}

}  // namespace
