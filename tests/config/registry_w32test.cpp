#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "config/compiler_root.h"
#include "config/configuration.h"
#include "config/registry_w32.h"
#include "config/store.h"
#include "tests/support/morla_process_w32.h"
#include "tests/support/recorded_reports.h"

namespace {

// The store keeps to its own subtree of the private prefix's registry.
constexpr const char* kTestTop = "Software\\MorlaStoreTest";
constexpr const char* kPhaseVariable = "MORLA_REGISTRY_PHASE";

// Writes a value of another type straight into the registry.
void PutDword(const char* section, const char* name, DWORD value) {
    std::string path = std::string(kTestTop) + "\\Software\\rmc\\Morla" + (section ? std::string("\\") + section : "");
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

bool KeyExists(const std::string& below_top) {
    HKEY key;
    std::string path = std::string(kTestTop) + "\\" + below_top;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string LongText() {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += static_cast<char>('A' + i % 26);
    return text;
}

Configuration Written() {
    Configuration c;
    c.tab_size = 3;
    c.font_name = "Lucida Console";
    c.editor_flags = 5;
    c.macros = {{"x", 2, std::string("\xe9t\xe9 ") + LongText()}};
    c.languages = {{"Pascal", ".pas", "begin", "end", "{", "'", 1, 0, false, {"a", "b", "c", "d", "e", "f", "g", "h"}, ""}};
    c.projects = {"hello"};
    c.current_project = "hello";
    c.project.name = "hello";
    c.project.sources_dir = "C:\\work";
    c.project.breakpoints = {{"C:\\work\\hello.c", 12}};
    return c;
}

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetStoreBackend(RegistryStoreBackend());
        SetRegistryTopKey(kTestTop);
        g_store_platform = StorePlatform{};
    }
    void TearDown() override {
        CloseStore();
        if (!getenv(kPhaseVariable)) SHDeleteKeyA(HKEY_CURRENT_USER, kTestTop);
        SetRegistryTopKey(nullptr);
        SetStoreBackend(nullptr);
    }
    // A fresh subtree with the compiler installed at C:\rmc.
    static void Fresh() {
        SHDeleteKeyA(HKEY_CURRENT_USER, kTestTop);
        const StoreBackend& b = *RegistryStoreBackend();
        StoreKey software = b.open_key(nullptr, "Software", true);
        ASSERT_NE(software, nullptr);
        b.close_key(software);
        ASSERT_TRUE(StoreCompilerRoot("C:\\rmc"));
    }
    RecordedReports reports;
};

// The first half of the round trip, run in a child process by the test below.
TEST_F(RegistryStoreTest, WritePhase) {
    if (!getenv(kPhaseVariable)) GTEST_SKIP() << "run by RoundTripAcrossProcesses";
    Fresh();
    Configuration c = Written();
    ASSERT_TRUE(SaveConfiguration(c));
    EXPECT_TRUE(reports.Quiet());
}

TEST_F(RegistryStoreTest, RoundTripAcrossProcesses) {
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, sizeof self), 0u);
    std::string command = std::string("\"") + self + "\" --gtest_filter=RegistryStoreTest.WritePhase";
    SetEnvironmentVariableA(kPhaseVariable, "1");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    SetEnvironmentVariableA(kPhaseVariable, nullptr);
    WaitForSingleObject(process.hProcess, 120000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(code, 0u);

    Configuration loaded;
    ASSERT_TRUE(LoadConfiguration(loaded));
    Configuration expected = Written();
    expected.include_path = "C:\\rmc\\include";
    expected.compiler_root = "C:\\rmc";
    expected.win_help_data_base = "C:\\rmc\\bin\\win32hlp";
    EXPECT_TRUE(loaded.macros == expected.macros);
    EXPECT_TRUE(loaded.project == expected.project);
    EXPECT_TRUE(loaded == expected);
    EXPECT_TRUE(reports.Quiet());
}

TEST_F(RegistryStoreTest, LongValueReadsBackWhole) {
    Fresh();
    std::string text = LongText();
    ASSERT_TRUE(OpenStore("Morla", true));
    ASSERT_TRUE(WriteString("Long", text.c_str()));
    CloseStore();
    ASSERT_TRUE(OpenStore("Morla", true));
    std::string back;
    EXPECT_TRUE(ReadString("Long", back));
    EXPECT_EQ(back, text);
}

TEST_F(RegistryStoreTest, WrongTypesAndMissingValuesKeepDefaults) {
    Fresh();
    PutDword(nullptr, "Tabsize", 9);
    PutDword(nullptr, "FontName", 1);
    PutDword(nullptr, "Macros", 3);
    Configuration c;
    ASSERT_TRUE(LoadConfiguration(c));
    EXPECT_EQ(c.tab_size, 4);
    EXPECT_EQ(c.font_name, "Courier New");
    EXPECT_EQ(c.editor_flags, 47);
    EXPECT_EQ(c.background_color, 16777215);
    EXPECT_TRUE(c.macros.empty());
    EXPECT_TRUE(reports.Quiet());
}

TEST_F(RegistryStoreTest, DeleteSectionRemovesTheProject) {
    Fresh();
    ProjectSection p;
    p.name = "doomed";
    ASSERT_TRUE(SaveProjectSection("doomed", p));
    ASSERT_TRUE(SaveProjectSection("kept", p));
    ASSERT_TRUE(OpenStore("Morla", true));
    EXPECT_EQ(ProjectSectionNames(), (std::vector<std::string>{"doomed", "kept"}));
    CloseStore();
    EXPECT_TRUE(DeleteSection("doomed"));
    EXPECT_FALSE(KeyExists("Software\\rmc\\Morla\\doomed"));
    EXPECT_TRUE(KeyExists("Software\\rmc\\Morla\\kept"));
    EXPECT_TRUE(KeyExists("Software\\rmc\\Morla"));
}

TEST_F(RegistryStoreTest, FirstRunFindsTheRootBesideTheProgram) {
    SHDeleteKeyA(HKEY_CURRENT_USER, kTestTop);
    const StoreBackend& b = *RegistryStoreBackend();
    b.close_key(b.open_key(nullptr, "Software", true));
    if (!getenv("MORLA_SUITE_ROOT")) GTEST_SKIP() << "no suite root";
    std::string root = EnvPath("MORLA_SUITE_ROOT");
    std::string header = root + "\\include\\windows.h";
    if (GetFileAttributesA(header.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no " << header;
    g_store_platform.program_path = "\"" + root + "\\bin\\morla.exe\"";
    ASSERT_TRUE(OpenStore("Morla", true));
    CloseStore();
    EXPECT_TRUE(KeyExists("Software\\rmc\\rmclnk"));
    Configuration c;
    ASSERT_TRUE(LoadConfiguration(c));
    EXPECT_EQ(c.include_path, root + "\\include");
}

}  // namespace
