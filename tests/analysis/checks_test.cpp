#include <gtest/gtest.h>

#include "analysis/syntax_check.h"
#include "tests/analysis/analysis_fixture.h"

namespace {

struct Case {
    const char* what;
    std::vector<std::string> lines;
    const char* message;  // null: passes
};

TEST(SyntaxCheck, FirstProblemIsReported) {
    std::vector<std::string> deep;
    for (int i = 1; i <= 20; ++i) deep.push_back("{");
    const Case cases[] = {
        {"for head", {"void f(void) {", "  for (i = 0; i < n; i++) g(a, (b));", "}"}, nullptr},
        {"semicolon in a call", {"void f(void) {", "  f(a; b);", "}"}, "p.c: Syntax error line 2"},
        {"too many ]", {"int x = a[i]];"}, "p.c: too many ']' at line 1"},
        {"too many )", {"x = (a));"}, "p.c: too many ')' at line 1"},
        {"too many }", {"}", "{"}, "p.c: too many } at line 1"},
        {"brace in parentheses", {"f(a,", "{"}, "p.c: Mismatched () after line 1"},
        {"open parenthesis", {"x = (a", ";"}, "p.c: Syntax error line 2"},
        {"unclosed parenthesis", {"x = (a", "+ b"}, "p.c: Mismatched () after line 1"},
        {"open brace", {"int f(void) {", "  if (x) {", "}"}, "p.c: mismatched { } after line 1"},
        {"ifdef left open", {"int a;", "#ifdef X", "int b;"}, "p.c: #if without matching #endif line 2"},
        {"endif first", {"#endif", "#if A"}, "#endif without matching #if line 1"},
        {"unfinished string", {"char *s = \"abc;", "int x;"}, "p.c: unfinished string line 1"},
        {"bad char constant", {"char c = 'ab;"}, "p.c: incorrect char constant line 1"},
        {"good char constants", {"char c[] = { '\\n', '\\'', '\\\\', '\\033', '\\x1b', '(' };"}, nullptr},
        {"comments and strings hide brackets", {"/* ( { [ */ char *s = \"}\"; // )"}, nullptr},
        {"branches open the same brace",
         {"int f(void) {", "#if A", "  if (a) {", "#else", "  if (b) {", "#endif", "  }", "}"}, nullptr},
        {"twenty open braces name the fifteenth", deep, "p.c: mismatched { } after line 15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestSource src(c.lines);
        std::string message;
        bool ok = CheckSyntax(src.Source(), "p.c", &message);
        if (c.message) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(message, c.message);
        } else {
            EXPECT_TRUE(ok) << message;
        }
    }
}

TEST(SyntaxCheck, FixturesPass) {
    for (const char* name : {"functions.c", "strings.c"}) {
        TestSource src = FixtureSource(name);
        std::string message;
        EXPECT_TRUE(CheckSyntax(src.Source(), name, &message)) << message;
    }
}

}  // namespace
