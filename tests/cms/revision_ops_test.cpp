#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "cms/archive.h"
#include "cms/cms_session.h"
#include "cms/revision_ops.h"
#include "tests/cms/cms_fixture.h"

namespace {

class RevisionOps : public CmsFixture {
protected:
    bool PutText(const std::string& text, PutRequest put = {}) {
        if (put.work_file.empty()) put.work_file = "f.c";
        put.keep = true;
        WriteWork(put.work_file, text);
        return Put(session, put);
    }
    bool GetRevision(const std::string& revision, bool lock = false, const std::string& output = "out.c") {
        GetRequest get;
        get.work_file = "f.c";
        get.revision = revision;
        get.output = output;
        get.lock = lock;
        get.overwrite = true;
        return Get(session, get);
    }
    std::string Log() { return ReadBytes(session.cms_dir + "/LOGFILE.LOG"); }
};

TEST_F(RevisionOps, PutThenGetEveryRevision) {
    std::vector<std::string> texts = {"a\nb\nc\n", "a\nB\nc\n", "a\nB\nc\nd", "x\na\nB\nc\nd\n", "x\n"};
    for (const std::string& t : texts) ASSERT_TRUE(PutText(t));
    for (size_t i = 0; i < texts.size(); ++i) {
        ASSERT_TRUE(GetRevision("1." + std::to_string(i + 1)));
        EXPECT_EQ(ReadWork("out.c"), texts[i]);
    }
    EXPECT_EQ(ReadBytes(Work("out.c")), ToDiskText(texts.back()));  // written with CR LF
    EXPECT_TRUE(reports.errors.empty());
    EXPECT_FALSE(FileExists(Archive("_f.c_")));
    std::string log = Log();
    EXPECT_NE(log.find("put        1.5r   1b   0f   5t 2026.12.10."), std::string::npos) << log;
    EXPECT_NE(log.find("get        1.1r   5b   0f   5t"), std::string::npos) << log;
}

TEST_F(RevisionOps, PutDeletesTheWorkingFileOnlyAfterTheArchiveIsWritten) {
    WriteWork("f.c", "text\n");
    PutRequest put;
    put.work_file = "f.c";
    ASSERT_TRUE(Put(session, put));
    EXPECT_FALSE(FileExists(Work("f.c")));
    // An archive that cannot be replaced (its name is a directory) keeps the working file.
    std::filesystem::create_directories(root / "work" / "CMS" / "g.c" / "x");
    WriteWork("g.c", "text\n");
    put.work_file = "g.c";
    EXPECT_FALSE(Put(session, put));
    EXPECT_TRUE(FileExists(Work("g.c")));
}

TEST_F(RevisionOps, LinesLongerThanAnyEditorLineSurvive) {
    std::string long_line(5000, 'x');
    ASSERT_TRUE(PutText("a\n" + long_line + "\nb\n"));
    ASSERT_TRUE(PutText("a\n" + long_line + "y\nb\n"));
    ASSERT_TRUE(GetRevision("1.1"));
    EXPECT_EQ(ReadWork("out.c"), "a\n" + long_line + "\nb\n");
}

TEST_F(RevisionOps, UnchangedFileAsksAndLeavesTheArchive) {
    ASSERT_TRUE(PutText("same\n"));
    std::string before = ReadBytes(Archive("f.c"));
    EXPECT_FALSE(PutText("same\n"));
    ASSERT_EQ(reports.questions.size(), 1u);
    EXPECT_EQ(reports.questions[0], "File f.c is identical to revision 1.1 Save anyway?");
    EXPECT_EQ(ReadBytes(Archive("f.c")), before);
    reports.answers.push_back(AskAnswer::Yes);
    EXPECT_TRUE(PutText("same\n"));
}

TEST_F(RevisionOps, LockConflictsBetweenTwoUsers) {
    ASSERT_TRUE(PutText("v1\n"));
    ASSERT_TRUE(GetRevision("1.1", true));  // alice locks 1.1
    ASSERT_TRUE(GetRevision("1.1", true));  // again: still one lock
    CmsArchive a;
    a.path = Archive("f.c");
    ASSERT_TRUE(ReadArchiveFile(a).usable);
    EXPECT_EQ(a.locks.size(), 1u);

    session.user = "bob";
    reports.errors.clear();
    EXPECT_FALSE(GetRevision("1.1", true));
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "Version 1.1 locked by alice");
    EXPECT_FALSE(PutText("v2 by bob\n"));
    EXPECT_EQ(reports.errors.back(), "Version 1.1 locked by alice");
    ChangeRequest unlock;
    unlock.work_file = "f.c";
    unlock.unlock = true;
    unlock.unlock_revision = "1.1";
    EXPECT_EQ(ChangeArchive(session, unlock), 1);
    EXPECT_EQ(reports.errors.back(), "1.1 still locked by alice");

