#include <gtest/gtest.h>

#include "cms/archive.h"
#include "cms/revision_number.h"
#include "cms/revision_ops.h"
#include "cms/revision_tree.h"
#include "tests/cms/cms_fixture.h"

namespace {

class ArchiveTest : public CmsFixture {
protected:
    // 1.1, 1.2 on the trunk, 1.1.1.1 on a branch of 1.1, 1.2 locked by bob.
    void BuildHistory() {
        PutRequest put;
        put.work_file = "f.c";
        put.keep = true;
        put.log = "first @ description";
        WriteWork("f.c", "one\ntwo @\n");
        ASSERT_TRUE(Put(session, put));
        put.log = "second";
        WriteWork("f.c", "one\ntwo @\nthree");
        ASSERT_TRUE(Put(session, put));
        put.log = "on a branch";
        put.revision = "1.1.1";
        WriteWork("f.c", "one\nbranch\n");
        ASSERT_TRUE(Put(session, put));
        session.user = "bob";
        GetRequest get;
        get.work_file = "f.c";
        get.revision = "1.2";
        get.lock = true;
        get.overwrite = true;
        ASSERT_TRUE(Get(session, get));
        session.user = "alice";
    }
};

const char kGolden[] =
    "This is a CMS file. Do NOT edit!\n"
    "Head     1.2;\n"
    "Branch   ;\n"
    "Access   ;\n"
    "RevNames  ;\n"
    "Locks    bob:1.2;\n"
    "CmsVersion 2;\n"
    "Binary 0;\n"
    "\n"
    "\n1.2\nDate     2026.12.10.9.0.4;\n  Author alice;\n  State Exp;\nBranches     \n ;\nNext     1.1;\n"
    "\n1.1\nDate     2026.12.10.9.0.1;\n  Author alice;\n  State Exp;\nBranches     \n 1.1.1.1;\nNext     ;\n"
    "\n1.1.1.1\nDate     2026.12.10.9.0.7;\n  Author alice;\n  State Exp;\nBranches     \n ;\nNext     ;\n"
    "\n\nDescription\n@first @@ description\n@\n\n"
    "\n\n1.2\nLog\n@second\n@\nText\n@one\ntwo @@\nthree@\n"
    "\n\n1.1\nLog\n@Initial revision\n@\nText\n@d3 1\n@\n"
    "\n\n1.1.1.1\nLog\n@on a branch\n@\nText\n@d2 1\na2 1\nbranch\n@\n";

TEST_F(ArchiveTest, GoldenArchiveWithBranchAndLock) {
    BuildHistory();
    EXPECT_EQ(ReadBytes(Archive("f.c")), ToDiskText(kGolden));
    EXPECT_TRUE(reports.errors.empty()) << reports.errors.front();
}

TEST_F(ArchiveTest, ReadBackRebuildsEveryRevision) {
    BuildHistory();
    CmsArchive a;
    a.path = Archive("f.c");
    ArchiveReadResult r = ReadArchiveFile(a);
    ASSERT_TRUE(r.usable);
    EXPECT_TRUE(r.problems.empty());
    ASSERT_TRUE(a.head);
    EXPECT_EQ(a.head->number, "1.2");
    ASSERT_EQ(a.locks.size(), 1u);
    EXPECT_EQ(a.head->locked_by, "bob");
    EXPECT_EQ(a.version, 2);
    EXPECT_EQ(a.description, "first @ description\n");
    struct { const char* number; const char* text; } want[] = {
        {"1.2", "one\ntwo @\nthree"}, {"1.1", "one\ntwo @\n"}, {"1.1.1.1", "one\nbranch\n"}};
    for (auto& w : want) {
        RevisionPath path;
        std::string text, message;
        ASSERT_TRUE(LookupRevision(a, w.number, {}, path, message)) << message;
        ASSERT_TRUE(RebuildRevision(a, path, text, message)) << message;
        EXPECT_EQ(text, w.text) << w.number;
    }
    EXPECT_EQ(FormatArchive(a), kGolden);  // rewriting changes nothing
}

TEST_F(ArchiveTest, ReaderWarningsAndOldArchives) {
    std::string text = kGolden;
    text.replace(text.find("CmsVersion 2;\nBinary 0;\n"), 24, "");
    text.replace(text.find("RevNames  ;"), 11, "RevNames  good:1.1 bad: ;");
    CmsArchive a;
    ArchiveReadResult r = ParseArchive(text, a);
    EXPECT_TRUE(r.usable);
    EXPECT_EQ(a.version, 0);
    EXPECT_EQ(a.binary, 0);
    ASSERT_EQ(a.symbols.size(), 1u);
    EXPECT_EQ(a.symbols[0].name, "good");
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].text, "Missing number in symbolic name definition");
    EXPECT_FALSE(r.problems[0].error);
}

TEST_F(ArchiveTest, DamagedArchivesAreRefusedWithTheirPlace) {
    struct Case {
        std::string text;
        std::string problem;
        int line;
    };
    std::string golden = kGolden;
    std::string sig = golden;
    sig[5] = 'X';
    std::vector<Case> cases = {
        {sig, "Incorrect signature in file f.c", 1},
        {golden.substr(0, golden.size() - 12), "Missing end of string '@'", 66},
        {golden.substr(0, golden.find("\n\n1.1\nLog")), "Can't find delta for revision 1.1", 50},
        {std::string(golden).replace(golden.find("Locks"), 5, "Lacks"), "Missing locks", 6},
        {std::string(golden).replace(golden.find("  Author alice"), 14, "  Author $"), "unknown Character: $", 13},
    };
    for (const Case& c : cases) {
        CmsArchive a;
        a.path = "f.c";
        ArchiveReadResult r = ParseArchive(c.text, a);
        EXPECT_FALSE(r.usable) << c.problem;
        ASSERT_FALSE(r.problems.empty()) << c.problem;
        EXPECT_EQ(r.problems[0].text, c.problem);
        EXPECT_EQ(r.problems[0].line, c.line) << c.problem;
    }
}

