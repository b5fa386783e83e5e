#include "editor/line_colouring.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis/language.h"

namespace {

// The row drawn with a letter per character: K keyword, C comment, S string, M the
// continuation mark, '.' text.
std::string Kinds(const Language* lang, const std::string& text, int* state) {
    std::vector<ColourSpan> spans;
    ColourLine(lang, text.data(), static_cast<int>(text.size()), state, &spans);
    std::string out;
    for (const ColourSpan& s : spans) out.append(static_cast<size_t>(s.length), ".KCSM"[static_cast<int>(s.kind)]);
    return out;
}

TEST(LineColouring, CKeywordsCommentsAndStrings) {
    const Language* c = LanguageForFileName("x.c");
    ASSERT_TRUE(c);
    struct Case {
        const char* text;
        const char* kinds;
    } cases[] = {
        {"int x; ", "KKK...."},
        {"return; ", "KKKKKK.."},
        {"  #  define X ", "..KKKKKKKKK..."},
        {"#includes ", ".........."},
        {"a = \"if\" + 'x'; ", "....SSSS...SSS.."},
        {"x; // if while ", "...CCCCCCCCCCCC"},
        {"if /* for */ do ", "KK.CCCCCCCCC.KK."},
        {"ifx if_ 9if ", "............"},
        {"\"a\\\"if\" ", "SSSSSSS."},
    };
    for (const Case& k : cases) {
        int state = 0;
        std::string expected = k.kinds;
        for (char& ch : expected)
            if (ch == ' ' || ch == '+') ch = '.';
        EXPECT_EQ(Kinds(c, k.text, &state), expected) << k.text;
    }
}

TEST(LineColouring, BlockCommentsReachAcrossRows) {
    const Language* c = LanguageForFileName("x.c");
    int state = 0;
    EXPECT_EQ(Kinds(c, "x /* if ", &state), "..CCCCCC");
    EXPECT_NE(state, 0);
    EXPECT_EQ(Kinds(c, "while ", &state), "CCCCCC");
    EXPECT_EQ(Kinds(c, "*/ if ", &state), "CC.KK.");
    EXPECT_EQ(state, 0);
}

TEST(LineColouring, WithoutLanguageEverythingIsText) {
    int state = 0;
    EXPECT_EQ(Kinds(nullptr, "int x; ", &state), ".......");
}

}  // namespace
