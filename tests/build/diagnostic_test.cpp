#include <gtest/gtest.h>

#include "build/build_results.h"
#include "build/build_state.h"
#include "build/diagnostic.h"

namespace {

struct DiagnosticCase {
    const char* line;
    int number;
    const char* file;
    const char* text;
};

const DiagnosticCase kParsed[] = {
    {"Error c:\\work\\hello.c: 12  undeclared identifier 'x'", 12, "C:\\WORK\\HELLO.C", "[12]:undeclared identifier 'x'"},
    {"Warning hello.c: 7 unused variable", 7, "C:\\WORK\\SRC\\HELLO.C", "[7]:unused variable"},
    {"Warning a.c: 12345678 text", 123456, "C:\\WORK\\SRC\\A.C", "[123456]:78 text"},
    {"Error a.c: 1 2 3: spaced", 123, "C:\\WORK\\SRC\\A.C", "[123]:spaced"},
    {"Error c:\\rmc\\include\\stdio.h: d:\\x\\y.c:40 second name wins", 40, "D:\\X\\Y.C", "[40]:second name wins"},
    {"cpp: c:\\a.c: 9 cpp line", 9, "C:\\A.C", "[9]:cpp line"},
    {"CPP c:\\a.h: 3 include", 3, "C:\\A.H", "[3]:include"},
    {"Error hello.c: 12  message\r", 12, "C:\\WORK\\SRC\\HELLO.C", "[12]:message"},
    {"hello.c(7) : warning C4101: unused", 7, "HELLO.C", "warning unused"},
    {"c:\\src\\my-file_1.c(120): error E2: no such thing", 120, "C:\\SRC\\MY-FILE_1.C", "error no such thing"},
    {"lib.c (3) :: error X1 bad", 3, "LIB.C", "error bad"},
};

const char* const kNotParsed[] = {
    "Warning hello.c: 0 zero line",
    "Warning hello.c: text without a number",
    "Error",
    "warning hello.c: 3 lower-case first word is the second format",
    "hello.c(7) : note C1: not a warning",
    "hello.c(x7) : warning C1: no number",
    "hello.c(0) : warning C1: zero",
    "hello.c(7 : warning C1: no closing parenthesis",
    "hello.c : warning C1: no line",
    "(7) : warning C1: no file",
    "C:\\RMC\\bin\\rmc.exe -c -g2 c:\\work\\hello.c",
    "make: *** [hello.obj] Error 1",
    "",
};

TEST(Diagnostic, EveryFormatGivesItsFileLineAndText) {
    for (const DiagnosticCase& c : kParsed) {
        auto d = ParseDiagnostic(c.line, "C:\\WORK\\SRC");
        ASSERT_TRUE(d) << c.line;
        EXPECT_EQ(d->line, c.number) << c.line;
        EXPECT_EQ(d->file, c.file) << c.line;
        EXPECT_EQ(d->text, c.text) << c.line;
    }
}

TEST(Diagnostic, OtherLinesAreNoDiagnostic) {
    for (const char* line : kNotParsed) EXPECT_FALSE(ParseDiagnostic(line, "C:\\WORK")) << line;
}

TEST(BuildResults, OnlyASuccessfulMakeIsReportedBuilt) {
    BuildOutcome ok{"C:\\WORK\\rmc\\hello.exe", 2500, 0};
    EXPECT_EQ(ResultLines({}, ok), std::vector<std::string>{"hello.exe built sucessfully. (2.5 sec)."});
    BuildOutcome failed{"hello.exe", 300, 2};
    EXPECT_EQ(ResultLines({}, failed), std::vector<std::string>{"Compilation + link time:0.3 sec, Return code: 2"});
    EXPECT_EQ(ResultLines({"Error a.c: 1 x"}, ok),
              (std::vector<std::string>{"Error a.c: 1 x", "Compilation + link time:2.5 sec, Return code: 0"}));
}

TEST(BuildResults, MessageFileIsCutIntoLinesWithinItsLimits) {
    bool too_big = true;
    EXPECT_EQ(MessageLines("a\r\nb\n\nlast", too_big), (std::vector<std::string>{"a\r", "b", "", "last"}));
    EXPECT_FALSE(too_big);
    std::string long_line(1401, 'x');
    auto lines = MessageLines("first\n" + long_line + "\nafter\n", too_big);
    EXPECT_TRUE(too_big);
    EXPECT_EQ(lines, std::vector<std::string>{"first"});
    std::string many;
    for (int i = 0; i < 4000; ++i) many += "123456789\n";
    lines = MessageLines(many, too_big);
    EXPECT_TRUE(too_big);
    EXPECT_EQ(lines.size(), 3270u);
}

bool FitsIn40(const std::string& text, void*) { return text.size() <= 40; }

TEST(BuildResults, LongLinesWrapWithContinuationsThatJoinBackToTheMessage) {
    std::string line = "Error c:\\work\\hello.c: 12  undeclared identifier 'averyveryverylongname' here";
    auto wrapped = WrapLine(line, FitsIn40, nullptr);
    ASSERT_GE(wrapped.size(), 2u);
    for (size_t i = 1; i < wrapped.size(); ++i) EXPECT_EQ(wrapped[i].rfind(" + ", 0), 0u) << wrapped[i];
    for (const std::string& w : wrapped) EXPECT_LE(w.size(), 40u) << w;
    EXPECT_EQ(wrapped[0], "Error c:\\work\\hello.c: 12  undeclared");  // cut back to the blank
    std::vector<std::string> list = {"before"};
    list.insert(list.end(), wrapped.begin(), wrapped.end());
    list.push_back("after");
    for (size_t clicked = 1; clicked <= wrapped.size(); ++clicked) {
        size_t first = 0;
        EXPECT_EQ(JoinContinuations(list, clicked, &first), line);
        EXPECT_EQ(first, 1u);
        auto d = ParseDiagnostic(JoinContinuations(list, clicked), "C:\\");
        ASSERT_TRUE(d);
        EXPECT_EQ(d->line, 12);
    }
    EXPECT_EQ(WrapLine("short", FitsIn40, nullptr), std::vector<std::string>{"short"});
}

TEST(BuildState, ASecondBuildCannotStartAndGeneratingBlocksIt) {
    ASSERT_EQ(CurrentBuildState(), BuildState::Idle);
    EXPECT_EQ(BuildBusyText(), nullptr);
    ASSERT_TRUE(BeginBuildRun());
    EXPECT_FALSE(BeginBuildRun());
    EXPECT_FALSE(BeginGenerating());
    EXPECT_STREQ(BuildBusyText(), "Wait till make finishes");
    EndGenerating();  // not generating: changes nothing
    EXPECT_EQ(CurrentBuildState(), BuildState::Running);
    EndBuildRun();
    ASSERT_TRUE(BeginGenerating());
    EXPECT_FALSE(BeginBuildRun());
    EndGenerating();
    EXPECT_EQ(CurrentBuildState(), BuildState::Idle);
}

}  // namespace
