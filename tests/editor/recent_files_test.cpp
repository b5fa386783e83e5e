#include "editor/recent_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RecentFiles, MostRecentFirstTenAtMost) {
    for (int i = 0; i < 12; ++i) NoteClosedFile(("c:\\src\\f" + std::to_string(i) + ".c").c_str());
    NoteClosedFile("C:\\SRC\\F5.C");  // the same file under another case moves to the front
    ASSERT_EQ(RecentFileCount(), 10);
    EXPECT_STREQ(RecentFile(0), "C:\\SRC\\F5.C");
    EXPECT_STREQ(RecentFile(1), "c:\\src\\f11.c");
    EXPECT_STREQ(RecentFile(9), "c:\\src\\f2.c");
    EXPECT_STREQ(RecentFile(10), "");
}

TEST(RecentFiles, MenuText) {
    const struct {
        const char* name;
        const char* want;
    } cases[] = {
        {"C:\\Src\\Main.C", "c:\\src\\main.c"},
        {"prog.c", "c:\\work\\prog.c"},
        {"c:\\projects\\compiler\\frontend\\parser.c", "c:\\...parser.c"},
        {"c:\\a\\bcdefghijklmnopqrstuvwxyz012.c", "c:\\a\\bcdefghijklmnopqrstuvwxyz012.c"},  // 35 stays
    };
    for (const auto& c : cases) EXPECT_EQ(RecentMenuText(c.name, "C:\\Work"), c.want) << c.name;
}

}  // namespace
