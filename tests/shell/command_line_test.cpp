#include <gtest/gtest.h>

#include "shell/command_line.h"
#include "shell/environment.h"

struct OptionCase {
    const char* args;
    bool splash, reopen, debug;
    long pid, event;
};

TEST(CommandLine, OptionScan) {
    const OptionCase cases[] = {
        {"", true, true, false, 0, 0},
        {"a.c b.c", true, true, false, 0, 0},
        {"/w", false, false, false, 0, 0},
        {"x.c /w", false, false, false, 0, 0},
        {"-w", true, true, false, 0, 0},  // only "/w" counts
        {"/f", true, false, false, 0, 0},
        {"-F a.c", true, false, false, 0, 0},
        {"-p 1234", true, false, true, 1234, 0},
        {"-p1234", true, false, true, 1234, 0},
        {"/d 77 -e 12", true, false, true, 77, 12},
        {"-D   5", true, false, true, 5, 0},
        {"-p", true, true, false, 0, 0},        // no number: no process
        {"-p abc", true, true, false, 0, 0},
        {"-e 9", true, true, false, 0, 9},
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.args);
        StartOptions o = ScanOptions(c.args);
        EXPECT_EQ(o.splash, c.splash);
        EXPECT_EQ(o.reopen_files, c.reopen);
        EXPECT_EQ(o.reopen_project, c.reopen);
        EXPECT_EQ(o.debug_process, c.debug);
        EXPECT_EQ(o.process_id, c.pid);
        EXPECT_EQ(o.event_handle, c.event);
    }
}

TEST(CommandLine, SkipsProgramNameAndBlanks) {
    EXPECT_STREQ(SkipProgramName("morla.exe   a.c"), "a.c");
    EXPECT_STREQ(SkipProgramName("\"c:\\Program Files\\morla.exe\" b.c"), "b.c");
    EXPECT_STREQ(SkipProgramName("morla.exe"), "");
}

struct FileCase {
    const char* args;
    std::vector<std::string> names;
    const char* exe;
    const char* exe_args;
};

TEST(CommandLine, FileNamePass) {
    const FileCase cases[] = {
        {"", {}, "", ""},
        {"a.c  b.h", {"a.c", "b.h"}, "", ""},
        {"\"my file.c\" *.h", {"\"my file.c\"", "*.h"}, "", ""},
        {"/f a.c -w", {"a.c"}, "", ""},
        {"-e 12 a.c", {"a.c"}, "", ""},
        {"a.c prog.exe -x  y \"z w\"", {"a.c"}, "prog.exe", "-x y \"z w\""},
        {"C:\\BIN\\TOOL.EXE", {}, "C:\\BIN\\TOOL.EXE", ""},
        {"\"c:\\my dir\\t.Exe\" 1", {}, "\"c:\\my dir\\t.Exe\"", "1"},
        {"notexe.exec", {"notexe.exec"}, "", ""},
        {"\"unclosed name.c", {"\"unclosed name.c"}, "", ""},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.args);
        CommandLineFiles f = ParseFileNames(c.args);
        EXPECT_EQ(f.names, c.names);
        EXPECT_EQ(f.executable, c.exe);
        EXPECT_EQ(f.executable_args, c.exe_args);
    }
}

TEST(Environment, CompilerBinGoesFirstUnlessTheRootIsOnPath) {
    EXPECT_EQ(PathWithCompilerBin("C:\\WINDOWS", "C:\\rmc"), "C:\\rmc\\bin;C:\\WINDOWS");
    EXPECT_EQ(PathWithCompilerBin("c:\\RMC\\bin;C:\\WINDOWS", "C:\\rmc"), "c:\\RMC\\bin;C:\\WINDOWS");
    EXPECT_EQ(PathWithCompilerBin("", "C:\\rmc"), "C:\\rmc\\bin");
    EXPECT_EQ(PathWithCompilerBin("C:\\WINDOWS", ""), "C:\\WINDOWS");
}
