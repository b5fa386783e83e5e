#include <gtest/gtest.h>

#include "cms/uuencode.h"

namespace {

TEST(Uuencode, FormatAndDecode) {
    EXPECT_EQ(UuEncode("a.o", "Cat"), "\nbegin 0666 a.o\n#0V%T\n`\nend\n");
    EXPECT_EQ(UuEncode("a.o", ""), "\nbegin 0666 a.o\n`\nend\n");
    std::string bytes, message;
    ASSERT_TRUE(UuDecode("junk\nbegin 0666 a.o\r\n#0V%T\r\n`\r\nend\r\n", bytes, message));
    EXPECT_EQ(bytes, "Cat");
    EXPECT_FALSE(UuDecode("no header\n", bytes, message));
    EXPECT_EQ(message, "Incorrect CMS file: Unexpected EOF");
    EXPECT_FALSE(UuDecode("begin 0666 a.o\n#0V%T\n", bytes, message));
    EXPECT_TRUE(IsBinaryWorkFile("X.Obj"));
    EXPECT_TRUE(IsBinaryWorkFile("x.o"));
    EXPECT_FALSE(IsBinaryWorkFile("x.c"));
    EXPECT_FALSE(IsBinaryWorkFile("obj"));
}

}  // namespace
