// The build functions in this process, with the suite's stand-ins: a project with an
// error, the message file read back, the parsed line, and builds that cannot start.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "build/build_run_w32.h"
#include "build/build_state.h"
#include "build/diagnostic.h"
#include "build/makefile.h"
#include "build/makefile_host_w32.h"
#include "config/compiler_root.h"
#include "config/memory_store.h"
#include "config/store.h"
#include "project/current_project.h"
#include "project/file_system.h"
#include "project/project_session_w32.h"
#include "shell/app_state_w32.h"
#include "shell/settings_w32.h"
#include "shell/shell_hooks_w32.h"
#include "tests/support/morla_process_w32.h"
#include "tests/support/recorded_reports.h"

namespace {

AppState g_state{};

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Pumps this thread's messages until the build state is idle again.
void WaitForBuild() {
    for (int i = 0; i < 600 && CurrentBuildState() != BuildState::Idle; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(50);
    }
    ASSERT_EQ(CurrentBuildState(), BuildState::Idle);
}

class BuildW32 : public ::testing::Test {
protected:
    void SetUp() override {
        g_app = &g_state;
        g_state.compiler_root = EnvPath("MORLA_SUITE_ROOT");
        SetStoreBackend(nullptr);
        ClearMemoryStore();
        ASSERT_TRUE(StoreCompilerRoot(g_state.compiler_root.c_str()));
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        dir_ = std::string(temp) + "morla_build_test_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(dir_.c_str(), nullptr);
        old_dir_ = FsWorkingDirectory();
        std::string path = EnvPath("MORLA_SUITE_ROOT") + "\\bin;" + std::string(getenv("PATH") ? getenv("PATH") : "");
        SetEnvironmentVariableA("PATH", path.c_str());
        Write(dir_ + "\\hello.c", "#include \"util.h\"\nint main(void) {\n#error undeclared identifier 'x'\n"
                                  "#warning unused variable\n}\n");
        Write(dir_ + "\\util.c", "#include \"util.h\"\nint util(void) { return 1; }\n");
        Write(dir_ + "\\util.h", "int util(void);\n");
        ClearCurrentProject();
        g_config.projects.clear();
        ASSERT_TRUE(CreateProject("hello", dir_, kConsoleApp));
        g_project.files = {"UTIL.H", "UTIL.C", "HELLO.C"};
    }
    void TearDown() override {
        ClearCurrentProject();
        FsChangeDirectory(old_dir_);
        std::string command = "cmd /c rmdir /s /q \"" + dir_ + "\"";
        RunAndWait(command, SW_HIDE);
        ClearMemoryStore();
    }

