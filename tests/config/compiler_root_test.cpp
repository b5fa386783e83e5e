#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "tests/config/memory_store_fixture.h"

namespace {

// A fake file system of Windows paths and a user who answers from a queue.
std::set<std::string> g_files, g_directories;
std::vector<std::string> g_answers;
int g_asked = 0;

bool FakeFile(const char* path) { return g_files.count(path) > 0; }
bool FakeDirectory(const char* path) { return g_directories.count(path) > 0; }
bool FakeAsk(const char* prompt, std::string& answer) {
    ++g_asked;
    EXPECT_STREQ(prompt, "Enter path for the compiler root directory");
    if (g_answers.empty()) return false;
    answer = g_answers.front();
    g_answers.erase(g_answers.begin());
    return true;
}

class FirstRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetStoreBackend(nullptr);
        ClearMemoryStore();
        g_files = {"C:\\rmc\\include\\windows.h", "D:\\suite\\include\\windows.h"};
        g_directories.clear();
        g_answers.clear();
        g_asked = 0;
        g_store_platform = StorePlatform{"", "C:\\work", FakeFile, FakeDirectory, FakeAsk};
    }
    void TearDown() override {
        CloseStore();
        ClearMemoryStore();
        g_store_platform = StorePlatform{};
    }
    static std::string Value(const char* key, const char* name) {
        std::string text;
        MemoryStoreValue(key, name, text);
        return text;
    }
    RecordedReports reports;
};

TEST(RootFromProgramPath, CutsTheProgramAndBin) {
    struct Case {
        const char* program;
        const char* current;
        const char* root;
    } cases[] = {
        {"C:\\rmc\\bin\\morla.exe", "C:\\work", "C:\\rmc"},
        {"\"C:\\Program Files\\rmc\\BIN\\morla.exe\"", "C:\\work", "C:\\Program Files\\rmc"},
        {"C:\\tools\\morla.exe", "C:\\work", "C:\\tools"},
        {"C:\\tools\\binaries\\morla.exe", "C:\\work", "C:\\tools\\binaries"},
        {"\\rmc\\bin\\morla.exe", "E:\\work", "E:\\rmc"},
        {"morla.exe", "D:\\suite\\bin", "D:\\suite"},
        {"\\\\server\\rmc\\bin\\morla.exe", "C:\\work", "\\\\server\\rmc"},
    };
    for (const Case& c : cases) EXPECT_EQ(RootFromProgramPath(c.program, c.current), c.root) << c.program;
}

TEST_F(FirstRunTest, ProgramInBinFindsTheRootWithoutAsking) {
    g_store_platform.program_path = "C:\\rmc\\bin\\morla.exe";
    ASSERT_TRUE(OpenStore("Morla", true));
    CloseStore();
    EXPECT_EQ(g_asked, 0);
    EXPECT_EQ(Value("Software\\rmc\\Compiler", "includepath"), "C:\\rmc\\include");
    EXPECT_EQ(Value("Software\\rmc\\rmclnk", "libpath"), "C:\\rmc\\lib");
    EXPECT_TRUE(MemoryStoreHasKey("Software\\rmc\\Morla"));
    EXPECT_TRUE(reports.Quiet());

    // The installation is known from now on.
    ASSERT_TRUE(OpenStore("Morla", true));
    EXPECT_EQ(g_asked, 0);
}

TEST_F(FirstRunTest, ProgramElsewhereAsksAndRejectsADirectoryWithoutWindowsH) {
    g_store_platform.program_path = "C:\\tools\\morla.exe";
    g_answers = {"E:\\empty"};
    EXPECT_FALSE(OpenStore("Morla", true));
    EXPECT_EQ(g_asked, 1);
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "File E:\\empty\\include\\windows.h not found!");
    EXPECT_FALSE(MemoryStoreHasKey("Software\\rmc"));
    EXPECT_FALSE(StoreIsOpen());

    g_answers = {"D:\\suite\\"};
    ASSERT_TRUE(OpenStore("Morla", true));
    EXPECT_EQ(Value("Software\\rmc\\Compiler", "includepath"), "D:\\suite\\include");
}

TEST_F(FirstRunTest, NoAnswerFailsQuietly) {
    g_store_platform.program_path = "C:\\tools\\morla.exe";
    EXPECT_FALSE(OpenStore("Morla", true));
    EXPECT_EQ(g_asked, 1);
    EXPECT_TRUE(reports.Quiet());
    EXPECT_FALSE(MemoryStoreHasKey("Software\\rmc"));
}

TEST_F(FirstRunTest, FailedWriteLeavesNoHalfInstallation) {
    g_store_platform.program_path = "C:\\rmc\\bin\\morla.exe";
    SetMemoryStoreFailure(5);
    EXPECT_FALSE(OpenStore("Morla", true));
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "Error 5 writing to the registry");
    SetMemoryStoreFailure(0);
    EXPECT_FALSE(MemoryStoreHasKey("Software\\rmc"));
}

TEST_F(FirstRunTest, EnteredRootIsCheckedInOrder) {
    g_directories = {"C:\\nobin", "C:\\nolib", "C:\\good"};
    g_files = {"C:\\nolib\\bin\\rmc.exe", "C:\\good\\bin\\rmc.exe", "C:\\good\\lib\\kernel32.lib"};
    struct Case {
        const char* root;
        const char* message;
    } cases[] = {
        {"rmc", "Missing drive name in rmc"},
        {"C:\\absent", "Directory C:\\absent doesn't exist"},
        {"C:\\nobin", "Can't find C:\\nobin\\bin\\rmc.exe"},
        {"C:\\nolib", "Can't find C:\\nolib\\lib\\kernel32.lib"},
    };
    for (const Case& c : cases) {
        reports.errors.clear();
        EXPECT_FALSE(CheckCompilerRoot(c.root));
        ASSERT_EQ(reports.errors.size(), 1u) << c.root;
        EXPECT_EQ(reports.errors[0], c.message);
    }
    reports.errors.clear();
    EXPECT_TRUE(CheckCompilerRoot("C:\\good"));
    EXPECT_TRUE(reports.Quiet());
}

// Without hooks the real file system answers, with the separators of Windows paths.
TEST(StoreFileSystem, AcceptsBackslashPaths) {
    g_store_platform = StorePlatform{};
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "morla_config_fs_test";
    std::filesystem::create_directories(dir / "include");
    std::FILE* f = std::fopen((dir / "include" / "windows.h").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    std::string root = dir.string();
    for (char& c : root)
        if (c == '/') c = '\\';
    EXPECT_TRUE(StoreFileExists(root + "\\include\\windows.h"));
    EXPECT_FALSE(StoreFileExists(root + "\\include"));
    EXPECT_TRUE(StoreDirectoryExists(root + "\\include\\"));
    EXPECT_FALSE(StoreDirectoryExists(root + "\\lib"));
    std::filesystem::remove_all(dir);
}

}  // namespace