    session.user = "alice";
    EXPECT_TRUE(PutText("v2 by alice\n"));  // her lock goes with the check-in
    a = CmsArchive{};
    a.path = Archive("f.c");
    ASSERT_TRUE(ReadArchiveFile(a).usable);
    EXPECT_TRUE(a.locks.empty());
    EXPECT_EQ(a.head->number, "1.2");
}

TEST_F(RevisionOps, OneLockPerUser) {
    ASSERT_TRUE(PutText("v1\n"));
    ASSERT_TRUE(PutText("v2\n"));
    ASSERT_TRUE(GetRevision("1.1", true));
    EXPECT_FALSE(GetRevision("1.2", true));
    EXPECT_EQ(reports.errors.back(), "you already locked revision 1.1; You can't lock several revisions.");
}

TEST_F(RevisionOps, NamesTheArchiveCouldNotReadBackAreRefused) {
    session.user = "j.doe";
    EXPECT_FALSE(PutText("x\n"));
    EXPECT_EQ(reports.errors.back(), "Invalid character . in identifier j.doe");
    session.user = "alice";
    PutRequest put;
    put.state = "in work";
    EXPECT_FALSE(PutText("x\n", put));
    EXPECT_EQ(reports.errors.back(), "Invalid character   in identifier in work");
    put = {};
    put.symbol = "9lives";
    EXPECT_FALSE(PutText("x\n", put));
    EXPECT_EQ(reports.errors.back(), "Identifier 9lives does not start with letter");
    EXPECT_FALSE(FileExists(Archive("f.c")));
    ASSERT_TRUE(PutText("x\n"));
    std::string before = ReadBytes(Archive("f.c"));
    session.user = "j doe";
    EXPECT_FALSE(GetRevision("1.1", true));
    EXPECT_EQ(reports.errors.back(), "Invalid character   in identifier j doe");
    EXPECT_EQ(ReadBytes(Archive("f.c")), before);
}

TEST_F(RevisionOps, SemaphoreInUseNamesItsHolder) {
    ASSERT_TRUE(PutText("v1\n"));
    std::string before = ReadBytes(Archive("f.c"));
    WriteBytes(Archive("_f.c_"), "bob|" + Archive("f.c") + "|2026.12.10.8.0.0\r\n");
    EXPECT_FALSE(PutText("v2\n"));
    EXPECT_EQ(reports.errors.back(), "CMS file " + Archive("f.c") + " is in use by bob since 2026.12.10.8.0.0");
    EXPECT_EQ(ReadBytes(Archive("f.c")), before);
    EXPECT_TRUE(FileExists(Archive("_f.c_")));  // someone else's semaphore stays
    EXPECT_FALSE(GetRevision("1.1"));           // a plain get is stopped too
}

TEST_F(RevisionOps, SecondWriterNeverWorksFromTheOldArchive) {
    // A second put runs at the first moment the first put asks for the time: the first one
    // must then still see the second's revision, so that no check-in is lost.
    ASSERT_TRUE(PutText("v1\n"));
    bool nested = false;
    auto clock = session.now;
    session.now = [&] {
        if (!nested) {
            nested = true;
            PutRequest other;
            other.work_file = "f.c";
            other.keep = true;
            CmsSession second = session;
            second.user = "bob";
            second.now = clock;
            WriteWork("f.c", "v2 by bob\n");
            Put(second, other);
            WriteWork("f.c", "v3\n");
        }
        return clock();
    };
    WriteWork("f.c", "v3\n");
    PutRequest put;
    put.work_file = "f.c";
    put.keep = true;
    Put(session, put);
    session.now = clock;
    CmsArchive a;
    a.path = Archive("f.c");
    ASSERT_TRUE(ReadArchiveFile(a).usable);
    std::string numbers;
    for (Revision* r = a.head; r; r = r->next) numbers += r->number + " ";
    EXPECT_EQ(numbers, "1.3 1.2 1.1 ");
    ASSERT_TRUE(GetRevision("1.2"));
    EXPECT_EQ(ReadWork("out.c"), "v2 by bob\n");
}

