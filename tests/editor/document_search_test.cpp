#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "editor/document_search.h"
#include "editor/line_matcher.h"
#include "editor/text_search.h"
#include "editor/undo_journal.h"
#include "tests/support/recorded_reports.h"

namespace {

class SearchDocument : public ::testing::Test {
protected:
    void SetUp() override { JournalReset(); }
    void TearDown() override { Free(); }
    void Free() {
        if (!doc_) return;
        JournalForgetDocument(doc_);
        FreeDocument(doc_);
        doc_ = nullptr;
    }

    void Load(const std::vector<std::string>& lines) {
        doc_ = FindDocument("search-test-document", true);
        ASSERT_NE(doc_, nullptr);
        TextLine* after = doc_->lines;
        for (const std::string& l : lines) after = InsertLineAfter(doc_, after, l.data(), static_cast<int>(l.size()));
    }
    std::vector<std::string> Text() const {
        std::vector<std::string> out;
        for (TextLine* l = FirstLine(doc_); l; l = NextLine(doc_, l)) out.emplace_back(l->text, l->length);
        return out;
    }
    LineMatcher Matcher(const char* text, FindFlags flags) {
        LineMatcher m;
        EXPECT_TRUE(PrepareLineMatcher(text, flags, &m));
        return m;
    }
    // "number:column+length" of the match, or "none".
    std::string Find(const LineMatcher& m, int number, int column, const SearchBounds& bounds = {}) {
        DocumentMatch match;
        if (!FindInDocument(doc_, m, number, column, &match, bounds)) return "none";
        return std::to_string(match.number) + ":" + std::to_string(match.column) + "+" + std::to_string(match.length);
    }

