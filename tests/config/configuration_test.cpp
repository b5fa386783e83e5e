#include <string>

#include "config/configuration.h"
#include "tests/config/memory_store_fixture.h"

namespace {

using ConfigurationTest = MemoryStoreTest;

// What a fresh load gives on top of the built-in defaults: the compiler's paths.
Configuration LoadedDefaults() {
    Configuration c;
    c.include_path = "C:\\rmc\\include";
    c.compiler_root = "C:\\rmc";
    c.win_help_data_base = "C:\\rmc\\bin\\win32hlp";
    return c;
}

// Every value away from its default.
Configuration Changed() {
    Configuration c = LoadedDefaults();
    c.tab_size = 8;
    c.comment_color = 1;
    c.keyword_color = 2;
    c.font_height = -20;
    c.font_style = 3;
    c.frame_zoomed = 1;
    c.status_bar = {0, 500, 800, 520};
    c.sub_scroll = 10;
    c.frame_x = 10, c.frame_y = 20, c.frame_cx = 640, c.frame_cy = -1;
    c.editor_flags = 16;
    c.output_wnd_height = 120;
    c.font_family = 49;
    c.text_color = 255;
    c.background_color = 65535;
    c.printer_font_name = "Lucida Console";
    c.printer_font_size = 12;
    c.debugger_arguments = "-v in.txt";
    c.debugger_dir = "C:\\work";
    c.debugger_exe_name = "C:\\work\\hello.exe";
    c.debugger_flags = 5;
    c.print = 7;
    c.include_flags = 0;
    c.current_dir = "C:\\work";
    c.win_help_data_base = "C:\\help\\api.hlp";
    c.font_name = "Fixedsys";
    c.indent_options = 33;
    c.indent_constants = 44;
    c.find_flags = 0x1234;
    c.current_file = "C:\\work\\hello.c";
    c.accelerators = {{3, 112, 1156, 1}, {40, 70, 14000, 24}};
    LanguageSetting pascal{"Pascal", ".pas", "begin", "end", "{", "'", 3, 4, true, {"begin", "end", "var"}, ""};
    LanguageSetting user{"Mine", ".my", "", "", "#", "\"", 1, 77, true, {}, ""};
    c.languages = {pascal, user};
    c.macros = {{"p", 4, "printf(\"%d\\n\", x);"}, {"w", 0, "while (1) {\r\n}"}};
    c.utilities = {{"Dump", "C:\\rmc\\bin\\pedump.exe", "$FILE$", "C:\\work", "7"}};
    c.open_files = {{"C:\\My Documents\\a b.c", 12, -1, 2, 300, 400}, {"C:\\work\\x.h", 1, 0, 0, -500, 300}};
    return c;
}

ProjectSection ChangedProject() {
    ProjectSection p;
    p.frame = {1, 2, 801, 602};
    p.status_bar = {0, 580, 800, 600};
    p.name = "hello";
    p.current_file = "C:\\WORK\\HELLO.C";
    p.open_files = {{"C:\\WORK\\HELLO.C", 30, 0, 0, 400, 300}};
    p.project_path = "C:\\WORK\\HELLO.PRJ";
    p.sources_dir = "C:\\WORK";
    p.defines = "-DDEBUG";
    p.includes = "C:\\rmc\\include";
    p.libraries = "libf77.lib";
    p.linker_args = "-subsystem console";
    p.compiler_flags = 9, p.project_flags = 2, p.fortran_flags = 3, p.eiffel_flags = 4;
    p.error_file = "C:\\WORK\\hello.err";
    p.has_make = true;
    p.make_name = "C:\\rmc\\bin\\make.exe";
    p.make_args = "-f Makefile";
    p.make_dir = "C:\\WORK";
    p.exe = "hello.exe";
    p.debugger_arguments = "one two";
    p.dbg_exe_name = "C:\\WORK\\hello.exe";
    p.dbg_dir = "C:\\WORK\\RUN";
    p.breakpoints = {{"C:\\WORK\\HELLO.C", 12}, {"C:\\WORK\\UTIL.C", 7}};
    p.file_processors = {{".y", "bison $FILE$", "out#1.c"}};
    return p;
}

TEST_F(ConfigurationTest, MissingValuesGiveTheDefaults) {
    Configuration c;
    ASSERT_TRUE(LoadConfiguration(c));
    EXPECT_TRUE(c == LoadedDefaults());
    EXPECT_TRUE(reports.Quiet());
    EXPECT_FALSE(RegistryWritten());
}

TEST_F(ConfigurationTest, RoundTripWithoutProject) {
    Configuration saved = Changed();
    ASSERT_TRUE(SaveConfiguration(saved));
    Configuration loaded;
    ASSERT_TRUE(LoadConfiguration(loaded));
    EXPECT_TRUE(loaded == saved);
    EXPECT_TRUE(reports.Quiet());
    EXPECT_EQ(Root("Accel2"), "  40  7014000  24");
    EXPECT_EQ(Root("OpenFile1"), "C:\\My Documents\\a b.c 12 -1 2 300 400");
    EXPECT_EQ(Root("StatusBar"), "0,500,800,520");
}

TEST_F(ConfigurationTest, RoundTripWithCurrentProject) {
    Configuration saved = Changed();
    saved.projects = {"hello"};
    saved.current_project = "hello";
    saved.project = ChangedProject();
    ASSERT_TRUE(SaveConfiguration(saved));
    Configuration loaded;
    ASSERT_TRUE(LoadConfiguration(loaded));
    // With a project current the root's open files are neither written nor read.
    saved.open_files.clear();
    EXPECT_TRUE(loaded == saved);
    EXPECT_TRUE(reports.Quiet());
    std::string text;
    EXPECT_TRUE(MemoryStoreValue("Software\\rmc\\Morla\\hello", "Frame", text));
    EXPECT_EQ(text, "1 2 801 602");
    EXPECT_TRUE(MemoryStoreValue("Software\\rmc\\Morla\\hello", "BreakPoint1", text));
    EXPECT_EQ(text, "C:\\WORK\\HELLO.C@12");
}

TEST_F(ConfigurationTest, ProjectWithoutMakeDefinition) {
    ProjectSection p = ChangedProject();
    p.has_make = false;
    p.make_name = p.make_args = p.exe = "";
    p.dbg_dir = "";
    ASSERT_TRUE(SaveProjectSection("plain", p));
    std::string text;
    EXPECT_FALSE(MemoryStoreValue("Software\\rmc\\Morla\\plain", "MakeName", text));
    EXPECT_FALSE(MemoryStoreValue("Software\\rmc\\Morla\\plain", "Exe", text));
    EXPECT_TRUE(MemoryStoreValue("Software\\rmc\\Morla\\plain", "DbgDir", text));
    EXPECT_EQ(text, "C:\\WORK");  // the make directory stands in for a missing debugger directory
    ProjectSection loaded;
    ASSERT_TRUE(LoadProjectSection("plain", loaded));
    EXPECT_FALSE(loaded.has_make);
    EXPECT_EQ(loaded.compiler_flags, 9);
}

TEST_F(ConfigurationTest, SubScrollBelowOneReadsAsOne) {
    for (const char* stored : {"0", "-1", "-100"}) {
        PutRoot("SubScroll", stored);
        Configuration c;
        ASSERT_TRUE(LoadConfiguration(c));
        EXPECT_EQ(c.sub_scroll, 1) << stored;
    }
    PutRoot("SubScroll", "4");
    Configuration c;
    ASSERT_TRUE(LoadConfiguration(c));
    EXPECT_EQ(c.sub_scroll, 4);
}

TEST_F(ConfigurationTest, BackupFileMigratesOnce) {
    PutRoot("BackupFile", "1");
    PutRoot("EditorFlags", "3");
    Configuration c;
    ASSERT_TRUE(LoadConfiguration(c));
    EXPECT_EQ(c.editor_flags, 3 | kGenerateBackups);
    EXPECT_EQ(Root("BackupFile"), "1");  // loading writes nothing
    ASSERT_TRUE(SaveConfiguration(c));
    EXPECT_EQ(Root("BackupFile"), "0");
    EXPECT_EQ(Root("EditorFlags"), "7");

    // Backups turned off later stay off.
    Configuration again;
    ASSERT_TRUE(LoadConfiguration(again));
    EXPECT_FALSE(again.backup_file_pending);
    again.editor_flags &= ~kGenerateBackups;
    ASSERT_TRUE(SaveConfiguration(again));
    Configuration last;
    ASSERT_TRUE(LoadConfiguration(last));
    EXPECT_EQ(last.editor_flags, 3);
}

TEST_F(ConfigurationTest, MacroTextIsStoredAsByteCodes) {
    std::string text;
    for (int i = 0; i < 22; ++i) text += static_cast<char>(i == 0 ? 200 : i == 1 ? 255 : i == 2 ? 128 : 'a' + i);
    Configuration saved = LoadedDefaults();
    saved.macros = {{"abcdefghijklmnopqrstuvwxyz", 3, text}};
    ASSERT_TRUE(SaveConfiguration(saved));
    std::string line0 = Root("Macro1TextLine0");
    EXPECT_EQ(line0.size(), 63u);
    EXPECT_EQ(line0.substr(0, 9), "200255128");
    EXPECT_EQ(Root("Macro1TextLine1"), "118");  // 'a' + 21
    EXPECT_EQ(Root("Macro1Length"), "22");
    Configuration loaded;
    ASSERT_TRUE(LoadConfiguration(loaded));
    ASSERT_EQ(loaded.macros.size(), 1u);
    EXPECT_EQ(loaded.macros[0].text, text);
    EXPECT_EQ(loaded.macros[0].code, "abcdefghijklmnopqrs");  // a code holds at most 19 characters
}

TEST_F(ConfigurationTest, MacroReadingStopsAtZeroLength) {
    PutRoot("Macros", "3");
    PutRoot("Macro1Code", "a");
    PutRoot("Macro1Length", "2");
    PutRoot("Macro1TextLine0", "104105");
    PutRoot("Macro2Code", "b");
    PutRoot("Macro3Code", "c");
    PutRoot("Macro3Length", "1");
    PutRoot("Macro3TextLine0", "065");
    Configuration c;
    ASSERT_TRUE(LoadConfiguration(c));
    ASSERT_EQ(c.macros.size(), 1u);
    EXPECT_EQ(c.macros[0].text, "hi");
}

TEST_F(ConfigurationTest, KeywordsArePackedSevenToAValue) {
    Configuration saved = LoadedDefaults();
    LanguageSetting l;
    l.name = "C";
    for (int i = 1; i <= 15; ++i) l.keywords.push_back("k" + std::to_string(i));
    saved.languages = {l};
    ASSERT_TRUE(SaveConfiguration(saved));
    EXPECT_EQ(Root("Language1KeywordCount"), "15");
    EXPECT_EQ(Root("Language1Keywords1"), "k1 k2 k3 k4 k5 k6 k7");
    EXPECT_EQ(Root("Language1Keywords2"), "k8 k9 k10 k11 k12 k13 k14");
    EXPECT_EQ(Root("Language1Keywords3"), "k15");
    std::string text;
    EXPECT_FALSE(MemoryStoreValue("Software\\rmc\\Morla", "Language1Keywords4", text));
    Configuration loaded;
    ASSERT_TRUE(LoadConfiguration(loaded));
    ASSERT_EQ(loaded.languages.size(), 1u);
    EXPECT_EQ(loaded.languages[0].keywords, l.keywords);
}

TEST_F(ConfigurationTest, SaveAtExitClearWritesNothing) {
    Configuration c = Changed();
    c.projects = {"hello"};
    c.current_project = "hello";
    c.save_at_exit = false;
    std::string before = MemoryStoreDump();
    EXPECT_TRUE(SaveConfiguration(c));
    EXPECT_EQ(MemoryStoreDump(), before);
    EXPECT_FALSE(RegistryWritten());
}

TEST_F(ConfigurationTest, TextFallbacksOnLoading) {
    PutRoot("CurrentFile", "UNTITLED");
    PutRoot("CMSProjectPath", "oldproject");
    Configuration c;
    ASSERT_TRUE(LoadConfiguration(c));
    EXPECT_EQ(c.current_file, "");
    EXPECT_EQ(c.current_project, "oldproject");
    PutRoot("CurrentProject", "newproject");
    ASSERT_TRUE(LoadConfiguration(c));
    EXPECT_EQ(c.current_project, "newproject");
}

TEST_F(ConfigurationTest, IncludePathWithoutBackslashIsReported) {
    const StoreBackend& b = CurrentStoreBackend();
    StoreKey software = b.open_key(nullptr, "Software", false);
    StoreKey rmc = b.open_key(software, "rmc", false);
    StoreKey compiler = b.open_key(rmc, "Compiler", false);
    ASSERT_TRUE(compiler && b.write_value(compiler, "includepath", "C:include"));
    for (StoreKey key : {compiler, rmc, software}) b.close_key(key);
    Configuration c;
    EXPECT_TRUE(LoadConfiguration(c));
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "Incorrect value for Include path in the registry\nKey: includePath");
}

