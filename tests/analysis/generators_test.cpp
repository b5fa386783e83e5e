#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "analysis/prototypes.h"
#include "analysis/string_table.h"
#include "tests/analysis/analysis_fixture.h"
#include "tests/support/recorded_reports.h"

namespace fs = std::filesystem;

namespace {

const char kWhen[] = "Thu Dec 10 09:00:00 2026";

class Generators : public ::testing::Test {
protected:
    fs::path dir;
    RecordedReports reports;
    TestSource src = FixtureSource("strings.c");

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("morla_gen_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Out(const char* name) const { return (dir / name).string(); }
    std::vector<StringEntry> Strings() {
        std::vector<StringEntry> list;
        EXPECT_TRUE(CollectStrings(src.Source(), "C:\\Src\\strings.c", &list));
        return list;
    }
    // A file as written, with its CR LF line ends shown as LF.
    static std::string Text(const std::string& path) {
        std::string s = ReadWhole(path), out;
        for (size_t i = 0; i < s.size(); ++i)
            if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) out += s[i];
        return out;
    }
    static std::string Golden(const char* name) { return ReadWhole(FixturePath(name)); }
};

TEST_F(Generators, PrototypeHeaderMatchesGolden) {
    FunctionIndex index = ScanAs("strings.c", src);
    ASSERT_EQ(index.functions.size(), 3u);
    EXPECT_EQ(WritePrototypes(src.Source(), index.functions, "C:\\Src\\Strings.c", Out("proto.h").c_str(), 0,
                              "static", kWhen),
              3);
    EXPECT_EQ(Text(Out("proto.h")), Golden("strings_prototypes.golden"));
    EXPECT_NE(ReadWhole(Out("proto.h")).find("\r\n"), std::string::npos);

    EXPECT_EQ(WritePrototypes(src.Source(), index.functions, "strings.c", Out("nostatic.h").c_str(),
                              kPrototypesIgnoreStatic, "static", kWhen),
              3);
    EXPECT_EQ(Text(Out("nostatic.h")).find("greet"), std::string::npos);
    EXPECT_TRUE(reports.Quiet());

    EXPECT_EQ(WritePrototypes(src.Source(), index.functions, "strings.c", "bad|name.h", 0, "static", kWhen), -1);
    EXPECT_EQ(reports.errors, (std::vector<std::string>{"[bad|name.h]: incorrect file name"}));
    EXPECT_EQ(WritePrototypes(src.Source(), index.functions, "strings.c", Out("missing/dir/p.h").c_str(), 0,
                              "static", kWhen),
              -1);
    EXPECT_EQ(reports.errors.size(), 2u);  // the file that cannot be opened is reported
}

TEST_F(Generators, CollectsBodyStringsOutsideInitialisers) {
    std::vector<StringEntry> list = Strings();
    ASSERT_EQ(list.size(), 3u);  // the empty literal is left out
    EXPECT_EQ(list[0].text, "Hello, \\\"world\\\"\\n");
    EXPECT_EQ(list[0].name, "STR_00000");
    EXPECT_EQ(list[0].line, 9);
    EXPECT_EQ(list[0].column, 10);
    EXPECT_EQ(list[0].file, "strings.c");
    EXPECT_EQ(list[1].text, "%s %d\\n");
    EXPECT_EQ(list[2].text, "shape continued");
    EXPECT_EQ(list[2].name, "STR_00002");
    EXPECT_EQ(list[2].line, 25);

    TestSource bad({"void f(void) { char c = 'ab; }"});
    std::vector<StringEntry> none;
    EXPECT_FALSE(CollectStrings(bad.Source(), "bad.c", &none));
    EXPECT_EQ(reports.errors, (std::vector<std::string>{"bad.c: incorrect char constant line 1"}));
}

TEST_F(Generators, StringArrayAppendsAfterTheHighestNumber) {
    std::string table = Out("table.c");
    ASSERT_TRUE(WriteStringArray(table, Strings(), "Texts", "strings.c"));
    EXPECT_EQ(Text(table), Golden("strings_table.golden"));

    reports.answers.push_back(AskAnswer::Yes);
    ASSERT_TRUE(WriteStringArray(table, Strings(), "Texts", "again.c"));
    EXPECT_EQ(reports.questions.back(), table + " exists.\nAdd the new strings at the end?");
    std::string twice = Text(table);
    EXPECT_NE(twice.find("\t,\n/* strings from again.c */\n\t\"Hello, \\\"world\\\"\\n\",\t/* 3 */\n"),
              std::string::npos);
    EXPECT_NE(twice.find("\"shape continued\" \t/* 5 */\n};\n"), std::string::npos);
    EXPECT_EQ(twice.rfind("};\n"), twice.size() - 3);

    // No: nothing changes.
    ASSERT_FALSE(WriteStringArray(table, Strings(), "Texts", "third.c"));
    EXPECT_EQ(Text(table), twice);

    // A damaged table without its closing line is refused, not overwritten at a fixed tail.
    std::ofstream(table, std::ios::binary) << kStringTableMarker << "unsigned char *T[]={\n\t\"a\"\t/* 0 */\n";
    reports.answers.push_back(AskAnswer::Yes);
    EXPECT_FALSE(WriteStringArray(table, Strings(), "Texts", "x.c"));
    EXPECT_EQ(reports.errors.back(), table + ": the closing }; line is missing; the file was not changed");

    // Somebody else's file: asked before it is destroyed.
    std::string other = Out("other.c");
    std::ofstream(other) << "int keep;\n";
    EXPECT_FALSE(WriteStringArray(other, Strings(), "Texts", "x.c"));
    EXPECT_EQ(reports.questions.back(), "Destroy existing file " + other + "?\n");
    EXPECT_EQ(ReadWhole(other), "int keep;\n");

    // A name that exists but cannot be read as a file is reported, not replaced.
    fs::create_directories(dir / "subdir");
    size_t errors = reports.errors.size();
    EXPECT_FALSE(WriteStringArray(Out("subdir"), Strings(), "Texts", "x.c"));
    ASSERT_EQ(reports.errors.size(), errors + 1);
    EXPECT_EQ(reports.errors.back(), "Impossible to open " + Out("subdir") + " for reading!");
    EXPECT_TRUE(fs::is_directory(dir / "subdir"));
}

TEST_F(Generators, StringResourceWithNamesAppendsToItsOwnFiles) {
    std::string base = Out("res.str");
    ASSERT_TRUE(WriteStringResource(base, Strings(), true, "strings.c"));
    EXPECT_EQ(Text(Out("res.rc")), Golden("strings_rc.golden"));
    EXPECT_EQ(Text(Out("res.h")), std::string(kStringTableMarker) +
                                      "/* strings.c */\n#define\tSTR_00000\t0\n#define\tSTR_00001\t1\n"
                                      "#define\tSTR_00002\t2\n");

    ASSERT_TRUE(WriteStringResource(base, Strings(), true, "again.c"));
    std::string rc = Text(Out("res.rc"));
    EXPECT_NE(rc.find("\tSTR_00002,\"shape continued\"\n/* again.c */\n\tSTR_00003,"), std::string::npos);
    EXPECT_EQ(rc.rfind("END\n"), rc.size() - 4);
    EXPECT_EQ(rc.find("END\n"), rc.size() - 4);  // one table, one END
    EXPECT_NE(Text(Out("res.h")).find("\n\n/* again.c */\n#define\tSTR_00003\t3\n"), std::string::npos);

    std::ofstream(Out("res.rc"), std::ios::binary) << kStringTableMarker << "\nSTRINGTABLE\nBEGIN\n";
    EXPECT_FALSE(WriteStringResource(base, Strings(), false, "x.c"));
    EXPECT_EQ(reports.errors.back(), Out("res.rc") + ": the closing END line is missing; the file was not changed");
}

}  // namespace