    std::string dir_, old_dir_;
    RecordedReports reports_;
};

TEST_F(BuildW32, ProjectWithAnErrorReportsItsLineAndReturnCode) {
    ASSERT_TRUE(GenerateMakefile(g_project, CurrentEnvironment(), Win32MakefileHost()));
    std::string makefile;
    ASSERT_TRUE(FsReadFile(PathJoin(g_project.make.make_dir, "Makefile"), makefile));
    EXPECT_NE(makefile.find("UTIL_C=\\\r\n\t"), std::string::npos) << makefile;
    EXPECT_NE(makefile.find("util.h\\\r\n"), std::string::npos) << "dependencies from the scan";

    ASSERT_TRUE(StartBuild());
    EXPECT_EQ(CurrentBuildState(), BuildState::Running);
    EXPECT_TRUE(g_app->build_running);
    EXPECT_FALSE(BeginBuildRun()) << "a second build cannot start";
    WaitForBuild();
    EXPECT_FALSE(g_app->build_running);
    EXPECT_EQ(g_project.exit_code, 2);
    const auto& lines = BuildResultLines();
    ASSERT_GE(lines.size(), 3u) << lines[0];
    EXPECT_EQ(lines.back().rfind("Compilation + link time:", 0), 0u);
    EXPECT_NE(lines.back().find(", Return code: 2"), std::string::npos) << lines.back();
    bool error_seen = false, warning_seen = false;
    for (const std::string& line : lines) {
        auto d = ParseDiagnostic(line, dir_);
        if (!d) continue;
        EXPECT_NE(d->file.find("HELLO.C"), std::string::npos) << line;
        if (d->line == 3) {
            error_seen = true;
            EXPECT_EQ(d->text, "[3]:undeclared identifier 'x'");
        }
        if (d->line == 4) {
            warning_seen = true;
            EXPECT_EQ(d->text, "warning unused variable");
        }
    }
    EXPECT_TRUE(error_seen);
    EXPECT_TRUE(warning_seen);

    // Mended, the project builds and says so; the up-to-date test then lets the run go on.
    Write(dir_ + "\\hello.c", "#include \"util.h\"\nint main(void) { return util(); }\n");
    ASSERT_TRUE(StartBuild());
    WaitForBuild();
    EXPECT_EQ(g_project.exit_code, 0);
    ASSERT_EQ(BuildResultLines().size(), 1u) << BuildResultLines().back();
    EXPECT_EQ(BuildResultLines()[0].rfind("hello.exe built sucessfully. (", 0), 0u) << BuildResultLines()[0];
    EXPECT_TRUE(FsIsFile(PathJoin(g_project.make.make_dir, "hello.exe")));
    EXPECT_TRUE(TargetIsUpToDate());
    EXPECT_TRUE(reports_.questions.empty());
    Sleep(1100);
    Write(dir_ + "\\util.c", "#include \"util.h\"\nint util(void) { return 2; }\n");
    reports_.answers.push_back(AskAnswer::No);
    EXPECT_TRUE(TargetIsUpToDate());
    ASSERT_EQ(reports_.questions.size(), 1u);
    EXPECT_EQ(reports_.questions[0], "hello.exe is not up-to-date.\nRebuild?");
}

TEST_F(BuildW32, BuildsThatCannotStartAreReportedAndLeaveTheStateIdle) {
    ASSERT_TRUE(GenerateMakefile(g_project, CurrentEnvironment(), Win32MakefileHost()));
    g_project.make.make_name = "Z:\\no\\such\\make.exe";
    ASSERT_TRUE(StartBuild());
    WaitForBuild();
    ASSERT_EQ(reports_.errors.size(), 1u);
    EXPECT_EQ(reports_.errors[0], "Impossible to execute 'Z:\\no\\such\\make.exe'");
    EXPECT_FALSE(g_app->build_running);

    reports_.errors.clear();
    g_project.make.make_dir = dir_ + "\\missing";
    EXPECT_FALSE(StartBuild());
    ASSERT_EQ(reports_.errors.size(), 1u);
    EXPECT_EQ(reports_.errors[0].rfind("The make directory " + dir_ + "\\missing\ndoes not exist.", 0), 0u);
    EXPECT_EQ(CurrentBuildState(), BuildState::Idle);
}

TEST_F(BuildW32, ProjectCommandsAreRefusedWhileABuildRuns) {
    ASSERT_TRUE(BeginBuildRun());
    EXPECT_FALSE(CloseCurrentProject(true));
    EXPECT_FALSE(OpenProjectNamed("hello"));
    EXPECT_FALSE(CreateProject("other", dir_, kConsoleApp));
    EndBuildRun();
    ASSERT_EQ(reports_.errors.size(), 3u);
    EXPECT_EQ(reports_.errors[0], "Wait till make finishes");
    EXPECT_EQ(g_project.name, "hello");
}

std::string g_opened;
int g_line = 0;
bool RecordOpen(const char* name, bool) {
    g_opened = name;
    return true;
}
void RecordLine(int line) { g_line = line; }

TEST_F(BuildW32, AClickOnAnyPartOfAWrappedMessageOpensItsFileAtItsLine) {
    ShellHooks saved = g_shell_hooks;
    g_shell_hooks.open_file = RecordOpen;
    g_build_go_to_line = RecordLine;
    std::vector<std::string> lines = {"make: *** [hello.obj] Error 1", "Error hello.c: 3  undeclared identifier",
                                      " + 'averyveryverylongname'", " + and more", "Compilation + link time:0.1 sec, Return code: 2"};
    for (size_t clicked : {1u, 2u, 3u}) {
        g_opened.clear();
        g_line = 0;
        GoToDiagnosticLine(lines, clicked);
        EXPECT_EQ(g_opened, UpperText(PathJoin(FsWorkingDirectory(), "hello.c"))) << clicked;
        EXPECT_EQ(g_line, 3) << clicked;
    }
    g_opened.clear();
    GoToDiagnosticLine(lines, 4);
    GoToDiagnosticLine(lines, 0);
    EXPECT_TRUE(g_opened.empty()) << "lines that are no diagnostic open nothing";
    g_shell_hooks = saved;
    g_build_go_to_line = nullptr;
}

}  // namespace
