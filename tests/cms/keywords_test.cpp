#include <gtest/gtest.h>

#include "cms/keywords.h"

namespace {

TEST(KeywordValues, Cases) {
    struct Case {
        const char* text;
        bool ok;
        const char* message;
        const char* author;
        const char* revision;
        const char* date;
        const char* state;
    } cases[] = {
        {"/* $Author: joe $ $Revision: 1.4 $ */", true, "", "joe", "1.4", "", ""},
        {"$Date: 2026.12.10.9.5.7 $", true, "", "", "", "2026.12.10.9.5.7", ""},
        {"$Date: 2026/12/10 09:05:07 $", true, "", "", "", "2026.12.10.9.5.7", ""},
        {"$Id: f.c 1.3 2026/01/02 03:04:05 ann Rel $", true, "", "ann", "1.3", "2026.1.2.3.4.5", "Rel"},
        {"$State: Exp $ $CmsFile: f.c $", true, "", "", "", "", "Exp"},
        {"$Revision: 1.x $", false, "Bad revision number", "", "", "", ""},
        {"$Date: yesterday $", false, "Bad date: yesterday", "", "", "", ""},
        {"$Author: 9joe $", false, "Identifier 9joe does not start with letter", "", "", "", ""},
        {"$Author: jo,e $", false, "Invalid character , in identifier jo,e", "", "", "", ""},
        {"$Revision: $", false, "Missing keyword value", "", "", "", ""},
        {"$Revision: 1.2", false, "Closing $ missing on keyword", "", "", "", ""},
        {"$Author: abcdefghijabcdefghijabcdefghijabc $", false, "keyword value too long", "", "", "", ""},
        {"price $5 $Unknown: x $ plain text", true, "", "", "", "", ""},
    };
    for (const Case& c : cases) {
        KeywordValues v;
        std::string message;
        EXPECT_EQ(ScanKeywordValues(c.text, v, message), c.ok) << c.text;
        EXPECT_EQ(message, c.message) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(v.author, c.author) << c.text;
        EXPECT_EQ(v.revision, c.revision) << c.text;
        EXPECT_EQ(v.date, c.date) << c.text;
        EXPECT_EQ(v.state, c.state) << c.text;
    }
}

}  // namespace

namespace {

TEST(KeywordValues, IdentificationLineReadsBack) {
    std::string line = CmsIdentificationLine("f.c", "2026.12.10.9.30.21", "");
    EXPECT_EQ(line, "static char *_CMSID = \"$CmsFile: f.c $ $Date: 2026.12.10.9.30.21 $\";");
    EXPECT_EQ(CmsIdentificationLine("f.c", "2026.1.2.3.4.5", "tag"),
              "static char *_CMSID = \"$CmsFile: f.c $ $Date: 2026.1.2.3.4.5 $ $ID: tag$\";");
    KeywordValues v;
    std::string message;
    ASSERT_TRUE(ScanKeywordValues(line, v, message)) << message;
    EXPECT_EQ(v.file_name, "f.c");
    EXPECT_EQ(v.date, "2026.12.10.9.30.21");
}

}  // namespace
