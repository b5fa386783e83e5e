#include <gtest/gtest.h>

#include "analysis/source_walker.h"
#include "tests/analysis/analysis_fixture.h"
#include "tests/support/recorded_reports.h"

namespace {

struct Expected {
    const char* name;
    int32_t start_line, start_column, header_line, body_line, end_line;
};

TEST(CScanner, FixtureYieldsEveryDefinitionAndGlobal) {
    RecordedReports reports;
    TestSource src = FixtureSource("functions.c");
    FunctionIndex index = ScanAs("functions.c", src);
    const Expected expected[] = {
        {"main", 14, 0, 14, 15, 17},        {"helper", 19, 0, 19, 19, 24},   {"old_style", 26, 0, 26, 29, 31},
        {"checksum", 33, 0, 33, 34, 38},    {"get_handler", 40, 0, 40, 41, 43}, {"f", 45, 0, 45, 45, 45},
        {"gnu_style", 47, 0, 48, 49, 52},   {"exported", 54, 22, 54, 54, 56},
    };
    ASSERT_EQ(index.functions.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const FunctionRecord& f = index.functions[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(f.name, e.name);
        EXPECT_EQ(f.start_line, e.start_line);
        EXPECT_EQ(f.start_column, e.start_column);
        EXPECT_EQ(f.header_line, e.header_line);
        EXPECT_EQ(f.body_line, e.body_line);
        EXPECT_EQ(f.end_line, e.end_line);
        EXPECT_EQ(f.hash, KeywordHash(e.name, static_cast<int>(strlen(e.name))));
    }

    std::vector<GlobalRecord> globals = ListGlobals(src.Source(), "functions.c", index.functions);
    std::vector<std::string> names;
    for (const GlobalRecord& g : globals) names.push_back(g.name);
    EXPECT_EQ(names, (std::vector<std::string>{"counter", "table", "names", "handler", "origin", "k"}));
    EXPECT_EQ(globals[0].line, 6);
    EXPECT_EQ(globals[0].column, 11);
    EXPECT_EQ(globals[0].text, "int counter, table[10];");
    EXPECT_TRUE(reports.Quiet());
}

struct Case {
    const char* what;
    std::vector<std::string> lines;
    std::vector<std::string> names;
};

TEST(CScanner, DefinitionShapes) {
    const Case cases[] = {
        {"declaration then definition", {"int main(void);", "int main(void) { return 0; }"}, {"main"}},
        {"member name and start", {"static char *Class::name(int a) {", "}"}, {"Class::name"}},
        {"old style on one line", {"int f(a) int a; { }"}, {"f"}},
        {"statement outside a body", {"if (x) y = 1;"}, {}},
        {"call followed by brace inside a body", {"void g(void) {", "  h(1)", "  { }", "}"}, {"g"}},
        {"macro that names the function", {"static bool", "MY (write) (bfd *abfd)", "{", "}"}, {"MY"}},
        {"attribute before the type", {"__attribute__((unused)) static int u(void) {", "}"}, {"u"}},
        {"stray closing parenthesis", {")", "int s(void) {", "}"}, {"s"}},
        {"conditional head, first branch taken",
         {"#ifdef A", "int c(int x)", "#else", "int c(x) int x;", "#endif", "{", "}", "int d(void) { }"},
         {"c", "d"}},
        {"if 0 block is dead text", {"#if 0", "int dead(void) {", "#endif", "int live(void) { }"}, {"live"}},
        {"braces in both branches", {"int e(void) {", "#if A", " if (a) {", "#else", " if (b) {", "#endif", " }", "}",
                                     "int after(void) { }"},
         {"e", "after"}},
        {"string continued by backslash", {"char *s = \"a\\", "(\";", "int t(void) { }"}, {"t"}},
        {"unterminated string ends at line end", {"char *s = \"{;", "int v(void) { }"}, {"v"}},
        {"keyword is no name", {"while (x) {", "}"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestSource src(c.lines);
        FunctionIndex index = ScanAs("x.c", src);
        std::vector<std::string> names;
        for (const FunctionRecord& f : index.functions) names.push_back(f.name);
        EXPECT_EQ(names, c.names);
    }
}

TEST(CScanner, IllFormedSourcesStaySensible) {
    // Unbalanced braces, an unterminated comment and a line cut at 497 characters.
    std::string long_line = "int cut(void) { return 0";
    while (long_line.size() < 600) long_line += " + 1";
    TestSource src({"int a(void) {", "  {", "}", "/* never closed", "int b(void) { }", long_line.substr(0, 497),
                    long_line.substr(497) + "; }"});
    FunctionIndex index = ScanAs("x.c", src);
    ASSERT_EQ(index.functions.size(), 1u);
    EXPECT_EQ(index.functions[0].name, "a");
    EXPECT_EQ(index.functions[0].end_line, 7);  // still open at the end

    TestSource cut({long_line.substr(0, 497), long_line.substr(497) + "; }", "int next(void) { }"});
    FunctionIndex after = ScanAs("x.c", cut);
    ASSERT_EQ(after.functions.size(), 2u);
    EXPECT_EQ(after.functions[1].name, "next");

    std::vector<std::string> huge = {"#define HUGE \\"};
    for (int i = 0; i < 5000; ++i) huge.push_back("  { ( [ \" ' \\");
    huge.push_back("  0");
    huge.push_back("int z(void) { }");
    TestSource macro(huge);
    FunctionIndex m = ScanAs("x.c", macro);
    ASSERT_EQ(m.functions.size(), 1u);
    EXPECT_EQ(m.functions[0].header_line, 5003);
}

TEST(CScanner, LookupsByNameAndLine) {
    TestSource src = FixtureSource("functions.c");
    FunctionIndex index = ScanAs("functions.c", src);
    ASSERT_NE(FindFunction(index, "checksum"), nullptr);
    EXPECT_EQ(FindFunction(index, "checksum")->header_line, 33);
    EXPECT_EQ(FindFunction(index, "check"), nullptr);
    EXPECT_EQ(FunctionAtLine(index, 36)->name, "checksum");
    EXPECT_EQ(FunctionAtLine(index, 47)->name, "gnu_style");
    EXPECT_EQ(FunctionAtLine(index, 39), nullptr);
    EXPECT_EQ(FunctionAtLine(index, 1000), nullptr);

    DefinitionRecord d;
    ASSERT_TRUE(FindDefinition(src.Source(), "functions.c", "MAX", &d));
    EXPECT_EQ(d.line, 3);
    EXPECT_EQ(d.text, "#include <stdint.h>\r\n#define MAX(a, b) ((a) > (b) ? (a) : (b))\r\n"
                      "#define CALL_LIKE(x) do { if (x) { x(); } } while (0)");
    ASSERT_TRUE(FindDefinition(src.Source(), "functions.c", "k", &d));
    EXPECT_EQ(d.line, 12);
    EXPECT_FALSE(FindDefinition(src.Source(), "functions.c", "nothing_here", &d));

    std::vector<std::string> names;
    CollectCompletions(src.Source(), "ch", &names);
    EXPECT_EQ(names, (std::vector<std::string>{"checksum"}));  // keywords are no completions
}

}  // namespace
