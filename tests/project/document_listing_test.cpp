#include <gtest/gtest.h>

#include "project/document_listing.h"

namespace {

TEST(DocumentListing, NamesInTheWidthOfTheLongestWithModifiedMarkAndTotals) {
    std::vector<std::string> lines =
        DocumentListing({{"C:\\W\\HELLO.C", true, 12, 340}, {"C:\\W\\A.H", false, 3, 40}});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "        Name  Lines Size");
    EXPECT_EQ(lines[1], "c:\\w\\hello.c*    12 340");
    EXPECT_EQ(lines[2], "c:\\w\\a.h          3 40");
    EXPECT_EQ(lines[3], "2 files, 15 lines, 380 bytes");
    EXPECT_EQ(DocumentListing({}), (std::vector<std::string>{"Name  Lines Size", "0 files, 0 lines, 0 bytes"}));
}

}  // namespace
