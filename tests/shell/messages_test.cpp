#include <gtest/gtest.h>

#include <string>

#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"
#include "tests/support/recorded_reports.h"

TEST(MessageTable, KnownIdsAndDescriptions) {
    EXPECT_STREQ(MessageText(406), "Error");
    EXPECT_STREQ(MessageText(3981), "Information");
    EXPECT_STREQ(MessageText(1101 + kDescriptionOffset), "Create a new file");
    EXPECT_STREQ(MessageText(1129 + kDescriptionOffset), "Close the current file");
    EXPECT_STREQ(MessageText(21000), "Show the on-line documentation");
}

TEST(MessageTable, MissingIdIsEmptyText) {
    EXPECT_STREQ(MessageText(0), "");
    EXPECT_STREQ(MessageText(65535), "");
    EXPECT_STREQ(MessageText(1106 + kDescriptionOffset), "");  // exit has no description
}

TEST(FormatBuffer, TruncatesInsteadOfOverrunning) {
    std::string huge(100000, 'x');
    char* out = FormatText("%s%s", huge.c_str(), huge.c_str());
    EXPECT_EQ(strlen(out), kFormatBufferSize - 1);
    char small[8];
    FormatInto(small, sizeof small, "%d-%s", 12345, "abcdef");
    EXPECT_STREQ(small, "12345-a");
}

TEST(Report, ErrorIsCutAt254AndFormattedMessagesUseTheTable) {
    RecordedReports r;
    ShowError(std::string(1000, 'e').c_str());
    FileNotFound("a.c");
    BadFileName("*.zz");
    InternalError(7);
    ASSERT_EQ(r.errors.size(), 4u);
    EXPECT_EQ(r.errors[0].size(), 254u);
    EXPECT_EQ(r.errors[1], "File a.c not found!");
    EXPECT_EQ(r.errors[2], "[*.zz]: incorrect file name");
    EXPECT_EQ(r.errors[3], "InternalError 7");
}

TEST(Report, QuestionsTakeQueuedAnswers) {
    RecordedReports r;
    r.answers = {AskAnswer::Yes};
    EXPECT_TRUE(Ask("Go?"));
    EXPECT_FALSE(Ask("Again?"));
    EXPECT_EQ(AskYesNoCancel("Save?"), AskAnswer::Cancel);
    EXPECT_EQ(r.questions.size(), 3u);
}