TEST_F(RevisionOps, LogLockWaitsBetweenTries) {
    std::string lock = session.cms_dir + "/_LOGFILE.LO_";
    WriteBytes(lock, "bob\n");
    session.lock_wait_ms = 5;
    std::thread holder([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        std::filesystem::remove(lock);
    });
    EXPECT_TRUE(AppendLogLine(session, "line after the wait"));
    holder.join();
    EXPECT_EQ(Log(), "line after the wait\r\n");
}

TEST_F(RevisionOps, LogLockRetriesThenDropsTheLine) {
    WriteBytes(session.cms_dir + "/_LOGFILE.LO_", "bob\n");
    EXPECT_TRUE(PutText("v1\n"));  // the operation still succeeds
    EXPECT_FALSE(reports.errors.empty());
    EXPECT_EQ(reports.errors.back(), "Log file locked. No log");
    EXPECT_TRUE(Log().empty());
    std::filesystem::remove(session.cms_dir + "/_LOGFILE.LO_");
    EXPECT_TRUE(PutText("v2\n"));
    EXPECT_NE(Log().find("put        1.2r"), std::string::npos);
}

TEST_F(RevisionOps, BlankLogMessageIsSavedBy) {
    ASSERT_TRUE(PutText("v1\n"));
    PutRequest put;
    put.log = "   ";
    ASSERT_TRUE(PutText("v2\n", put));
    std::string archive = ReadBytes(Archive("f.c"));
    EXPECT_NE(archive.find("Log\r\n@Saved by alice  2026.12.10."), std::string::npos);
}

TEST_F(RevisionOps, CmsDirectoryMustNotBeTheWorkingDirectory) {
    session.cms_dir = (root / "WORK" / ".").string();
    session.work_dir = (root / "work").string();
    if (!FileExists(session.cms_dir)) session.cms_dir = (root / "work" / ".").string();
    EXPECT_FALSE(PutText("x\n"));
    EXPECT_EQ(reports.errors.back(), "Cms directory should be different from current directory");
    EXPECT_EQ(ReadWork("f.c"), "x\n");
}

TEST_F(RevisionOps, RevisionTableLimitRefusesInsteadOfWriting) {
    // An archive that already holds the most revisions a reader can take.
    CmsArchive a;
    for (int i = kMaxRevisions; i >= 1; --i) {
        Revision* r = AddRevision(a, "1." + std::to_string(i));
        r->defined = true;
        r->date = "2026.1.1.0.0." + std::to_string(i);
        r->author = "alice";
        r->state = "Exp";
        if (i < kMaxRevisions) FindRevision(a, "1." + std::to_string(i + 1))->next = r;
        a.texts.push_back({r->number, "", i == kMaxRevisions ? "top\n" : ""});
    }
    a.head = FindRevision(a, "1." + std::to_string(kMaxRevisions));
    WriteBytes(Archive("f.c"), ToDiskText(FormatArchive(a)));
    std::string before = ReadBytes(Archive("f.c"));
    EXPECT_FALSE(PutText("one too many\n"));
    EXPECT_EQ(reports.errors.back(), "Revision 1.240 refused: an archive holds at most 239 revisions");
    EXPECT_EQ(ReadBytes(Archive("f.c")), before);
    ASSERT_TRUE(GetRevision("1.1"));
    EXPECT_EQ(ReadWork("out.c"), "top\n");
}

TEST_F(RevisionOps, BadWorkingFileNames) {
    PutRequest put;
    put.work_file = "a$b.c";
    EXPECT_FALSE(Put(session, put));
    EXPECT_EQ(reports.errors.back(), "CMS file name may not contain $");
    put.work_file = "dir/x.c";
    EXPECT_FALSE(Put(session, put));
    EXPECT_EQ(reports.errors.back(), "Incorrect CMS file name");
}

TEST_F(RevisionOps, ChangeArchiveSymbolsAccessAndDefaultBranch) {
    ASSERT_TRUE(PutText("v1\n"));
    ChangeRequest rq;
    rq.work_file = "f.c";
    rq.bind = true;
    rq.symbol = "rel1";
    rq.symbol_revision = "1.1";
    rq.set_access = true;
    rq.access = {"alice", "bob", "alice"};
    EXPECT_EQ(ChangeArchive(session, rq), 0);
    std::string archive = ReadBytes(Archive("f.c"));
    EXPECT_NE(archive.find("Access   alice bob;\r\nRevNames  rel1:1.1;"), std::string::npos) << archive;
    EXPECT_TRUE(GetRevision("rel1"));
    session.user = "carol";
    EXPECT_FALSE(GetRevision("1.1"));
    EXPECT_EQ(reports.errors.back(), "User carol not on the access list");
}

}  // namespace

