#include <gtest/gtest.h>

#include "tests/analysis/analysis_fixture.h"
#include "tests/support/recorded_reports.h"

namespace {

TEST(Languages, ChosenByExtensionWithTheirRecords) {
    const struct {
        const char* file;
        const char* name;
        int32_t code;
    } cases[] = {
        {"main.c", "C Language", kLanguageC},  {"X.HPP", "C Language", kLanguageC},
        {"boot.asm", "Assembly", kLanguageAssembler}, {"calc.f", "Fortran", kLanguageFortran},
        {"unit.Pas", "Pascal", kLanguagePascal},   {"app.e", "eiffel", kLanguageEiffel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Language* l = LanguageForFileName(c.file);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->name, c.name);
        EXPECT_EQ(l->code, c.code);
    }
    EXPECT_EQ(LanguageForFileName("notes.txt"), nullptr);
    EXPECT_EQ(LanguageForFileName("dir.c\\README"), nullptr);
    EXPECT_EQ(FirstLanguage()->name, "eiffel");  // newest first

    const Language& c = *LanguageForExtension("c");
    EXPECT_TRUE(IsKeyword(c, "while", 5));
    EXPECT_FALSE(IsKeyword(c, "While", 5));
    EXPECT_FALSE(IsKeyword(c, "whilex", 6));
    EXPECT_EQ(CommentDelimitersOf(c).block_open[0], "/*");
    EXPECT_EQ(CommentDelimitersOf(c).line, "//");
    EXPECT_EQ(CommentDelimitersOf(*LanguageForExtension("pas")).block_close[1], "*)");
    EXPECT_EQ(CommentDelimitersOf(*LanguageForExtension("asm")).line, ";");
    EXPECT_TRUE(IsKeyword(*LanguageForExtension("f"), "SUBROUTINE", 10));  // case-insensitive language
    EXPECT_FALSE(IsKeyword(*LanguageForExtension("asm"), "mov", 3));        // no table
}

TEST(Languages, KeywordHashShiftsAndCombines) {
    // "if": ((0 << 2) ^ 'i') << 2 ^ 'f' = 0x1A4 ^ 0x66 = 0x1C2 = 450; 450 % 13 = 8.
    EXPECT_EQ(KeywordHash("if", 2), 8);
    for (const auto& bucket : CKeywords().buckets)
        for (const std::string& k : bucket) EXPECT_TRUE(IsKeywordIn(CKeywords(), k.data(), static_cast<int>(k.size())));
}

std::vector<std::string> Names(const FunctionIndex& index) {
    std::vector<std::string> names;
    for (const FunctionRecord& f : index.functions) names.push_back(f.name);
    return names;
}

TEST(PatternScanner, AssemblerProcedures) {
    RecordedReports reports;
    TestSource src({"; MAIN PROC in a comment", "MAIN PROC NEAR", "  ret", "MAIN ENDP", "read_key proc", "  ret",
                    "read_key endp", "NOPROC:"});
    FunctionIndex index = ScanAs("boot.asm", src);
    EXPECT_EQ(Names(index), (std::vector<std::string>{"MAIN", "READ_KEY"}));
    EXPECT_EQ(index.functions[0].start_line, 2);
    EXPECT_EQ(index.functions[0].end_line, 4);
    EXPECT_EQ(index.functions[1].end_line, 7);  // ENDP at the line end, '_' in the name
    EXPECT_TRUE(reports.errors.empty());

    TestSource open({"START PROC", "  nop"});
    ScanAs("boot.asm", open);
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "boot.asm: open function definition");
}

TEST(FortranScanner, UnitsCloseOnlyAtTheirEnd) {
    TestSource src({"C     SUBROUTINE COMMENTED", "      PROGRAM MAIN", "      IF (X) THEN", "      END IF",
                    "      LEND = 1", "      ENDIF", "      END", "      SUBROUTINE SOLVE(A, N)", "      END SUBROUTINE SOLVE",
                    "      REAL FUNCTION AREA(R)", "   10 END"});
    FunctionIndex index = ScanAs("calc.f", src);
    ASSERT_EQ(Names(index), (std::vector<std::string>{"MAIN", "SOLVE", "AREA"}));
    EXPECT_EQ(index.functions[0].end_line, 7);
    EXPECT_EQ(index.functions[0].start_column, 14);
    EXPECT_EQ(index.functions[1].end_line, 9);
    EXPECT_EQ(index.functions[2].end_line, 11);

    TestSource open({"      SUBROUTINE OPEN", "      X = 1"});
    EXPECT_EQ(ScanAs("calc.f", open).functions[0].end_line, 2);
}

TEST(PascalScanner, RoutinesNestAndNeedWholeWords) {
    TestSource src({
        "program Demo;",
        "procedure Ext; external;",
        "procedure Fwd; forward;",
        "procedure Outer;",
        "  var r: record a: integer; case b: integer of 1: (c: integer) end;",
        "  procedure Inner;",
        "  begin",
        "    Procedures := 1; Endless := Beginning; { procedure Fake; } (* function Fake2; *)",
        "    s := 'function Fake3;';",
        "  end;",
        "begin",
        "  if x then begin Inner end",
        "end;",
        "function TForm.Area(x: real): real;",
        "begin Area := x end;",
        "begin end.",
    });
    FunctionIndex index = ScanAs("demo.pas", src);
    ASSERT_EQ(Names(index), (std::vector<std::string>{"Outer", "Inner", "TForm.Area"}));
    EXPECT_EQ(index.functions[0].end_line, 13);
    EXPECT_EQ(index.functions[1].end_line, 10);
    EXPECT_EQ(index.functions[2].end_line, 15);
    EXPECT_EQ(index.functions[0].nesting_level, 0);

    // Before "program" or "implementation" nothing counts; deep nesting stays bounded.
    std::vector<std::string> deep = {"unit U; interface procedure Decl; implementation"};
    for (int i = 0; i < 80; ++i) deep.push_back("procedure P" + std::to_string(i) + ";");
    for (int i = 0; i < 200; ++i) deep.push_back("begin");
    for (int i = 0; i < 200; ++i) deep.push_back("end;");
    FunctionIndex d = ScanAs("u.pas", TestSource(deep));
    EXPECT_EQ(d.functions.size(), 50u);
    EXPECT_EQ(d.functions[0].name, "P0");
}

TEST(EiffelScanner, FindsNothing) {
    TestSource src({"class A feature f is do end end"});
    EXPECT_TRUE(ScanAs("a.e", src).functions.empty());
}

}  // namespace