TEST_F(ArchiveTest, TruncatedArchiveIsReportedAndLeftAlone) {
    BuildHistory();
    std::string bytes = ReadBytes(Archive("f.c"));
    std::string cut = bytes.substr(0, bytes.size() / 2);
    WriteBytes(Archive("f.c"), cut);
    reports.errors.clear();
    WriteWork("f.c", "new\n");
    PutRequest put;
    put.work_file = "f.c";
    EXPECT_FALSE(Put(session, put));
    ASSERT_FALSE(reports.errors.empty());
    EXPECT_NE(reports.errors[0].find(", line "), std::string::npos) << reports.errors[0];
    EXPECT_EQ(ReadBytes(Archive("f.c")), cut);
    EXPECT_TRUE(FileExists(Work("f.c")));
    EXPECT_FALSE(FileExists(Archive("_f.c_")));
}

TEST_F(ArchiveTest, DeletedRevisionsAreLeftOut) {
    BuildHistory();
    CmsArchive a;
    a.path = Archive("f.c");
    ASSERT_TRUE(ReadArchiveFile(a).usable);
    Revision* b = FindRevision(a, "1.1.1.1");
    b->mark = 'D';
    std::string text = FormatArchive(a);
    EXPECT_EQ(text.find("1.1.1.1"), std::string::npos);
}

TEST(RevisionNumbers, CompareIncrementCut) {
    EXPECT_LT(CompareNumbers("1.2", "1.10"), 0);
    EXPECT_LT(CompareNumbers("1.2.1.1", "1.2"), 0);  // more fields is smaller
    EXPECT_EQ(CompareNumbers("1.2", "1.2"), 0);
    EXPECT_EQ(IncrementNumber("1.4"), "1.5");
    EXPECT_EQ(IncrementNumber("1.2.1.9"), "1.2.1.10");
    EXPECT_EQ(CutFields("1.2.3.4", 2), "1.2");
    EXPECT_EQ(FieldCount("1.2."), 2);
    EXPECT_EQ(FieldCount(""), 0);
}

TEST(RevisionNumbers, NormaliseAndLookup) {
    CmsArchive a;
    ASSERT_TRUE(ParseArchive(kGolden, a).usable);
    std::string n, message;
    EXPECT_TRUE(NormaliseNumber(a, "01.002.", n, message));
    EXPECT_EQ(n, "1.2");
    EXPECT_FALSE(NormaliseNumber(a, "1.A", n, message));
    EXPECT_EQ(message, "Symbolic number A is undefined.");
    EXPECT_FALSE(NormaliseNumber(a, "1.x$", n, message));

    RevisionPath path;
    ASSERT_TRUE(LookupRevision(a, "1.9", {}, path, message));
    EXPECT_EQ(path.back()->number, "1.2");
    EXPECT_FALSE(LookupRevision(a, "1.9.1.1", {}, path, message));
    EXPECT_EQ(message, "Revision 1.9 not present.");
    ASSERT_TRUE(LookupRevision(a, "1.1.1", {}, path, message));
    EXPECT_EQ(path.back()->number, "1.1.1.1");
    EXPECT_FALSE(LookupRevision(a, "1.2", {"", "carol", ""}, path, message));
    EXPECT_EQ(message, "Revision 1.2 has author alice.");
    ASSERT_TRUE(LookupRevision(a, "", {"2026.12.10.9.0.3", "", ""}, path, message));
    EXPECT_EQ(path.back()->number, "1.1");
    EXPECT_FALSE(LookupRevision(a, "1", {"2026.1.1.0.0.0", "", ""}, path, message));
    EXPECT_EQ(message, "Cannot find revision on branch 1 with a date before 2026.1.1.0.0.0, author <any>, and state <any>.");
}

TEST(RevisionNumbers, NewNumbers) {
    CmsArchive a;
    ASSERT_TRUE(ParseArchive(kGolden, a).usable);
    NewRevisionPlan plan;
    std::string message;
    struct { const char* asked; const char* user; const char* number; } cases[] = {
        {"", "bob", "1.3"},       // bob's lock on the head
        {"1.1.1", "alice", "1.1.1.2"},
        {"1.1", "alice", "1.1.2.1"},  // a second branch at 1.1
        {"1.2.1", "bob", "1.2.1.1"},
        {"2", "bob", "2.1"},
    };
    for (auto& c : cases) {
        std::string asked = c.asked;
        if (asked == "1.1") {  // no number asked, user's lock on 1.1: new branch there
            CmsArchive b;
            ASSERT_TRUE(ParseArchive(kGolden, b).usable);
            b.locks.push_back({"alice", FindRevision(b, "1.1")});
            ASSERT_TRUE(ChooseNewNumber(b, "", "alice", plan, message)) << message;
        } else {
            ASSERT_TRUE(ChooseNewNumber(a, asked, c.user, plan, message)) << c.asked << message;
        }
        EXPECT_EQ(plan.number, c.number) << c.asked;
    }
    EXPECT_FALSE(ChooseNewNumber(a, "1.2", "bob", plan, message));
    EXPECT_EQ(message, "Number 1.2 too small. It should be greater than 1.2");
    EXPECT_FALSE(ChooseNewNumber(a, "1.3", "alice", plan, message));
    EXPECT_EQ(message, "Version 1.2 locked by bob");
    EXPECT_FALSE(ChooseNewNumber(a, "1.5.1", "alice", plan, message));
    EXPECT_EQ(message, "Branch 1.5 not found");
}

}  // namespace
