#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "editor/line_reader.h"
#include "tests/support/recorded_reports.h"
#include "tools/file_mask.h"
#include "tools/grep.h"
#include "tools/grep_dialog.h"
#include "tools/hit_list.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// root/a.c, root/b.h, root/notes.txt, root/bin.c (NUL bytes), root/sub/c.c,
// root/sub/deeper/long.c (a 1000-character line), root/.hidden/e.c, root/dangling.c
class GrepTree : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("morla-grep-" + std::to_string(getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        WriteFile(root_ / "a.c", "int main(void)\r\n  print(int x);\nint_x = 1;\nprintf(\"int_y\");\n");
        WriteFile(root_ / "b.h", "alpha beta\nBETA then ALPHA\nalpha only\n\tint h;\n");
        WriteFile(root_ / "notes.txt", "int in a text file\n");
        WriteFile(root_ / "bin.c", std::string("int\0\x01\x02 int\n", 10));
        WriteFile(root_ / "sub" / "c.c", "  int y;\n");
        WriteFile(root_ / "sub" / "deeper" / "long.c", std::string(996, 'x') + " int\nint last\n");
        WriteFile(root_ / ".hidden" / "e.c", "int z;\n");
        fs::create_symlink(root_ / "missing.c", root_ / "dangling.c");
    }
    void TearDown() override { fs::remove_all(root_); }

    GrepResult Search(const std::string& text, uint16_t flags, const std::string& masks = "*.c *.h") {
        GrepParameters params;
        params.text = text;
        params.flags = flags;
        params.masks = masks;
        params.directory = root_.string();
        GrepSearch search;
        EXPECT_TRUE(PrepareGrep(params, &search));
        GrepResult result;
        RunGrep(search, &result, nullptr);
        return result;
    }

    std::string Rel(const GrepHit& hit) const {
        return fs::path(hit.file).lexically_relative(root_).string() + ":" + std::to_string(hit.line);
    }
    std::vector<std::string> Hits(const GrepResult& r) const {
        std::vector<std::string> out;
        for (const GrepHit& h : r.hits) out.push_back(Rel(h));
        return out;
    }

    fs::path root_;
};

TEST_F(GrepTree, MasksInOrderFilesBeforeSubdirectoriesDotDirectoriesSkipped) {
    RecordedReports reports;
    GrepResult r = Search("int", kGrepMatchCase | kGrepSubdirectories);
    std::vector<std::string> expected = {"a.c:1", "a.c:2", "a.c:3", "a.c:4", "sub/c.c:1",
                                         "sub/deeper/long.c:3", "sub/deeper/long.c:4", "b.h:4"};
    EXPECT_EQ(Hits(r), expected);
    EXPECT_EQ(r.hits[0].text, "int main(void)");  // the CR of CR LF is not part of the text
    EXPECT_EQ(r.hits[5].text, "xx int");        // the third piece of the long line
    EXPECT_EQ(r.binary_files, 1);
    EXPECT_EQ(r.unreadable, std::vector<std::string>{(root_ / "dangling.c").string()});
    EXPECT_FALSE(r.stopped);
    ASSERT_EQ(r.files_with_hits.size(), 4u);
    EXPECT_EQ(r.files_with_hits.front(), (root_ / "b.h").string());  // newest first
}

TEST_F(GrepTree, UnreadableFileDoesNotHideTheRestOfItsDirectory) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root: a mode-000 file can still be read";
    WriteFile(root_ / "sub" / "locked.c", "int locked;\n");
    fs::permissions(root_ / "sub" / "locked.c", fs::perms::none);
    GrepResult r = Search("int", kGrepMatchCase | kGrepSubdirectories, "*.c");
    fs::permissions(root_ / "sub" / "locked.c", fs::perms::owner_all);
    EXPECT_NE(std::find(r.unreadable.begin(), r.unreadable.end(), (root_ / "sub" / "locked.c").string()),
              r.unreadable.end());
    std::vector<std::string> hits = Hits(r);
    EXPECT_NE(std::find(hits.begin(), hits.end(), "sub/c.c:1"), hits.end());
    EXPECT_NE(std::find(hits.begin(), hits.end(), "sub/deeper/long.c:4"), hits.end());
}

