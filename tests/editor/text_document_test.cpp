#include "editor/text_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/safe_file.h"
#include "tests/editor/temp_dir.h"
#include "tests/support/recorded_reports.h"

namespace {

std::vector<std::string> Lines(const TextDocument* doc) {
    std::vector<std::string> out;
    for (TextLine* l = FirstLine(doc); l; l = NextLine(doc, l)) out.emplace_back(l->text, static_cast<size_t>(l->length));
    return out;
}

struct DocumentTest : ::testing::Test {
    TempDir dir;
    RecordedReports reports;
    std::vector<TextDocument*> opened;
    TextDocument* Open(const std::string& path) {
        TextDocument* doc = FindDocument(path.c_str(), true);
        LoadDocument(doc, path.c_str());
        if (std::find(opened.begin(), opened.end(), doc) == opened.end()) opened.push_back(doc);
        return doc;
    }
    ~DocumentTest() override {
        for (TextDocument* d : opened) FreeDocument(d);
        g_editor_flags = 0;
        g_document_hooks = DocumentHooks{};
    }
};

TEST_F(DocumentTest, ListIsSortedByNameAndFindsExactNames) {
    for (const char* n : {"b.c", "a.c", "c.c", "B.c"}) opened.push_back(FindDocument(n, true));
    std::vector<std::string> names;
    for (TextDocument* d = FirstDocument(); d; d = d->next) names.emplace_back(d->name);
    EXPECT_EQ(names, (std::vector<std::string>{"B.c", "a.c", "b.c", "c.c"}));
    EXPECT_EQ(FindDocument("a.c", false), opened[1]);
    EXPECT_EQ(FindDocument("A.C", false), nullptr);
    EXPECT_EQ(FindDocument(std::string(200, 'n').c_str(), true), nullptr);
    EXPECT_EQ(reports.errors.size(), 1u);  // the name that does not fit
}

TEST_F(DocumentTest, LinesFormACircleBehindTheHead) {
    TextDocument* doc = FindDocument("mem", true);
    opened.push_back(doc);
    EXPECT_EQ(FirstLine(doc), nullptr);
    TextLine* one = InsertLineAfter(doc, doc->lines, "one", 3);
    TextLine* three = InsertLineAfter(doc, one, "three", 5);
    InsertLineAfter(doc, one, "two", 3);
    EXPECT_EQ(Lines(doc), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(doc->line_count, 3);
    EXPECT_EQ(three->next, doc->lines);
    EXPECT_EQ(doc->lines->previous, three);
    EXPECT_EQ(one->capacity, 16);
    EXPECT_EQ(LineNumber(doc, three), 3);
    EXPECT_EQ(LineAt(doc, 2)->text, std::string("two"));

    doc->caret_line = three;
    std::string longer(40, 'x');
    TextLine* moved = ReplaceLineText(doc, three, longer.c_str(), 40);
    EXPECT_EQ(moved->capacity, 48);
    EXPECT_EQ(doc->caret_line, moved);
    EXPECT_EQ(LastLine(doc), moved);
    DeleteLine(doc, LineAt(doc, 2));
    EXPECT_EQ(Lines(doc), (std::vector<std::string>{"one", longer}));
    EXPECT_EQ(doc->line_count, 2);
}

TEST_F(DocumentTest, MixedLineEndsLoadIntoTheSameLines) {
    std::string crlf = dir.Write("crlf.c", "int a;\r\n\r\nint b;\r\n");
    std::string lf = dir.Write("lf.c", "int a;\n\nint b;\n");
    std::string crcrlf = dir.Write("crcrlf.c", "int a;\r\r\n\r\r\nint b;\r\r\n");
    std::vector<std::string> want = {"int a;", "", "int b;"};
    for (const std::string& p : {crlf, lf, crcrlf}) {
        TextDocument* doc = Open(p);
        EXPECT_EQ(Lines(doc), want) << p;
        EXPECT_EQ(doc->line_count, 3);
        EXPECT_EQ(doc->flags & (kDocModified | kDocIncomplete), 0);
        EXPECT_NE(doc->file_time, 0);
    }
    EXPECT_TRUE(reports.Quiet());
}

TEST_F(DocumentTest, CrLfFileRoundTripsByteForByte) {
    std::string bytes = "#include <stdio.h>\r\n\r\n\tint x;\r\nchar c = '\\0';\r\n" + std::string(497, 'q') + "\r\n";
    bytes += std::string("nul\0inside\r\n", 12);
    std::string path = dir.Write("round.c", bytes);
    TextDocument* doc = Open(path);
    MarkModified(doc);
    ASSERT_TRUE(SaveDocument(doc));
    EXPECT_EQ(TempDir::Read(path), bytes);
    EXPECT_FALSE(IsModified(doc));
    EXPECT_TRUE(reports.Quiet());
}

TEST_F(DocumentTest, SaveTrimsLineEndsAndEndsEveryLine) {
    std::string path = dir.Write("trim.c", "a  \t\nb\r\n \t\nlast");
    TextDocument* doc = Open(path);
    doc->caret_line = FirstLine(doc);
    doc->caret_column = 3;
    MarkModified(doc);
    ASSERT_TRUE(SaveDocument(doc));
    EXPECT_EQ(TempDir::Read(path), "a\r\nb\r\n\r\nlast\r\n");
    EXPECT_EQ(doc->caret_column, 1);
    EXPECT_EQ(doc->file_time, FileTimeOf(path.c_str()));
}

TEST_F(DocumentTest, CutLinesAreReportedAndSavingAsksFirst) {
    std::string original = std::string(600, 'w') + "\n";
    std::string path = dir.Write("long.c", original);
    TextDocument* doc = Open(path);
    EXPECT_EQ(Lines(doc), (std::vector<std::string>{std::string(497, 'w'), std::string(103, 'w')}));
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], path + ":\n1 lines longuer than 500 characters were truncated");
    EXPECT_TRUE(doc->flags & kDocIncomplete);
    MarkModified(doc);
    EXPECT_FALSE(SaveDocument(doc));  // answered No
    EXPECT_EQ(reports.questions.back(), "File contains truncated lines\nSave anyway?");
    EXPECT_EQ(TempDir::Read(path), original);
    EXPECT_TRUE(IsModified(doc));
    reports.answers.push_back(AskAnswer::Yes);
    EXPECT_TRUE(SaveDocument(doc));
    EXPECT_FALSE(doc->flags & kDocIncomplete);
}

