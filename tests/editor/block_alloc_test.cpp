#include "editor/block_alloc.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/recorded_reports.h"

namespace {

TEST(BlockAlloc, BlocksAreZeroFilledAndBracketed) {
    RecordedReports reports;
    for (size_t n : {1u, 20u, 100u, 1011u, 4288u, 4289u, 20000u}) {
        auto* p = static_cast<unsigned char*>(AllocateBlock(n));
        ASSERT_NE(p, nullptr);
        for (size_t i = 0; i < n; ++i) ASSERT_EQ(p[i], 0) << n;
        uint32_t magic, total, trailer;
        std::memcpy(&magic, p - 8, 4);
        std::memcpy(&total, p - 4, 4);
        std::memcpy(&trailer, p + n, 4);
        EXPECT_EQ(magic, kBlockMagic);
        EXPECT_EQ(total, n + 12);
        EXPECT_EQ(trailer, kBlockTrailer);
        std::memset(p, 0xAB, n);  // dirty it: a recycled block must come back zeroed
        ReleaseBlock(p);
        auto* q = static_cast<unsigned char*>(AllocateBlock(n));
        for (size_t i = 0; i < n; ++i) ASSERT_EQ(q[i], 0) << n;
        ReleaseBlock(q);
    }
    EXPECT_TRUE(reports.errors.empty());
}

TEST(BlockAlloc, ClassesTakeTheFirstNotSmaller) {
    EXPECT_EQ(BlockClassSize(1), 32u);
    EXPECT_EQ(BlockClassSize(32), 32u);
    EXPECT_EQ(BlockClassSize(33), 36u);
    EXPECT_EQ(BlockClassSize(1024), 1040u);
    EXPECT_EQ(BlockClassSize(4300), 4300u);
    EXPECT_EQ(BlockClassSize(4301), 0u);
}

TEST(BlockAlloc, CountersFollowAllocations) {
    BlockStatistics before = BlockAllocatorStatistics();
    void* p = AllocateBlock(21);  // total 33: class 36
    BlockStatistics during = BlockAllocatorStatistics();
    EXPECT_EQ(during.allocated - before.allocated, 33u);
    EXPECT_EQ(during.lost_to_rounding - before.lost_to_rounding, 3u);
    ReleaseBlock(p);
    EXPECT_EQ(BlockAllocatorStatistics().allocated, before.allocated);
}

TEST(BlockAlloc, NullReleaseIsAllowed) {
    RecordedReports reports;
    ReleaseBlock(nullptr);
    EXPECT_TRUE(reports.errors.empty());
}

TEST(BlockAlloc, SecondReleaseIsRefusedAndChangesNothing) {
    RecordedReports reports;
    for (size_t n : {40u, 9000u}) {
        void* p = AllocateBlock(n);
        ReleaseBlock(p);
        BlockStatistics before = BlockAllocatorStatistics();
        ReleaseBlock(p);
        ASSERT_EQ(reports.errors.size(), 1u) << n;
        EXPECT_EQ(reports.errors[0], "Wrong block passed to release");
        EXPECT_EQ(BlockAllocatorStatistics().allocated, before.allocated);
        // The free list is intact: two fresh blocks are distinct.
        void* a = AllocateBlock(n);
        void* b = AllocateBlock(n);
        EXPECT_NE(a, b);
        ReleaseBlock(a);
        ReleaseBlock(b);
        reports.errors.clear();
    }
}

TEST(BlockAlloc, ForeignPointerIsRefused) {
    RecordedReports reports;
    static char not_a_block[64];
    ReleaseBlock(not_a_block + 8);
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "Wrong block passed to release");
}

TEST(BlockAlloc, OverwrittenTrailerIsReportedAndReleased) {
    RecordedReports reports;
    for (size_t n : {10u, 5000u}) {
        auto* p = static_cast<char*>(AllocateBlock(n));
        BlockStatistics before = BlockAllocatorStatistics();
        p[n] = 'x';  // one byte past the end
        ReleaseBlock(p);
        ASSERT_EQ(reports.errors.size(), 1u);
        EXPECT_EQ(reports.errors[0], "overwritten block size " + std::to_string(n + 12) + "\n");
        EXPECT_EQ(before.allocated - BlockAllocatorStatistics().allocated, n + 12);
        reports.errors.clear();
    }
}

// Many blocks at once, as loading and freeing a document take them: each as from the
// single calls, and a bad block among them reported without stopping the rest.
TEST(BlockAlloc, BlocksInBatches) {
    RecordedReports reports;
    const size_t sizes[] = {10, 60, 10, 300, 9000};
    void* blocks[5];
    BlockStatistics before = BlockAllocatorStatistics();
    ASSERT_EQ(AllocateBlocks(sizes, blocks, 5), 5);
    for (int i = 0; i < 5; ++i) {
        uint32_t total;
        std::memcpy(&total, static_cast<char*>(blocks[i]) - 4, 4);
        EXPECT_EQ(total, sizes[i] + 12);
        for (int j = 0; j < i; ++j) EXPECT_NE(blocks[i], blocks[j]);
    }
    static_cast<char*>(blocks[1])[60] = 'x';
    void* released[] = {blocks[0], blocks[1], nullptr, blocks[0], blocks[2], blocks[3], blocks[4]};
    ReleaseBlocks(released, 7);
    ASSERT_EQ(reports.errors.size(), 2u);
    EXPECT_EQ(reports.errors[0], "overwritten block size 72\n");
    EXPECT_EQ(reports.errors[1], "Wrong block passed to release");
    EXPECT_EQ(BlockAllocatorStatistics().allocated, before.allocated);
}

TEST(BlockAlloc, Shorthands) {
    char* path = AllocatePathBuffer();
    uint32_t total;
    std::memcpy(&total, path - 4, 4);
    EXPECT_EQ(total, kPathBufferSize + 12);
    char* copy = DuplicateString("abc");
    EXPECT_STREQ(copy, "abc");
    EXPECT_EQ(DuplicateString(nullptr), nullptr);
    ReleaseBlock(path);
    ReleaseBlock(copy);
}

}  // namespace