TEST_F(GrepTree, WholeWordsLooksPastAnEmbeddedOccurrence) {
    GrepResult r = Search("int", kGrepMatchCase | kGrepWholeWords, "a.c");
    // print(int x) holds "int" inside "print" first; int_x and printf("int_y") do not count.
    EXPECT_EQ(Hits(r), (std::vector<std::string>{"a.c:1", "a.c:2"}));
    r = Search("in[a-z]", kGrepMatchCase | kGrepWholeWords | kGrepRegularExpression, "a.c");
    EXPECT_EQ(Hits(r), (std::vector<std::string>{"a.c:1", "a.c:2"}));
}

TEST_F(GrepTree, CaseAndSeveralWords) {
    EXPECT_EQ(Hits(Search("BETA", kGrepMatchCase, "b.h")), std::vector<std::string>{"b.h:2"});
    EXPECT_EQ(Hits(Search("BETA", 0, "b.h")), (std::vector<std::string>{"b.h:1", "b.h:2"}));
    // Several words ignore case even when match case was asked for.
    EXPECT_EQ(Hits(Search("beta alpha", kGrepMatchCase | kGrepMultiple, "b.h")),
              (std::vector<std::string>{"b.h:1", "b.h:2"}));
    EXPECT_EQ(Hits(Search("^[A-Z]+ t", kGrepRegularExpression, "b.h")), std::vector<std::string>{"b.h:2"});
    EXPECT_EQ(Hits(Search("^[a-z]+ t", kGrepRegularExpression, "b.h")), std::vector<std::string>{"b.h:2"});
}

TEST_F(GrepTree, StopFlagEndsTheSearch) {
    GrepParameters params;
    params.text = "int";
    params.flags = kGrepSubdirectories;
    params.directory = root_.string();
    GrepSearch search;
    ASSERT_TRUE(PrepareGrep(params, &search));
    std::atomic<bool> stop{true};
    GrepResult r;
    RunGrep(search, &r, &stop);
    EXPECT_TRUE(r.stopped);
    EXPECT_TRUE(r.hits.empty());
}

TEST_F(GrepTree, HitLimitEndsTheSearchAndIsTold) {
    RecordedReports reports;
    std::string many;
    for (size_t i = 0; i < kGrepHitLimit + 10; ++i) many += "hit\n";
    WriteFile(root_ / "many.c", many);
    GrepParameters params;
    params.text = "hit";
    params.masks = "many.c *.h";
    params.directory = root_.string();
    GrepSearch search;
    ASSERT_TRUE(PrepareGrep(params, &search));
    GrepResult r;
    RunGrep(search, &r, nullptr);
    EXPECT_EQ(r.hits.size(), kGrepHitLimit);
    EXPECT_TRUE(r.hit_limit);
    EXPECT_FALSE(r.stopped);
    FinishGrep(params, &r);
    EXPECT_EQ(reports.statuses, std::vector<std::string>{r.summary + " (stopped after 100000 hits)"});
}

TEST_F(GrepTree, BadExpressionSearchesNothing) {
    RecordedReports reports;
    GrepParameters params;
    params.text = "(int";
    params.flags = kGrepRegularExpression;
    GrepSearch search;
    EXPECT_FALSE(PrepareGrep(params, &search));
    EXPECT_EQ(reports.errors, std::vector<std::string>{"Mismatched ()"});
}

TEST_F(GrepTree, SummaryNotFoundAndHitLines) {
    RecordedReports reports;
    GrepParameters params;
    params.text = "nowhere";
    params.masks = "*.c *.h";
    GrepResult empty;
    FinishGrep(params, &empty);
    EXPECT_EQ(reports.statuses, std::vector<std::string>{"'nowhere': not found"});

    GrepResult r = Search("int", kGrepMatchCase | kGrepSubdirectories, "*.c");
    params.text = "int";
    FinishGrep(params, &r);
    EXPECT_EQ(r.summary, "Searching for 'int' in '*.c *.h': 7 hits.");
    std::vector<std::string> lines = HitListLines(r.summary, r.hits, root_.string() + "/");
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], r.summary);
    EXPECT_EQ(lines[2], "[a.c:2] print(int x);");  // base name, leading blanks dropped
    std::string sub = (root_ / "sub" / "c.c").string();
    std::transform(sub.begin(), sub.end(), sub.begin(), ::tolower);
    EXPECT_EQ(lines[5], "[" + sub + ":1] int y;");  // a subdirectory's file by its full path
    EXPECT_EQ(HitFileToOpen({"x.c", 1, ""}, "/Some/Dir"), "/some/dir/x.c");
}