// Damaged values: the defaults stay and nothing runs away.
TEST_F(ConfigurationTest, DamagedValuesKeepDefaults) {
    PutRoot("Tabsize", "eight");
    PutRoot("StatusBar", "1,2");
    PutRoot("Macros", "2000000000");
    PutRoot("Accelerators", "2000000000");
    PutRoot("Accel1", "abc");
    PutRoot("OpenFiles", "2");
    PutRoot("OpenFile1", "nonumbers");
    PutRoot("OpenFile2", "C:\\a.c 1 2 3 4 5");
    PutMemoryNonText("Software\\rmc\\Morla", "EditorFlags");
    Configuration c;
    ASSERT_TRUE(LoadConfiguration(c));
    EXPECT_EQ(c.tab_size, 4);
    EXPECT_TRUE(c.status_bar == ConfigRect{});
    EXPECT_EQ(c.editor_flags, 47);
    EXPECT_TRUE(c.macros.empty());
    EXPECT_TRUE(c.accelerators.empty());
    ASSERT_EQ(c.open_files.size(), 1u);
    EXPECT_EQ(c.open_files[0].path, "C:\\a.c");
}

TEST_F(ConfigurationTest, BadFileProcessorIsReportedAndSkipped) {
    ASSERT_TRUE(OpenStore("proj", false));
    ASSERT_TRUE(WriteString("NrOfFileProcessors", "2"));
    ASSERT_TRUE(WriteString("FileProcessor1", "only#two"));
    ASSERT_TRUE(WriteString("FileProcessor2", ".y#bison#out.c"));
    CloseStore();
    ProjectSection p;
    ASSERT_TRUE(LoadProjectSection("proj", p));
    ASSERT_EQ(p.file_processors.size(), 1u);
    EXPECT_EQ(p.file_processors[0].command, "bison");
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "Incorrect format in key 'FileProcessor' stored in registry");
}

TEST_F(ConfigurationTest, FailedWriteStopsTheSave) {
    SetMemoryStoreFailure(13);
    EXPECT_FALSE(SaveConfiguration(Changed()));
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "Error 13 writing to the registry");
}

}  // namespace