    TextDocument* doc_ = nullptr;
};

TEST_F(SearchDocument, ForwardFromTheCaretWithWholeWordsAndWrap) {
    Load({"count counter", "x Count", "recount"});
    LineMatcher m = Matcher("count", kFindExact | kFindForwards | kFindWholeWords);
    EXPECT_EQ(Find(m, 1, 0), "1:0+5");
    EXPECT_EQ(Find(m, 1, 5), "none");  // counter is not the word, Count differs in case
    m = Matcher("count", kFindExact | kFindForwards | kFindWholeWords | kFindIgnoreCase);
    EXPECT_EQ(Find(m, 1, 5), "2:2+5");
    EXPECT_EQ(Find(m, 2, 7), "none");
    m.flags |= kFindWrap;
    EXPECT_EQ(Find(m, 2, 7), "1:0+5");  // round from the first line
    EXPECT_EQ(Find(m, 1, 1), "2:2+5");
    m = Matcher("count", kFindExact | kFindForwards | kFindWrap);
    EXPECT_EQ(Find(m, 3, 3), "1:0+5");  // the occurrence in recount starts before the caret
}

TEST_F(SearchDocument, BackwardFindsTheNearestEarlierOneAlsoAcrossLineEnds) {
    Load({"xxabc", "defyy abc", "abc", "def"});
    LineMatcher m = Matcher("abc", kFindExact | kFindBackwards);
    EXPECT_EQ(Find(m, 3, 0), "2:6+3");
    EXPECT_EQ(Find(m, 2, 6), "1:2+3");
    EXPECT_EQ(Find(m, 1, 2), "none");
    m.flags |= kFindWrap;
    EXPECT_EQ(Find(m, 1, 2), "3:0+3");
    m = Matcher("abc\ndef", kFindExact | kFindBackwards);
    EXPECT_EQ(Find(m, 4, 3), "3:0+7");
    EXPECT_EQ(Find(m, 3, 0), "1:2+7");
    m.flags = kFindExact | kFindForwards;
    EXPECT_EQ(Find(m, 1, 3), "3:0+7");  // "abc" ending line 2 is followed by "abc", not "def"
}

TEST_F(SearchDocument, ExpressionsAndSimilarWords) {
    Load({"ab", "xaby", "", "abd abcd abc"});
    LineMatcher m = Matcher("^ab", kFindRegularExpression | kFindForwards);
    EXPECT_EQ(Find(m, 1, 1), "4:0+2");  // '^' is column 0 even when the search starts later
    m = Matcher("y*$", kFindRegularExpression | kFindForwards);
    EXPECT_EQ(Find(m, 1, 0), "2:3+1");  // the empty match at the end of line 1 does not count
    m = Matcher("ab", kFindRegularExpression | kFindBackwards);
    EXPECT_EQ(Find(m, 4, 9), "4:4+2");
    m = Matcher("abc", kFindSimilarWords | kFindForwards);
    EXPECT_EQ(Find(m, 1, 0), "1:0+2");  // ab is one edit away
    EXPECT_EQ(Find(m, 3, 0), "4:0+3");  // abd
    EXPECT_EQ(Find(m, 4, 3), "4:4+4");  // abcd; abc itself is skipped
    EXPECT_EQ(Find(m, 4, 8), "none");
}

TEST_F(SearchDocument, BoundsKeepToOneFunction) {
    Load({"f", "f", "f", "f"});
    LineMatcher m = Matcher("f", kFindExact | kFindForwards);
    EXPECT_EQ(Find(m, 1, 0, {2, 3}), "2:0+1");
    EXPECT_EQ(Find(m, 3, 1, {2, 3}), "none");
}

TEST(SimilarWords, Threshold) {
    int n;
    EXPECT_EQ(FindSimilarWord("xyz", 3, 0, "abc", 3, false, &n), -1);
    EXPECT_EQ(EditDistance("kitten", 6, "sitting", 7, false), 3);
    EXPECT_EQ(EditDistance("ABC", 3, "abd", 3, true), 1);
    // A start inside a word skips the rest of it.
    EXPECT_EQ(FindSimilarWord("abd abe", 7, 1, "abc", 3, false, &n), 4);
}

struct ReplaceCase {
    const char* pattern;
    FindFlags flags;
    const char* line;
    const char* replacement;
    const char* expected;
};

const ReplaceCase kReplaceCases[] = {
    {"x*", kFindRegularExpression, "abc", "-", "-a-b-c"},  // empty matches, none at the line end
    {"x*", kFindRegularExpression, "axb", "-", "-a-b"},    // no empty match right after a replaced one
    {"^", kFindRegularExpression, "abc", ">", ">abc"},
    {"$", kFindRegularExpression, "abc", "<", "abc"},
    {"b+", kFindRegularExpression, "abbcb", "B", "aBcB"},
    {"aa", kFindExact, "aaaaa", "b", "bba"},
    {"a", kFindExact, "aaa", "aa", "aaaaaa"},  // a replacement holding the text does not loop
    {"A", kFindExact | kFindIgnoreCase, "aAb", "", "b"},
    {"in", kFindExact | kFindWholeWords, "in print in_x (in)", "IN", "IN print in_x (IN)"},
    {"(a|b)c", kFindRegularExpression, "acbcc", "\\1", "\\1\\1c"},  // replacements are literal
};

TEST_F(SearchDocument, ReplaceTable) {
    RecordedReports reports;
    for (const ReplaceCase& c : kReplaceCases) {
        Load({c.line});
        LineMatcher m = Matcher(c.pattern, c.flags | kFindForwards);
        ReplaceInDocument(doc_, m, c.replacement, 1, 0, nullptr, nullptr);
        EXPECT_EQ(Text(), std::vector<std::string>{c.expected}) << c.pattern << " in " << c.line;
        Free();
    }
}

TEST_F(SearchDocument, ReplaceAllWrapsAndReports) {
    RecordedReports reports;
    Load({"one x", "x two x", "three x"});
    LineMatcher m = Matcher("x", kFindExact | kFindForwards | kFindWrap);
    std::vector<Replacement> found = CollectReplacements(doc_, m, 2, 3, nullptr, nullptr);
    std::vector<int> order;
    for (const Replacement& r : found) order.push_back(r.number * 10 + r.column);
    EXPECT_EQ(order, (std::vector<int>{26, 36, 14, 20}));  // from the caret on, then round
    EXPECT_EQ(ReplaceInDocument(doc_, m, "yy", 2, 3, nullptr, nullptr), 4);
    EXPECT_EQ(Text(), (std::vector<std::string>{"one yy", "yy two yy", "three yy"}));
    EXPECT_EQ(reports.statuses, std::vector<std::string>{"4 substitutions"});
    EXPECT_TRUE(doc_->flags & kDocModified);
    EXPECT_EQ(ReplaceInDocument(doc_, m, "z", 1, 0, nullptr, nullptr), 0);
    EXPECT_EQ(reports.informs, std::vector<std::string>{"String not found"});
}

TEST_F(SearchDocument, ConfirmYesNoAllAndCancel) {
    RecordedReports reports;
    Load({"a a a", "a a"});
    std::deque<ReplaceAnswer> answers = {ReplaceAnswer::Yes, ReplaceAnswer::No, ReplaceAnswer::All};
    auto answer = [](void* context, const DocumentMatch&) {
        auto* queue = static_cast<std::deque<ReplaceAnswer>*>(context);
        ReplaceAnswer a = queue->front();
        queue->pop_front();
        return a;
    };
    LineMatcher m = Matcher("a", kFindExact | kFindForwards | kFindConfirm);
    EXPECT_EQ(ReplaceInDocument(doc_, m, "b", 1, 0, answer, &answers), 4);
    EXPECT_EQ(Text(), (std::vector<std::string>{"b a b", "b b"}));  // nothing asked after All
    EXPECT_TRUE(answers.empty());

    answers = {ReplaceAnswer::Yes, ReplaceAnswer::Cancel};
    m = Matcher("b", kFindExact | kFindForwards | kFindConfirm);
    EXPECT_EQ(ReplaceInDocument(doc_, m, "c", 1, 0, answer, &answers), 1);
    EXPECT_EQ(Text(), (std::vector<std::string>{"c a b", "b b"}));
}

TEST_F(SearchDocument, ReplaceAllIsOneUndoStepAndCursorsFollow) {
    RecordedReports reports;
    Load({"a a", "b a"});
    EditCursor cursor;
    AttachCursor(&cursor, doc_);
    cursor.caret = PositionAt(doc_, 2, 3);  // after the last "a"
    LineMatcher m = Matcher("a", kFindExact | kFindForwards);
    std::string longer(40, 'z');  // the lines outgrow their records
    EXPECT_EQ(ReplaceInDocument(doc_, m, longer, 1, 0, nullptr, nullptr, {}, &cursor), 3);
    EXPECT_EQ(Text(), (std::vector<std::string>{longer + " " + longer, "b " + longer}));
    EXPECT_EQ(cursor.caret.number, 2);
    EXPECT_EQ(cursor.caret.column, 42);
    EXPECT_EQ(cursor.caret.line, LineAt(doc_, 2));
    EXPECT_TRUE(Undo(&cursor));
    EXPECT_EQ(Text(), (std::vector<std::string>{"a a", "b a"}));
    EXPECT_FALSE(Undo(&cursor));  // the whole series was one step
    DetachCursor(&cursor);
}

TEST_F(SearchDocument, ReplaceThatWouldOverfillALineChangesNothing) {
    RecordedReports reports;
    Load({"x x", "x"});
    LineMatcher m = Matcher("x", kFindExact | kFindForwards);
    std::string huge(kMaxTextLineLength / 2 + 1, 'y');
    EXPECT_EQ(ReplaceInDocument(doc_, m, huge, 1, 0, nullptr, nullptr), -1);
    EXPECT_EQ(reports.errors, std::vector<std::string>{"Line too long!"});
    EXPECT_EQ(Text(), (std::vector<std::string>{"x x", "x"}));
    EXPECT_FALSE(doc_->flags & kDocModified);
}

TEST_F(SearchDocument, ReplaceByFunctionStaysInsideIt) {
    RecordedReports reports;
    Load({"v", "v", "v", "v"});
    LineMatcher m = Matcher("v", kFindExact | kFindForwards | kFindWrap);
    EXPECT_EQ(ReplaceInDocument(doc_, m, "w", 3, 0, nullptr, nullptr, {2, 3}), 2);
    EXPECT_EQ(Text(), (std::vector<std::string>{"v", "w", "w", "v"}));
}

TEST(LineMatcher, EmptyTextIsRefused) {
    RecordedReports reports;
    LineMatcher m;
    EXPECT_FALSE(PrepareLineMatcher("", kFindExact, &m));
    EXPECT_FALSE(PrepareLineMatcher("a**", kFindRegularExpression, &m));
    EXPECT_EQ(reports.errors, (std::vector<std::string>{"Empty search string?", "Bad regular expression"}));
}

}  // namespace