// The block-wise prefilter must find exactly the lines the line-by-line test finds,
// also where an occurrence straddles a refill of the reader's block.
TEST_F(GrepTree, PrefilterAgreesWithLineByLineAcrossBlocks) {
    std::string big;
    for (int i = 0; big.size() < 3 * kTransferBufferSize; ++i) {
        big += std::string(i * 7 % 600, 'a' + i % 26);
        if (i % 3 == 0) big += "needle";
        if (i % 4 == 0) big += "need";
        big += i % 5 == 0 ? "\r\n" : "\n";
    }
    WriteFile(root_ / "big.c", big);
    GrepParameters params;
    params.text = "needle";
    params.flags = kGrepMatchCase;
    params.masks = "big.c";
    params.directory = root_.string();
    for (int extra : {0, int{kGrepRegularExpression}}) {
        params.text = extra ? "ne+dle" : "needle";
        params.flags = kGrepMatchCase | extra;
        GrepSearch search;
        ASSERT_TRUE(PrepareGrep(params, &search));
        ASSERT_FALSE(search.prefilter.empty());
        std::vector<int> expected;
        LineReader reader;
        ASSERT_TRUE(OpenLineReader(&reader, (root_ / "big.c").string().c_str()));
        const char* text;
        int length;
        for (int line = 1; ReadLine(&reader, &text, &length); ++line)
            if (GrepLineMatches(search, text, length)) expected.push_back(line);
        CloseLineReader(&reader);
        GrepResult r;
        RunGrep(search, &r, nullptr);
        std::vector<int> got;
        for (const GrepHit& h : r.hits) got.push_back(h.line);
        EXPECT_GT(expected.size(), 300u);
        EXPECT_EQ(got, expected) << params.text;
    }
}

TEST(FileMask, Wildcards) {
    EXPECT_TRUE(MatchesFileMask("main.c", "*.c"));
    EXPECT_TRUE(MatchesFileMask("MAIN.C", "*.c"));
    EXPECT_FALSE(MatchesFileMask("main.cpp", "*.c"));
    EXPECT_TRUE(MatchesFileMask("main.cpp", "*.c*"));
    EXPECT_TRUE(MatchesFileMask("a.h", "?.h"));
    EXPECT_FALSE(MatchesFileMask("ab.h", "?.h"));
    EXPECT_TRUE(MatchesFileMask("Makefile", "*.*"));
    EXPECT_TRUE(MatchesFileMask("x.tab.c", "*.tab.c"));
    EXPECT_EQ(SplitAtBlanks(" *.c  *.h "), (std::vector<std::string>{"*.c", "*.h"}));
}

TEST(GrepDialog, AcceptingTheFields) {
    RecordedReports reports;
    GrepParameters params;
    GrepHistory history;
    GrepDialogFields fields = GrepDialogStart(params, fs::temp_directory_path().string());
    EXPECT_EQ(fields.masks, "*.c *.h");
    EXPECT_FALSE(fields.ignore_case);
    fields.expression = "alpha beta";
    fields.masks = "  ";
    EXPECT_FALSE(AcceptGrepDialog(fields, &params, &history));
    fields.masks = "*.c";
    fields.expression.clear();
    EXPECT_FALSE(AcceptGrepDialog(fields, &params, &history));
    EXPECT_EQ(reports.errors, (std::vector<std::string>{"No files specified", "Empty search string?"}));
    fields.expression = "alpha beta";
    fields.directory = fs::temp_directory_path().string() + "/";
    fields.multiple = true;
    fields.whole_words = true;
    fields.subdirectories = true;
    ASSERT_TRUE(AcceptGrepDialog(fields, &params, &history));
    EXPECT_EQ(params.directory, fs::temp_directory_path().lexically_normal().string());  // separator removed
    EXPECT_EQ(params.flags, kGrepMultiple | kGrepSubdirectories);  // no match case, no whole words
    EXPECT_EQ(history.texts, std::vector<std::string>{"alpha beta"});
    fields.directory = "/no/such/directory";
    EXPECT_FALSE(AcceptGrepDialog(fields, &params, &history));
    EXPECT_EQ(reports.errors.back(), "Directory /no/such/directory doesn't exist");
}

TEST(GrepDialog, IdentifierAtTheCursorBecomesTheSearchText) {
    const char* line = "  return buffer_len+1;";
    int n = static_cast<int>(strlen(line));
    struct Case {
        int column;
        const char* expected;
    } cases[] = {{9, "buffer_len"}, {18, "buffer_len"}, {4, ""} /* keyword */, {19, ""}, {0, ""}, {n, ""}, {20, "1"}};
    for (const Case& c : cases) EXPECT_EQ(IdentifierAtCursor(line, n, c.column), c.expected) << c.column;
}

}  // namespace
