#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editor/regex.h"
#include "tests/support/recorded_reports.h"

namespace {

struct MatchCase {
    const char* pattern;
    const char* text;
    int start;  // -1: no match
    int length;
};

const MatchCase kMatchCases[] = {
    // literals and runs
    {"abc", "xxabcxx", 2, 3},
    {"abc", "ab", -1, 0},
    {"b", "abc", 1, 1},
    {"a]b{", "xa]b{", 1, 4},  // ']' and '{' are not meta
    // any character
    {"a.c", "abc", 0, 3},
    {"a.c", "ac", -1, 0},
    {".", "", -1, 0},
    // anchors: only at column 0 and at the end of the line
    {"^ab", "abab", 0, 2},
    {"^ab", "xab", -1, 0},
    {"ab$", "abab", 2, 2},
    {"ab$", "abx", -1, 0},
    {"^$", "", 0, 0},
    {"^$", "x", -1, 0},
    {"a^b", "a^b", -1, 0},
    {"$", "abc", 3, 0},
    // sets
    {"[abc]+", "xxbcay", 2, 3},
    {"[^0-9]", "5", -1, 0},
    {"[^0-9]+", "12ab3", 2, 2},
    {"[a-c]*d", "xabcd", 1, 4},
    {"[]x]", "a]", 1, 1},    // leading ']' literal
    {"[-x]", "a-", 1, 1},    // leading '-' literal
    {"[x-]", "a-", 1, 1},    // '-' before ']' literal
    {"[^]x]", "]xa", 2, 1},  // negated, leading ']' literal
    {"[a-c-e]", "d", 0, 1},  // a range after a range starts at its end
    {"[.*]", "a*", 1, 1},    // meta characters are plain inside a set
    // repetition: greedy, leftmost
    {"a*b", "b", 0, 1},
    {"a*b", "ab", 0, 2},
    {"a*b", "aaab", 0, 4},
    {"a*", "bbb", 0, 0},
    {"a+", "baaa", 1, 3},
    {"a?b", "xab", 1, 2},
    {"ab*", "abbbc", 0, 4},
    {"abc+", "abcabccc", 0, 3},  // the repeat takes the last character of the run only
    {"abc*", "ab", 0, 2},
    {"colou?r", "color colour", 0, 5},
    {".*x", "axbxc", 0, 4},
    // groups and alternatives
    {"(a|b)+c", "abac", 0, 4},
    {"(ab)+", "xababa", 1, 4},
    {"(ab)*c", "ababc", 0, 5},
    {"cat|dog", "hotdog", 3, 3},
    {"a|ab", "ab", 0, 1},    // the first alternative wins
    {"ab|a", "ab", 0, 2},
    {"(a|ab)(c|bcd)", "abcd", 0, 4},
    {"x(a|b)?y", "xy", 0, 2},
    {"(^a|b)", "cab", 2, 1},
    {"(((((((((a)))))))))", "a", 0, 1},  // nine groups
    // escapes
    {"a\\.b", "axb a.b", 4, 3},
    {"\\*", "a*", 1, 1},
    {"\\(x\\)", "(x)", 0, 3},
    {"\\\\", "a\\b", 1, 1},
    {"\\|", "a|b", 1, 1},
    {"\\n", "n", 0, 1},  // any escaped character is itself
    // bytes above 127
    {"\xe9t\xe9", "\xe9t\xe9", 0, 3},
    {"[\xe0-\xef]", "a\xe9", 1, 1},
};

TEST(Regex, MatchTable) {
    RecordedReports reports;
    for (const MatchCase& c : kMatchCases) {
        CompiledRegex re;
        ASSERT_TRUE(CompileRegex(c.pattern, false, &re)) << c.pattern;
        int length = -1;
        int at = FindRegexInLine(re, c.text, static_cast<int>(strlen(c.text)), 0, &length);
        EXPECT_EQ(at, c.start) << c.pattern << " on " << c.text;
        if (c.start >= 0) {
            EXPECT_EQ(length, c.length) << c.pattern << " on " << c.text;
        }
    }
    EXPECT_TRUE(reports.Quiet());
}

TEST(Regex, StartColumnAndLineStart) {
    CompiledRegex re;
    ASSERT_TRUE(CompileRegex("^ab", false, &re));
    int n;
    EXPECT_EQ(FindRegexInLine(re, "abab", 4, 2, &n), -1);  // '^' is column 0, not the start column
    ASSERT_TRUE(CompileRegex("ab", false, &re));
    EXPECT_EQ(FindRegexInLine(re, "abab", 4, 1, &n), 2);
    EXPECT_EQ(FindRegexInLine(re, "abab", 4, 5, &n), -1);
}

TEST(Regex, IgnoreCaseFoldsLettersOnly) {
    CompiledRegex re;
    ASSERT_TRUE(CompileRegex("ab[c-d]+[^x]", true, &re));
    int n;
    EXPECT_EQ(FindRegexInLine(re, "zABcDy", 6, 0, &n), 1);
    EXPECT_EQ(n, 5);
    EXPECT_EQ(FindRegexInLine(re, "ABCX", 4, 0, &n), -1);  // [^x] also refuses X
    ASSERT_TRUE(CompileRegex("\xe9", true, &re));
    EXPECT_EQ(FindRegexInLine(re, "\xc9", 1, 0, &n), -1);
}

TEST(Regex, GroupsReportTheirLastIteration) {
    CompiledRegex re;
    ASSERT_TRUE(CompileRegex("x((a|b)+)(c)?y", false, &re));
    EXPECT_EQ(re.group_count, 3);
    RegexMatch m;
    const char* text = "-xabay";
    ASSERT_TRUE(ExecuteRegex(re, text, 6, 0, &m));
    EXPECT_EQ(m.start[0], 1);
    EXPECT_EQ(m.end[0], 6);
    EXPECT_EQ(m.start[1], 2);
    EXPECT_EQ(m.end[1], 5);
    EXPECT_EQ(m.start[2], 4);  // the last pass of the loop
    EXPECT_EQ(m.end[2], 5);
    EXPECT_EQ(m.start[3], -1);  // (c)? did not take part
    EXPECT_EQ(m.start[4], -1);  // no such group
}

TEST(Regex, ShortcutsAreSoundForEveryMatch) {
    CompiledRegex re;
    ASSERT_TRUE(CompileRegex("(ab)cd+e", false, &re));
    EXPECT_EQ(re.first_char, 'a');
    EXPECT_EQ(re.required, "abc");
    ASSERT_TRUE(CompileRegex("^x", false, &re));
    EXPECT_TRUE(re.anchored);
    ASSERT_TRUE(CompileRegex("a*bcd|e", false, &re));
    EXPECT_EQ(re.first_char, -1);  // two top alternatives: nothing is known
    EXPECT_EQ(re.required, "");
    ASSERT_TRUE(CompileRegex("ab?c", false, &re));
    EXPECT_EQ(re.required, "c");  // b is optional, so "abc" is not required
    int n;
    EXPECT_EQ(FindRegexInLine(re, "xac", 3, 0, &n), 1);
}

TEST(Regex, WholeWordsInTheSamePass) {
    const MatchCase cases[] = {
        {"in[a-z]", "print(int)", 6, 3},
        {"a|ab", "ab", 0, 2},  // the longer alternative makes a word
        {"ab*", "abb_ ab", 5, 2},
        {"x*", "ab", -1, 0},
        {"^[a-z]+$", "word", 0, 4},
        {"(a|b)+c", "abac_ xbc bc", 10, 2},
    };
    for (const MatchCase& c : cases) {
        CompiledRegex re;
        ASSERT_TRUE(CompileRegex(c.pattern, false, &re));
        RequireWholeWords(&re);
        int length = -1;
        EXPECT_EQ(FindRegexInLine(re, c.text, static_cast<int>(strlen(c.text)), 0, &length), c.start) << c.pattern;
        if (c.start >= 0) {
            EXPECT_EQ(length, c.length) << c.pattern;
        }
    }
    CompiledRegex re;
    ASSERT_TRUE(CompileRegex("x((a|b)+)c", false, &re));
    RequireWholeWords(&re);
    RegexMatch m;
    ASSERT_TRUE(ExecuteRegex(re, "xabc xbabc", 10, 0, &m));
    EXPECT_EQ(m.start[0], 0);
    EXPECT_EQ(m.start[1], 1);
    EXPECT_EQ(m.end[1], 3);
    EXPECT_EQ(m.start[2], 2);
}

struct ErrorCase {
    const char* pattern;
    const char* message;
};

const ErrorCase kErrorCases[] = {
    {"x**", "Bad regular expression"},
    {"x+?", "Bad regular expression"},
    {"a||b", "Bad regular expression"},
    {"a|", "Bad regular expression"},
    {"()", "Bad regular expression"},
    {"", "Bad regular expression"},
    {"*x", "?*+ followed by nothing"},
    {"a|+b", "?*+ followed by nothing"},
    {"(?a)", "?*+ followed by nothing"},
    {"(x", "Mismatched ()"},
    {"x)", "Mismatched ()"},
    {"(a(b)", "Mismatched ()"},
    {"[z-a]", "Invalid [] range"},
    {"(a*)*", "Operand of +? could be empty"},
    {"(a|b?)+", "Operand of +? could be empty"},
    {"^*", "Operand of +? could be empty"},
    {"$+", "Operand of +? could be empty"},
    {"ab\\", "Trailing backslash"},
    {"[abc", "Unmatched []"},
    {"[]", "Unmatched []"},
    {"((((((((((a))))))))))", "Too many () in reg exp"},
};

TEST(Regex, MalformedPatternsReportWhatIsWrong) {
    for (const ErrorCase& c : kErrorCases) {
        RecordedReports reports;
        CompiledRegex re;
        EXPECT_FALSE(CompileRegex(c.pattern, false, &re)) << c.pattern;
        ASSERT_EQ(reports.errors.size(), 1u) << c.pattern;
        EXPECT_EQ(reports.errors[0], c.message) << c.pattern;
        int n;
        EXPECT_EQ(FindRegexInLine(re, "x", 1, 0, &n), -1);  // a failed compile matches nothing
    }
}

TEST(Regex, OptionalOnEmptyOperandIsAccepted) {
    RecordedReports reports;
    CompiledRegex re;
    EXPECT_TRUE(CompileRegex("(a*)?b", false, &re));
    EXPECT_TRUE(CompileRegex("(ab*)*", false, &re));
    EXPECT_TRUE(reports.Quiet());
}

TEST(Regex, OversizedProgramIsRefused) {
    RecordedReports reports;
    CompiledRegex re;
    std::string huge(40000, 'a');
    EXPECT_FALSE(CompileRegex(huge.c_str(), false, &re));
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "Regular expression too big");
}

// Patterns that send a backtracking matcher into exponential time; these would hang it.
TEST(Regex, PathologicalPatternsStayLinear) {
    CompiledRegex re;
    ASSERT_TRUE(CompileRegex("(a|aa)+(b|c)*(a|ab)*(x|aa)+y", false, &re));
    std::string text(5000, 'a');
    int n;
    EXPECT_EQ(FindRegexInLine(re, text.data(), static_cast<int>(text.size()), 0, &n), -1);
    ASSERT_TRUE(CompileRegex("(a+)+(b|a+)+(x|a*)?z", false, &re));
    EXPECT_EQ(FindRegexInLine(re, text.data(), static_cast<int>(text.size()), 0, &n), -1);
}

}  // namespace
