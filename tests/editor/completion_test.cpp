#include "editor/completion.h"

#include <gtest/gtest.h>

#include "analysis/document_scan.h"
#include "analysis/language.h"
#include "analysis/source_lines.h"
#include "editor/struct_members.h"
#include "tests/editor/edit_fixture.h"

namespace {

using Names = std::vector<std::string>;

const char* const kStructs =
    "struct point { int x, y; /* z */ };\n"          // 1
    "typedef struct node {\n"                        // 2
    "    struct node *next;\n"                       // 3
    "    struct point where;\n"                      // 4
    "    char name[16];\n"                           // 5
    "    unsigned flags : 3;\n"                      // 6
    "    int (*visit)(struct node *n);\n"            // 7
    "    union { int i; float f; } value;\n"         // 8
    "} Node;\n"                                      // 9
    "typedef struct point Point;\n"                  // 10
    "Node *head, *tail, ring[8];\n"                  // 11
    "int f(Point *p, struct node n)\n"               // 12
    "{\n"                                            // 13
    "    Point local;\n"                             // 14
    "    return p->x;\n"                             // 15
    "}\n";                                           // 16

TEST(StructMembers, ExpressionsResolveThroughDeclarationsAndTypedefs) {
    std::vector<CToken> tokens = TokenizeC(SplitLines(kStructs));
    const Names node = {"next", "where", "name", "flags", "visit", "value"};
    struct Case {
        const char* expression;
        int line;
        Names members;
    } cases[] = {
        {"p", 15, {"x", "y"}},               // a parameter through "typedef struct point Point"
        {"local", 15, {"x", "y"}},           // a local of a typedef name
        {"n", 15, node},                     // a tagged parameter
        {"tail", 15, node},                  // the second declarator of a global list
        {"head->next", 15, node},            // a member chain
        {"n.next->where", 15, {"x", "y"}},
        {"ring[head->flags]", 15, node},    // an element of an array
        {"ring[3].next->where", 15, {"x", "y"}},
        {"local", 13, {}},                   // declared after the line
        {"n.name", 15, {}},                  // a char array is no structure
        {"nothing", 15, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(StructMembersOf(tokens, c.expression, c.line), c.members) << c.expression;
}

TEST(StructMembers, TokensLeaveOutCommentsStringsAndDirectives) {
    std::vector<CToken> tokens = TokenizeC({"#define A { \\", "  }", "x /* { */ \"{\" '{' -> y // {", "/*", "{ */ z"});
    std::string joined;
    for (const CToken& t : tokens) joined += t.text + "@" + std::to_string(t.line) + " ";
    EXPECT_EQ(joined, "x@3 ->@3 y@3 z@5 ");
}

struct CompletionFixture : EditFixture {
    explicit CompletionFixture(const std::string& text) : EditFixture(text, "completion_fixture.c") {
        InstallAnalysisHooks();
        doc->language = LanguageForFileName(doc->name);
    }
};

TEST(Completion, WordPrefixMembersAndTheirContext) {
    CompletionFixture f(std::string(kStructs) + "int counter, country;\nvoid g(void) { coun q-> }\n");
    struct Case {
        int line, column;
        const char* word;
        bool member;
        Names candidates;
    } cases[] = {
        {18, 19, "coun", false, {"counter", "country"}},   // symbols of the document, sorted
        {18, 18, "cou", false, {"coun", "counter", "country"}},
        {18, 23, "", true, {}},                            // "q" has no declaration
        {15, 14, "", true, {"x", "y"}},                    // "p->" inside f
        {15, 15, "x", true, {}},                           // "x" is complete: no longer member
        {11, 0, "", false, {}},                            // no word: nothing
        {17, 5, "c", false, {"coun", "counter", "country"}},  // no keywords
    };
    for (const Case& c : cases) {
        Completion got = CompletionAt(f.doc, PositionAt(f.doc, c.line, c.column));
        EXPECT_EQ(got.word, c.word) << c.line << ":" << c.column;
        EXPECT_EQ(got.member, c.member) << c.line << ":" << c.column;
        EXPECT_EQ(got.candidates, c.candidates) << c.line << ":" << c.column;
    }
}

TEST(Completion, MembersOnlyInsideAFunction) {
    CompletionFixture f("struct s { int alpha; } v;\nint w = v.\n");
    Completion got = CompletionAt(f.doc, PositionAt(f.doc, 2, 10));
    EXPECT_FALSE(got.member);
    EXPECT_TRUE(got.candidates.empty());
}

TEST(Completion, SubscriptedExpressionsAndUnbalancedBrackets) {
    CompletionFixture f("struct s { int alpha; } v[2];\nint f(void) { return v[v[0].alpha]. + x]. }\n");
    Completion got = CompletionAt(f.doc, PositionAt(f.doc, 2, 35));
    EXPECT_TRUE(got.member);
    EXPECT_EQ(got.candidates, Names{"alpha"});
    got = CompletionAt(f.doc, PositionAt(f.doc, 2, 41));  // "x]." has no opening bracket
    EXPECT_FALSE(got.member);
    EXPECT_TRUE(got.candidates.empty());
}

TEST(Completion, InsertionIsOneUndoStep) {
    CompletionFixture f("int counter;\nint g(void) { return coun; }\n");
    f.Caret(2, 25);
    Completion got = CompletionAt(f.doc, f.cursor.caret);
    ASSERT_EQ(got.candidates, Names{"counter"});
    EXPECT_FALSE(InsertCompletion(&f.cursor, got, "cou"));    // no continuation
    EXPECT_FALSE(InsertCompletion(&f.cursor, got, "cost"));
    ASSERT_TRUE(InsertCompletion(&f.cursor, got, "counter"));
    EXPECT_EQ(f.Text(), "int counter;\nint g(void) { return counter; }\n");
    EXPECT_EQ(f.cursor.caret.column, 28);
    ASSERT_EQ(JournalCount(), 1);
    EXPECT_EQ(JournalStepAt(0)->action, static_cast<uint32_t>(kCompletionCommand));
    EXPECT_TRUE(Undo(&f.cursor));
    EXPECT_EQ(f.Text(), "int counter;\nint g(void) { return coun; }\n");
}

TEST(Completion, OnlyForCSources) {
    EditFixture f("counter coun\n", "notes.txt");
    EXPECT_TRUE(CompletionAt(f.doc, PositionAt(f.doc, 1, 12)).candidates.empty());
}

}  // namespace
