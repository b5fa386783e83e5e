#include <gtest/gtest.h>

#include "analysis/document_scan.h"
#include "editor/text_document.h"
#include "tests/support/recorded_reports.h"

namespace {

TextDocument* MakeDocument(const char* name, std::initializer_list<const char*> lines) {
    TextDocument* doc = FindDocument(name, true);
    TextLine* after = doc->lines;
    for (const char* l : lines) after = InsertLineAfter(doc, after, l, static_cast<int>(strlen(l)));
    ChooseDocumentLanguage(doc);
    return doc;
}

TEST(DocumentScan, IndexFollowsEditsOfTheDocument) {
    RecordedReports reports;
    InstallAnalysisHooks();
    TextDocument* doc = MakeDocument("scan_test.c", {"int a(void)", "{", "}", "int b(void) { }"});
    EXPECT_TRUE(doc->flags & kDocCSource);
    ASSERT_TRUE(ScanFunctions(doc));
    EXPECT_EQ(FunctionAtDocumentLine(doc, 2)->name, "a");
    EXPECT_EQ(FunctionAtDocumentLine(doc, 4)->name, "b");
    EXPECT_EQ(FunctionAtDocumentLine(doc, 5), nullptr);

    // A line inserted without telling the index: the line count shows it is stale.
    InsertLineAfter(doc, doc->lines, "int z(void) { }", 15);
    EXPECT_EQ(FunctionAtDocumentLine(doc, 1)->name, "z");
    EXPECT_EQ(FunctionAtDocumentLine(doc, 5)->name, "b");

    // An edit that keeps the count invalidates explicitly.
    TextLine* first = LineAt(doc, 1);
    ReplaceLineText(doc, first, "int y(void) { }", 15);
    InvalidateFunctions(doc);
    TextDocument* where = nullptr;
    ASSERT_NE(FindFunctionInDocuments("y", &where), nullptr);
    EXPECT_EQ(where, doc);
    EXPECT_EQ(FindFunctionInDocuments("z", nullptr), nullptr);

    DefinitionRecord d;
    ASSERT_TRUE(FindDefinitionOf(doc, DefinitionQuery{"b"}, &d));
    EXPECT_EQ(d.line, 5);
    EXPECT_FALSE(FindDefinitionOf(doc, DefinitionQuery{""}, &d));
    EXPECT_FALSE(FindDefinitionOf(doc, DefinitionQuery{"9x"}, &d));
    EXPECT_FALSE(FindDefinitionOf(doc, DefinitionQuery{"missing"}, &d));
    EXPECT_EQ(reports.statuses, (std::vector<std::string>{"Place the cursor at the symbol you want to search",
                                                          "'9x' is not an identifier",
                                                          "Can't find the definition of 'missing'"}));

    std::string report;
    EXPECT_TRUE(CheckDocumentSyntax(doc, &report));
    InsertLineAfter(doc, LastLine(doc), "}", 1);
    EXPECT_FALSE(CheckDocumentSyntax(doc, &report));
    EXPECT_EQ(report, "scan_test.c: too many } at line 6");
    FreeDocument(doc);
}

TEST(DocumentScan, DocumentsWithoutLanguageOrFunctions) {
    RecordedReports reports;
    InstallAnalysisHooks();
    TextDocument* text = MakeDocument("notes.txt", {"int a(void) { }"});
    EXPECT_FALSE(ScanFunctions(text));
    EXPECT_EQ(DocumentFunctions(text), nullptr);
    TextDocument* empty = MakeDocument("empty.c", {"int x;"});
    EXPECT_FALSE(RequireFunctions(empty));
    EXPECT_EQ(reports.statuses, (std::vector<std::string>{"No functions defined in this file"}));
    std::vector<GlobalRecord> globals = DocumentGlobals(empty);
    ASSERT_EQ(globals.size(), 1u);
    EXPECT_EQ(globals[0].path, "empty.c");
    EXPECT_TRUE(DocumentGlobals(text).empty());  // no walker for other languages, but an answer
    EXPECT_EQ(reports.statuses.back(), "No global variables defined");
    EXPECT_TRUE(DocumentStrings(empty).empty());
    EXPECT_EQ(reports.informs, (std::vector<std::string>{"No strings defined in empty.c"}));
    FreeDocument(text);
    FreeDocument(empty);
    EXPECT_EQ(ScanFunctions(nullptr), false);
}

TEST(DocumentScan, DefinitionLookupOrder) {
    RecordedReports reports;
    InstallAnalysisHooks();
    TextDocument* doc = MakeDocument("def_test.c", {
        "int count;",                // 1
        "int f(int count)",          // 2
        "{",                         // 3
        "    int local = count;",    // 4
        "    return g(local);",      // 5
        "}",                         // 6
        "int g(int x) { return x; }",  // 7
    });
    struct Case {
        DefinitionQuery query;
        int32_t line;  // 0: not found
        const char* text_start;
    };
    const Case cases[] = {
        {{"count", false, 4}, 2, "Argument count f( )\r\nint f(int count)"},  // the parameter hides the global
        {{"count", false, 7}, 1, "int count;\r\nint f(int count)"},         // in g: the global
        {{"local", false, 5}, 4, "Local local f( )\r\n    int local = count;"},
        {{"g", true, 5}, 7, "}\r\nint g(int x) { return x; }"},             // a call: the function
        {{"g", false, 1}, 7, "}"},                                           // no local or global: the function
        {{"if", true, 5}, 0, ""},                                            // a keyword is no definition
        {{"x", false, 5}, 7, "}"},         // not f's: the last resort finds its first free use in g
        {{"nothing", false, 5}, 0, ""},
    };
    for (const Case& c : cases) {
        DefinitionRecord d;
        bool found = FindDefinitionOf(doc, c.query, &d);
        EXPECT_EQ(found, c.line != 0) << c.query.word << " from " << c.query.line;
        if (!found) continue;
        EXPECT_EQ(d.line, c.line) << c.query.word;
        EXPECT_EQ(d.path, "def_test.c");
        EXPECT_EQ(d.text.rfind(c.text_start, 0), 0u) << c.query.word << ": " << d.text;
    }
    EXPECT_EQ(reports.statuses, (std::vector<std::string>{"Can't find the definition of 'if'",
                                                          "Can't find the definition of 'nothing'"}));
    FreeDocument(doc);
}

}  // namespace
