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
    ASSERT_TRUE(FindDefinitionOf(doc, "b", &d));
    EXPECT_EQ(d.line, 5);
    EXPECT_FALSE(FindDefinitionOf(doc, "", &d));
    EXPECT_FALSE(FindDefinitionOf(doc, "9x", &d));
    EXPECT_FALSE(FindDefinitionOf(doc, "missing", &d));
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

}  // namespace