TEST(BackupName, FollowsTheExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"prog.c", "prog.~c"},          {"main.cpp", "main.~cp"},    {"README", "README.~"},
        {"c:\\src.v2\\make", "c:\\src.v2\\make.~"}, {"a/b.d/x.h", "a/b.d/x.~h"}, {"x.", "x.~"},
        {"archive.tar.gz", "archive.tar.~gz"},
    };
    for (auto [name, backup] : cases) EXPECT_EQ(BackupName(name), backup) << name;
}

TEST_F(DocumentTest, BackupKeepsThePreviousFile) {
    std::string path = dir.Write("keep.c", "old\r\n");
    dir.Write("keep.~c", "older backup\r\n");
    g_editor_flags = kEditorKeepBackup;
    TextDocument* doc = Open(path);
    ReplaceLineText(doc, FirstLine(doc), "new", 3);
    MarkModified(doc);
    ASSERT_TRUE(SaveDocument(doc));
    EXPECT_EQ(TempDir::Read(path), "new\r\n");
    EXPECT_EQ(TempDir::Read(dir.path + "/keep.~c"), "old\r\n");
}

// A save that cannot complete leaves the old file and its content, and keeps flag 2.
TEST_F(DocumentTest, FailedSaveKeepsTheOldFile) {
    std::string path = dir.Write("safe.c", "precious\r\n");
    TextDocument* doc = Open(path);
    ReplaceLineText(doc, FirstLine(doc), "changed", 7);
    MarkModified(doc);

    std::filesystem::create_directory(path + "~tmp");  // the temporary file cannot be made
    EXPECT_FALSE(SaveDocument(doc));
    EXPECT_EQ(reports.errors.back(), "Impossible to open " + path + " for writing!");
    EXPECT_EQ(TempDir::Read(path), "precious\r\n");
    EXPECT_TRUE(IsModified(doc));
    std::filesystem::remove(path + "~tmp");

    std::filesystem::permissions(path, std::filesystem::perms::owner_read);  // a read-only target
    EXPECT_FALSE(SaveDocument(doc));
    EXPECT_EQ(reports.errors.back(), "Impossible to open " + path + " for writing!");
    EXPECT_EQ(TempDir::Read(path), "precious\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    std::string too_long = dir.path + "/" + std::string(5000, 'p') + ".c";
    EXPECT_FALSE(WriteDocument(doc, too_long.c_str()));
    EXPECT_FALSE(SaveDocumentAs(doc, too_long.c_str()));
    EXPECT_STREQ(doc->name, path.c_str());

    std::filesystem::permissions(dir.path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (TempDir::Read(path).size() && !std::filesystem::exists(dir.Write("probe", "x"))) {
        reports.errors.clear();
        EXPECT_FALSE(SaveDocument(doc));
        EXPECT_EQ(reports.errors.size(), 1u);
        EXPECT_EQ(TempDir::Read(path), "precious\r\n");
    }
    std::filesystem::permissions(dir.path, std::filesystem::perms::owner_all);
    EXPECT_TRUE(SaveDocument(doc));
    EXPECT_EQ(TempDir::Read(path), "changed\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + "~tmp"));
}

TEST_F(DocumentTest, TimeStampFillsTheFieldUpToTheDollar) {
    TextDocument* doc = FindDocument("stamp.c", true);
    opened.push_back(doc);
    const std::pair<std::string, std::string> cases[] = {
        {"static char *_CMSID = \"$Date:                      $\";",
         "static char *_CMSID = \"$Date:2026.1.2.3.4.5        $\";"},
        {"x $D:$ y", "x $D:2026.1.2.3.4.5$ y"},  // a short field grows
    };
    for (const auto& [before, after] : cases) {
        TextLine* line = InsertLineAfter(doc, doc->lines, before.c_str(), static_cast<int>(before.size()));
        ASSERT_TRUE(StampTimeLine(doc, &line, 2026, 1, 2, 3, 4, 5));
        EXPECT_EQ(std::string(line->text, static_cast<size_t>(line->length)), after);
    }
    TextLine* none = InsertLineAfter(doc, doc->lines, "no field", 8);
    EXPECT_FALSE(StampTimeLine(doc, &none, 2026, 1, 2, 3, 4, 5));
}

TEST_F(DocumentTest, SaveStampsTheTimeStampLine) {
    std::string path = dir.Write("cms.c", "static char *_CMSID = \"$Date:                      $\";\r\nint x;\r\n");
    g_document_hooks.find_time_stamp_line = [](TextDocument* d) { return FirstLine(d); };
    TextDocument* doc = Open(path);
    MarkModified(doc);
    ASSERT_TRUE(SaveDocument(doc));
    EXPECT_TRUE(doc->flags & kDocTimeStamp);
    std::string saved = TempDir::Read(path);
    EXPECT_EQ(saved.find("$Date:                      $"), std::string::npos);
    EXPECT_EQ(saved.find("\r\n"), std::string("static char *_CMSID = \"$Date:                      $\";").size());
}

TEST_F(DocumentTest, MissingFileGivesAnEmptyDocumentThatSavingCreates) {
    std::string path = dir.path + "/new.c";
    TextDocument* doc = Open(path);
    EXPECT_EQ(doc->line_count, 0);
    EXPECT_TRUE(reports.Quiet());
    InsertLineAfter(doc, doc->lines, "made", 4);
    MarkModified(doc);
    ASSERT_TRUE(SaveDocument(doc));
    EXPECT_EQ(TempDir::Read(path), "made\r\n");
}

TEST_F(DocumentTest, ReloadKeepsTheCaretAndExternalChangesAsk) {
    std::string path = dir.Write("disk.c", "1\n2\n3\n");
    TextDocument* doc = Open(path);
    doc->caret_line = LineAt(doc, 2);
    doc->caret_column = 1;
    dir.Write("disk.c", "one\ntwo\nthree\nfour\n");
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(5));

    static int activated;
    activated = 0;
    CheckForExternalChanges([](TextDocument*) { ++activated; });  // answered No
    EXPECT_EQ(reports.questions.back(), "File " + path + " has been changed. Reload from disk?");
    EXPECT_EQ(activated, 0);
    EXPECT_EQ(doc->line_count, 3);
    size_t asked = reports.questions.size();
    CheckForExternalChanges(nullptr);  // the new time was stored: not asked again
    EXPECT_EQ(reports.questions.size(), asked);

    reports.answers.push_back(AskAnswer::Yes);
    ASSERT_TRUE(ReloadDocument(doc, true));
    EXPECT_EQ(Lines(doc), (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_EQ(LineNumber(doc, doc->caret_line), 2);
    EXPECT_EQ(doc->caret_column, 1);

    std::filesystem::remove(path);
    CheckForExternalChanges(nullptr);  // deleted files are not reported
    EXPECT_EQ(reports.questions.size(), asked + 1);

    doc->flags |= kDocInternal;
    EXPECT_FALSE(ReloadDocument(doc, false));
    EXPECT_EQ(reports.informs.back(), "Internal buffer");
}

TEST_F(DocumentTest, InsertFileLinksAfterTheCaret) {
    std::string path = dir.Write("host.c", "a\nd\n");
    std::string part = dir.Write("part.h", "b\nc\n");
    TextDocument* doc = Open(path);
    doc->caret_line = FirstLine(doc);
    ASSERT_TRUE(InsertFileAtCaret(doc, part.c_str()));
    EXPECT_EQ(Lines(doc), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(doc->line_count, 4);
    EXPECT_EQ(LineNumber(doc, doc->caret_line), 3);
    EXPECT_EQ(reports.statuses.back(), "2 lines read");
    EXPECT_TRUE(IsModified(doc));
    EXPECT_FALSE(InsertFileAtCaret(doc, (dir.path + "/none.h").c_str()));
}

TEST_F(DocumentTest, SaveAsRefusesAnotherDocumentsName) {
    TextDocument* a = Open(dir.Write("a.c", "a\n"));
    TextDocument* b = Open(dir.Write("b.c", "b\n"));
    EXPECT_FALSE(SaveDocumentAs(a, b->name));
    EXPECT_EQ(reports.informs.back(), "Name already used");
    a->flags |= kDocInternal;
    std::string target = dir.path + "/z.c";
    ASSERT_TRUE(SaveDocumentAs(a, target.c_str()));
    EXPECT_EQ(TempDir::Read(target), "a\r\n");
    EXPECT_FALSE(a->flags & kDocInternal);
    EXPECT_EQ(a->next, nullptr);  // moved to its place in the list
}

TEST_F(DocumentTest, RecentlyReadKeepsTheLastEight) {
    for (int i = 0; i < 10; ++i) Open(dir.Write("r" + std::to_string(i), ""));
    Open(dir.path + "/r5");
    ASSERT_EQ(RecentlyReadCount(), 8);
    EXPECT_EQ(RecentlyRead(0), dir.path + "/r2");
    EXPECT_EQ(RecentlyRead(7), dir.path + "/r5");
}

}  // namespace
