#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shell/format_buffer.h"

// The Windows C runtime's vsnprintf differs from glibc's on truncation; ours must not.
TEST(FormatBufferW32, TruncatesWithTerminator) {
    std::string huge(40000, 'x');
    char* out = FormatText("%s", huge.c_str());
    EXPECT_EQ(strlen(out), kFormatBufferSize - 1);
    char small[6];
    FormatInto(small, sizeof small, "%s", "abcdefgh");
    EXPECT_STREQ(small, "abcde");
}