namespace {

TEST_F(RevisionOps, BinaryFilesRoundTripUuencoded) {
    std::string bytes;
    for (int i = 0; i < 300; ++i) bytes.push_back(char(i * 7));
    bytes += "\r\n\n\r@@";
    WriteBytes(Work("pic.bmp"), bytes);
    PutRequest put;
    put.work_file = "pic.bmp";
    put.keep = true;
    ASSERT_TRUE(Put(session, put));
    bytes[10] = 'x';
    WriteBytes(Work("pic.bmp"), bytes);
    ASSERT_TRUE(Put(session, put));
    std::string archive = ReadBytes(Archive("pic.bmp"));
    EXPECT_NE(archive.find("Binary 1;"), std::string::npos);
    EXPECT_NE(archive.find("\r\nbegin 0666 pic.bmp\r\nM"), std::string::npos);
    GetRequest get;
    get.work_file = "pic.bmp";
    get.revision = "1.2";
    get.overwrite = true;
    WriteBytes(Work("pic.bmp"), "");
    ASSERT_TRUE(Get(session, get));
    EXPECT_EQ(ReadBytes(Work("pic.bmp")), bytes);
    get.revision = "1.1";
    ASSERT_TRUE(Get(session, get));
    EXPECT_EQ(ReadBytes(Work("pic.bmp"))[10], char(70));
}

}  // namespace

namespace {

TEST_F(RevisionOps, DeletingRevisionsKeepsTheOthersWhole) {
    const char* trunk[] = {"a\n", "a\nb\n", "a\nb\nc\n", "x\na\nb\nc\n"};
    for (const char* t : trunk) ASSERT_TRUE(PutText(t));
    PutRequest branch;
    branch.revision = "1.2.1";
    ASSERT_TRUE(PutText("a\nB1\n", branch));
    ASSERT_TRUE(PutText("a\nB2\n", branch));
    ChangeRequest rq;
    rq.work_file = "f.c";
    auto remove = [&](std::vector<std::string> list) {
        rq.remove = list;
        return ChangeArchive(session, rq);
    };
    EXPECT_EQ(remove({"1.3", "1.2.1.1"}), 0);
    struct { const char* number; const char* text; } want[] = {
        {"1.1", "a\n"}, {"1.2", "a\nb\n"}, {"1.4", "x\na\nb\nc\n"}, {"1.2.1.2", "a\nB2\n"}};
    for (auto& w : want) {
        ASSERT_TRUE(GetRevision(w.number)) << w.number;
        EXPECT_EQ(ReadWork("out.c"), w.text) << w.number;
    }
    std::string archive = ReadBytes(Archive("f.c"));
    EXPECT_EQ(archive.find("1.3"), std::string::npos);
    EXPECT_EQ(archive.find("1.2.1.1"), std::string::npos);

    std::string before = ReadBytes(Archive("f.c"));
    EXPECT_EQ(remove({"1.2"}), 1);
    EXPECT_EQ(reports.errors.back(), "Can't remove branch point 1.2");
    EXPECT_EQ(ReadBytes(Archive("f.c")), before);
    ASSERT_TRUE(GetRevision("1.1", true));
    EXPECT_EQ(remove({"1.1"}), 1);
    EXPECT_EQ(reports.errors.back(), "Revision 1.1 is locked. Removal impossible, unlock it first");
    EXPECT_EQ(remove({"1.9"}), 1);
    EXPECT_EQ(reports.errors.back(), "Revision 1.9 does not exist");

    EXPECT_EQ(remove({"1.2.1", "1.4"}), 0);  // the whole branch, then the head
    ASSERT_TRUE(GetRevision("1.2"));
    EXPECT_EQ(ReadWork("out.c"), "a\nb\n");
    CmsArchive a;
    a.path = Archive("f.c");
    ASSERT_TRUE(ReadArchiveFile(a).usable);
    EXPECT_EQ(a.head->number, "1.2");
    EXPECT_TRUE(a.head->branches.empty());
    EXPECT_EQ(DefinedRevisionCount(a), 2);
}

}  // namespace
