// The generated fixtures really run: the program, calling into both fixture DLLs, exits
// with its known code; and the reader, built for Win32, reads it as natively.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "debugger/dbginfo.h"
#include "tests/debugger/fixture_gen/fixture_programs.h"

namespace {

// Writes every fixture into a fresh directory under the temporary directory.
std::string WriteFixtures() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string dir = std::string(temp) + "morla_fixtures_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    for (FixtureImage& image : AllFixtures()) {
        std::vector<uint8_t> bytes = WritePeImage(&image);
        FILE* f = fopen((dir + "\\" + image.file_name).c_str(), "wb");
        EXPECT_NE(f, nullptr);
        if (!f) continue;
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    return dir;
}

DWORD RunToExit(const std::string& dir, const char* program) {
    std::string command = "\"" + dir + "\\" + program + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
        return 0xFFFFFFFF;
    DWORD code = 0xFFFFFFFE;
    if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    else TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

TEST(DebugFixturesW32, ProgramsRunToTheirExitCode) {
    std::string dir = WriteFixtures();
    for (const char* program : {"fixture.exe", "fortran.exe", "dbgsect.exe", "nosyms.exe"})
        EXPECT_EQ(RunToExit(dir, program), DWORD(kFixtureExitCode)) << program;
    for (const FixtureImage& image : AllFixtures()) DeleteFileA((dir + "\\" + image.file_name).c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST(DebugFixturesW32, ReaderReadsTheProgram) {
    FixtureImage fixture = FixtureProgram();
    std::vector<uint8_t> bytes = WritePeImage(&fixture);
    DebugImage image;
    ASSERT_TRUE(LoadExecutable(&image, bytes.data(), uint32_t(bytes.size()), fixture.base, "fixture.exe", false));
    EXPECT_EQ(image.highest_module, 2);
    EXPECT_EQ(FindEntryFunction(&image), 1);
    EXPECT_EQ(LineOfAddress(image, 0x40100C), 14);
    ReleaseDebugInfo(&image);
}

}  // namespace
