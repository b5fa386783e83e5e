// The generated fixtures really run: the program, calling into both fixture DLLs, exits
// with its known code; and the reader, built for Win32, reads it as natively.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "debugger/dbginfo.h"
#include "debugger/dbginfo_map_w32.h"
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

// Through the file mapping, as the engine does; releasing closes every handle, so the
// file can be deleted afterwards.
TEST(DebugFixturesW32, ReaderReadsTheMappedProgram) {
    std::string dir = WriteFixtures(), path = dir + "\\fixture.exe";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ImageView view;
    ASSERT_TRUE(MapImageFile(file, &view));
    DebugImage image;
    image.release_view = ReleaseImageView;
    ASSERT_TRUE(LoadExecutable(&image, view.view, view.size, 0x400000, "fixture.exe", false));
    image.facts.mapping = view.mapping;
    EXPECT_EQ(image.highest_module, 2);
    EXPECT_EQ(FindEntryFunction(&image), 1);
    EXPECT_EQ(LineOfAddress(image, 0x40100C), 14);
    ReleaseDebugInfo(&image);
    CloseHandle(file);
    EXPECT_TRUE(DeleteFileA(path.c_str()));
    for (const FixtureImage& fixture : AllFixtures()) DeleteFileA((dir + "\\" + fixture.file_name).c_str());
    RemoveDirectoryA(dir.c_str());
}

}  // namespace
