#include <gtest/gtest.h>

#include "analysis/local_lookup.h"
#include "tests/analysis/analysis_fixture.h"

namespace {

TEST(LocalLookup, ParametersThenDeclarationsOfTheBody) {
    TestSource src({
        "static int walk(const char *text, int (*visit)(int), size_t n)",  // 1
        "{",                                                              // 2
        "    int i = n, total = count(text);",                            // 3
        "    FILE *out;",                                                 // 4
        "    (void) sizeof(unused);",                                     // 5
        "    total = last * first;",                                      // 6
        "    for (i = 0; i < n; i++) {",                                  // 7
        "        size_t inner;",                                          // 8
        "        /* long comment; */ char *s = \"x; int fake;\";",        // 9
        "    }",                                                          // 10
        "    return total;",                                              // 11
        "}",                                                              // 12
        "int old(a, b) int a; char *b; { long k; return a; }",            // 13
    });
    FunctionIndex index = ScanAs("l.c", src);
    ASSERT_EQ(index.functions.size(), 2u);
    struct Case {
        int function;
        const char* name;
        LocalKind kind;
        int32_t line;
    };
    const Case cases[] = {
        {0, "text", LocalKind::Argument, 1},
        {0, "visit", LocalKind::Argument, 1},  // a function pointer's name, not its parameter
        {0, "n", LocalKind::Argument, 1},
        {0, "i", LocalKind::Local, 3},
        {0, "total", LocalKind::Local, 3},   // after an initialiser, still declared
        {0, "out", LocalKind::Local, 4},     // a type name followed by '*'
        {0, "inner", LocalKind::Local, 8},   // in a nested block
        {0, "s", LocalKind::Local, 9},       // after a comment on the line
        {0, "count", LocalKind::None, 0},    // called in an initialiser
        {0, "unused", LocalKind::None, 0},   // inside a cast statement
        {0, "first", LocalKind::None, 0},    // an expression statement
        {0, "fake", LocalKind::None, 0},     // inside a string
        {0, "walk", LocalKind::None, 0},
        {0, "", LocalKind::None, 0},
        {1, "a", LocalKind::Argument, 13},   // old-style parameters
        {1, "b", LocalKind::Argument, 13},
        {1, "k", LocalKind::Local, 13},      // body on the header's line
        {1, "i", LocalKind::None, 0},        // another function's local
    };
    for (const Case& c : cases) {
        LocalDeclaration d = FindLocalDeclaration(src.Source(), index.functions[c.function], c.name);
        EXPECT_EQ(d.kind, c.kind) << c.name;
        EXPECT_EQ(d.line, c.line) << c.name;
    }
}

}  // namespace
