#include <string>

#include "tests/config/memory_store_fixture.h"

namespace {

using StoreTest = MemoryStoreTest;

TEST_F(StoreTest, WritesReadBackAfterReopen) {
    ASSERT_TRUE(OpenStore("Morla", true));
    EXPECT_TRUE(WriteString("FontName", "Courier New"));
    EXPECT_TRUE(WriteInt("Tabsize", 8));
    EXPECT_TRUE(WriteString("Empty", nullptr));
    CloseStore();

    ASSERT_TRUE(OpenStore("Morla", true));
    std::string text = "junk";
    EXPECT_TRUE(ReadString("FontName", text));
    EXPECT_EQ(text, "Courier New");
    EXPECT_EQ(ReadInt("Tabsize", 4), 8);
    EXPECT_TRUE(ReadString("Empty", text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(ReadString("Missing", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(reports.Quiet());
}

// A fixed read buffer would lose values beyond its size.
TEST_F(StoreTest, LongValuesReadBackWhole) {
    std::string long_text;
    for (int i = 0; i < 3000; ++i) long_text += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(OpenStore("Morla", true));
    ASSERT_TRUE(WriteString("Long", long_text.c_str()));
    CloseStore();
    ASSERT_TRUE(OpenStore("Morla", true));
    std::string text;
    EXPECT_TRUE(ReadString("Long", text));
    EXPECT_EQ(text, long_text);
}

TEST_F(StoreTest, BadIntegersKeepTheDefault) {
    ASSERT_TRUE(OpenStore("Morla", true));
    struct Case {
        const char* text;
        int expected;
    } cases[] = {{"12", 12},         {"-13", -13}, {"", 7},  {"abc", 7}, {"99999999999999", 7},
                 {"16777215", 16777215}, {" 5", 5},    {"5x", 5}};
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteString("Value", c.text));
        EXPECT_EQ(ReadInt("Value", 7), c.expected) << '"' << c.text << '"';
    }
    PutMemoryNonText("Software\\rmc\\Morla", "Binary");
    std::string text;
    EXPECT_FALSE(ReadString("Binary", text));
    EXPECT_EQ(ReadInt("Binary", 47), 47);
    EXPECT_EQ(ReadInt("Missing", -13), -13);
}

TEST_F(StoreTest, WriteFailureIsReported) {
    ASSERT_TRUE(OpenStore("Morla", true));
    SetMemoryStoreFailure(5);
    EXPECT_FALSE(WriteInt("Tabsize", 8));
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "Error 5 writing to the registry");
    CloseStore();
    EXPECT_FALSE(OpenStore("NewProject", false));
    EXPECT_EQ(reports.errors.size(), 2u);
}

TEST_F(StoreTest, ProjectSectionsAreListedAndDeleted) {
    ASSERT_TRUE(OpenStore("Alpha", false));
    ASSERT_TRUE(WriteString("Name", "Alpha"));
    CloseStore();
    ASSERT_TRUE(OpenStore("Beta", false));
    CloseStore();
    ASSERT_TRUE(OpenStore("Morla", true));
    EXPECT_TRUE(WriteString("Tabsize", "4"));
    EXPECT_EQ(ProjectSectionNames(), (std::vector<std::string>{"Alpha", "Beta"}));
    CloseStore();

    EXPECT_TRUE(DeleteSection("Alpha"));
    EXPECT_FALSE(MemoryStoreHasKey("Software\\rmc\\Morla\\Alpha"));
    EXPECT_TRUE(MemoryStoreHasKey("Software\\rmc\\Morla\\Beta"));
    EXPECT_TRUE(DeleteSection("Morla"));
    std::string text;
    EXPECT_TRUE(MemoryStoreValue("Software\\rmc\\Morla", "Tabsize", text));
    EXPECT_FALSE(StoreIsOpen());
}

TEST_F(StoreTest, NamesByIdFillTheirNumbers) {
    EXPECT_EQ(ValueNameById(263, 3), "Util3Nickname");
    EXPECT_EQ(ValueNameById(276, 2, 11), "Language2Keywords11");
    EXPECT_EQ(ValueNameById(283), "Name");
    ASSERT_TRUE(OpenStore("Morla", true));
    ASSERT_TRUE(WriteStringById(4523, "hello.exe"));
    std::string text;
    EXPECT_TRUE(MemoryStoreValue("Software\\rmc\\Morla", "DebuggerExeName", text));
    EXPECT_EQ(text, "hello.exe");
    EXPECT_TRUE(ReadStringById(4523, text));
    EXPECT_EQ(text, "hello.exe");
}

}  // namespace
