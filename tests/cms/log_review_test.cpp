#include <gtest/gtest.h>

#include "cms/log_review.h"
#include "cms/revision_ops.h"
#include "tests/cms/cms_fixture.h"

namespace {

const char* const kLog =
    "put        1.1r   1b   0f   1t 2026.3.4.9.5.7c 2026.3.4.9.5.7o alice F.C\n"
    "lock 1.1 2026.3.4.9.6.0 alice F.C\n"
    "error Version 1.1 locked by bob alice\n"
    "get    1.2.1.1r   1b   1f   3t 2026.3.4.10.0.0c 2026.4.1.23.59.30o bob G.C\n"
    "unlock     1.1r   1b   0f   1t 2026.3.4.9.5.7c 2026.12.31.0.0.0o alice F.C\n"
    "put 1.2r 1b 0f 2t 2026.3.4.9.5.7c\n";  // cut short: no revision-operation line

TEST(LogReviewTest, OnlyRevisionOperationLinesAreTakenAndFormatted) {
    LogReview all = ReviewLog(kLog, {});
    ASSERT_EQ(all.total, 3);
    ASSERT_EQ(all.lines.size(), 3u);
    EXPECT_EQ(all.lines[0], "put     1.1          alice   4     March126, 9: 5: 7  F.C");
    EXPECT_EQ(all.lines[1], "get     1.2.1.1        bob   1     April126,23:59:30  G.C");
    EXPECT_EQ(all.lines[2], "unlock  1.1          alice  31  December126, 0: 0: 0  F.C");
    EXPECT_EQ(LogReviewCounter(all), "3 operations selected, 3 operations in log file");
}

TEST(LogReviewTest, FiltersCombine) {
    struct Case {
        LogFilter filter;
        size_t selected;
    } cases[] = {
        {{"put", "*", "*", 0}, 1},    {{"*", "alice", "*", 0}, 2}, {{"*", "*", "G.C", 0}, 1},
        {{"*", "*", "*", 4}, 1},      {{"*", "*", "*", 3}, 1},     {{"unlock", "alice", "F.C", 12}, 1},
        {{"get", "alice", "*", 0}, 0}, {{"lock", "*", "*", 0}, 0},  // a lock request is no revision operation
    };
    for (const Case& c : cases) {
        LogReview r = ReviewLog(kLog, c.filter);
        EXPECT_EQ(r.lines.size(), c.selected) << c.filter.operation << " " << c.filter.user << " " << c.filter.month;
        EXPECT_EQ(r.total, 3);
    }
}

// The lines the operations write are the lines the review reads.
class LogReviewOfOperations : public CmsFixture {};

TEST_F(LogReviewOfOperations, ReadsWhatPutAndGetWrote) {
    WriteWork("f.c", "a\n");
    PutRequest put;
    put.work_file = "f.c";
    put.keep = true;
    ASSERT_TRUE(Put(session, put));
    GetRequest get;
    get.work_file = "f.c";
    get.output = "out.c";
    ASSERT_TRUE(Get(session, get));
    std::string log;
    ASSERT_TRUE(ReadTextFile(LogFilePath(session), log));
    LogReview r = ReviewLog(log, {});
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0].substr(0, 16), "put     1.1     ");
    EXPECT_EQ(r.lines[1].substr(0, 16), "get     1.1     ");
    EXPECT_NE(r.lines[1].find("December126, 9: 0:"), std::string::npos) << r.lines[1];
    EXPECT_EQ(r.lines[1].substr(r.lines[1].size() - 3), "f.c");
}

}  // namespace
