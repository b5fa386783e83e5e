#include <gtest/gtest.h>

#include "cms/archive_information.h"
#include "cms/revision_ops.h"
#include "tests/cms/cms_fixture.h"

namespace {

class ArchiveInfo : public CmsFixture {
protected:
    void PutText(const std::string& text, const std::string& symbol = "") {
        WriteWork("f.c", text);
        PutRequest put;
        put.work_file = "f.c";
        put.keep = true;
        put.symbol = symbol;
        ASSERT_TRUE(Put(session, put));
    }
};

TEST_F(ArchiveInfo, ShowsWhatTheArchiveHolds) {
    PutText("one\n");
    PutText("two\n", "REL1");
    ChangeRequest change;
    change.work_file = "f.c";
    change.lock = true;
    change.lock_revision = "1.1";
    change.set_access = true;
    change.access = {"alice", "bob"};
    change.set_default_branch = true;
    change.default_branch = "1.1.1";
    change.set_description = true;
    change.description = "the f module\n";
    ASSERT_EQ(ChangeArchive(session, change), 0);
    std::string before = ReadBytes(Archive("f.c"));

    ArchiveInformation info;
    ASSERT_TRUE(ReadArchiveInformation(session, "f.c", info));
    EXPECT_EQ(info.archive_path, Archive("f.c"));
    EXPECT_EQ(info.head, "1.2");
    EXPECT_EQ(info.default_branch, "1.1.1");
    EXPECT_EQ(info.locks, std::vector<std::string>{"alice 1.1"});
    EXPECT_EQ(info.access, (std::vector<std::string>{"alice", "bob"}));
    EXPECT_EQ(info.symbols, std::vector<std::string>{"  REL1: 1.2;"});
    EXPECT_EQ(info.revision_count, 2);
    EXPECT_EQ(info.description, "the f module\n");
    // Looking changes nothing and leaves no semaphore behind.
    EXPECT_EQ(ReadBytes(Archive("f.c")), before);
    EXPECT_FALSE(FileExists(Archive("_f.c_")));
    EXPECT_TRUE(reports.errors.empty());
}

TEST_F(ArchiveInfo, RefusedWhileAnotherOperationHoldsTheArchiveOrWhenThereIsNone) {
    ArchiveInformation info;
    EXPECT_FALSE(ReadArchiveInformation(session, "f.c", info));
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "File " + Archive("f.c") + " not found!");

    PutText("one\n");
    WriteBytes(Archive("_f.c_"), "bob|" + Archive("f.c") + "|2026.12.10.8.0.0\r\n");
    EXPECT_FALSE(ReadArchiveInformation(session, "f.c", info));
    ASSERT_EQ(reports.errors.size(), 2u);
    EXPECT_EQ(reports.errors[1], "CMS file " + Archive("f.c") + " is in use by bob since 2026.12.10.8.0.0");
    EXPECT_TRUE(FileExists(Archive("_f.c_")));  // another's semaphore is left alone
}

}  // namespace
