// Saving under Windows: the temporary file must replace an existing target, and the
// backup must take the old file's place, where renaming over a file is not the default.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/text_document.h"
#include "tests/editor/temp_dir.h"
#include "tests/support/recorded_reports.h"

TEST(SaveW32, ReplacesTheFileAndKeepsTheBackup) {
    RecordedReports reports;
    TempDir dir;
    std::string path = dir.Write("prog.c", "old\n");
    dir.Write("prog.~c", "older\r\n");
    g_editor_flags = kEditorKeepBackup;
    TextDocument* doc = FindDocument(path.c_str(), true);
    LoadDocument(doc, path.c_str());
    ReplaceLineText(doc, FirstLine(doc), "new", 3);
    MarkModified(doc);
    EXPECT_TRUE(SaveDocument(doc));
    EXPECT_EQ(TempDir::Read(path), "new\r\n");
    EXPECT_EQ(TempDir::Read(dir.path + "/prog.~c"), "old\n");
    g_editor_flags = 0;
    ReplaceLineText(doc, FirstLine(doc), "newer", 5);
    MarkModified(doc);
    EXPECT_TRUE(SaveDocument(doc));
    EXPECT_EQ(TempDir::Read(path), "newer\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + "~tmp"));
    EXPECT_TRUE(reports.errors.empty());

    std::filesystem::permissions(path, std::filesystem::perms::owner_read);  // the read-only attribute
    MarkModified(doc);
    EXPECT_FALSE(SaveDocument(doc));
    EXPECT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(TempDir::Read(path), "newer\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    FreeDocument(doc);
}
