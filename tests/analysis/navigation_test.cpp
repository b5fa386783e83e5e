#include <gtest/gtest.h>

#include "analysis/navigation.h"
#include "tests/analysis/analysis_fixture.h"

namespace {

TEST(Navigation, NextAndPreviousFunctionGoByTheNameLine) {
    TestSource src({
        "int",          // 1
        "alpha(void)",  // 2: alpha's name line
        "{",            // 3
        "}",            // 4
        "",             // 5
        "int beta(int x) {",  // 6
        "    return x;",      // 7
        "}",                  // 8
        "int gamma(void) { }",  // 9
    });
    FunctionIndex index = ScanAs("n.c", src);
    ASSERT_EQ(index.functions.size(), 3u);
    struct Case {
        int32_t line;
        const char* next;
        const char* previous;
    };
    const Case cases[] = {
        {1, "alpha", nullptr},   // on the return type, before the name
        {2, "beta", nullptr},    // on alpha's name line
        {3, "beta", "alpha"},    // inside alpha: back to its own name first
        {6, "gamma", "alpha"},
        {7, "gamma", "beta"},
        {9, nullptr, "beta"},    // the last one
        {40, nullptr, "gamma"},  // below the text
    };
    for (const Case& c : cases) {
        const FunctionRecord* n = NextFunction(index, c.line);
        const FunctionRecord* p = PreviousFunction(index, c.line);
        EXPECT_STREQ(n ? n->name.c_str() : "-", c.next ? c.next : "-") << "next from " << c.line;
        EXPECT_STREQ(p ? p->name.c_str() : "-", c.previous ? c.previous : "-") << "previous from " << c.line;
    }
    FunctionIndex none;
    EXPECT_EQ(NextFunction(none, 1), nullptr);
    EXPECT_EQ(PreviousFunction(none, 1), nullptr);
}

TEST(Navigation, WordAtTheCaret) {
    struct Case {
        const char* line;
        int32_t column;
        const char* word;
    };
    const Case cases[] = {
        {"int beta(x);", 5, "beta"},    // inside
        {"int beta(x);", 4, "beta"},    // on its first letter
        {"int beta(x);", 8, "beta"},    // just after it, on the '('
        {"int beta(x);", 3, "int"},     // on the blank after a word
        {"a += b_2;", 2, "+="},         // no identifier: the caller says so
        {"a += b_2;", 7, "b_2"},
        {"  x = 12ab;", 9, "12ab"},     // begins with a digit: also the caller's to refuse
        {"  x", 0, ""},                 // leading blanks
        {"  x", 1, ""},
        {"end", 3, "end"},              // past the last character
        {"", 0, ""},
        {"abc", 9, ""},                 // beyond the line
        {"abc", -1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WordAt(c.line, static_cast<int32_t>(strlen(c.line)), c.column), c.word)
            << c.line << " at " << c.column;

    struct Call {
        const char* line;
        int32_t column;
        bool call;
    };
    const Call calls[] = {{"x = f (a);", 4, true}, {"x = f (a);", 5, true}, {"x = f (a);", 0, false},
                          {"x = f\t(a);", 4, true}, {"x = f", 4, false}, {"a (", 2, false}, {"", 0, false}};
    for (const Call& c : calls)
        EXPECT_EQ(CalledAt(c.line, static_cast<int32_t>(strlen(c.line)), c.column), c.call) << c.line << " at " << c.column;
}

TEST(Navigation, LinesAroundKeepEmptyNeighbours) {
    TestSource src({"", "b", "", "d"});
    struct Case {
        int32_t line;
        const char* text;
    };
    const Case cases[] = {{1, "\r\nb"}, {2, "\r\nb\r\n"}, {3, "b\r\n\r\nd"}, {4, "\r\nd"}};
    for (const Case& c : cases) EXPECT_EQ(LinesAround(src.Source(), c.line), c.text) << c.line;
}

}  // namespace
