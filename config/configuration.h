#pragma once
// The whole configuration as one plain record: the editor settings and the global lists
// of the root section, and the section of the current project. Other subsystems copy
// their state from and to these records around LoadConfiguration and SaveConfiguration.
#include <string>
#include <vector>

struct ConfigRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool IsEmpty() const { return right <= left || bottom <= top; }

    bool operator==(const ConfigRect&) const = default;
};

// EditorFlags bits.
enum : int {
    kIndentAutomatically = 1,
    kCheckSyntaxWhenSaving = 2,
    kGenerateBackups = 4,
    kSmallOutputFonts = 8,
    kSaveBeforeBuild = 16,
    kTestTargetBeforeDebugging = 32,
};

// One entry of the built-in accelerator table that the user changed.
struct AcceleratorChange {
    int index = 0;  // in the built-in table
    int key = 0, command = 0, flags = 0;

    bool operator==(const AcceleratorChange&) const = default;
};

struct LanguageSetting {
    std::string name, extension, start_function, end_function, comment_char, string_chars;
    int flags = 1;
    int code = 0;        // only used for a language that is not built in
    bool has_code = false;
    std::vector<std::string> keywords;
    std::string icon;    // written when set, never read back

    bool operator==(const LanguageSetting&) const = default;
};

struct MacroSetting {
    std::string code;  // at most 19 characters
    int position = 0;
    std::string text;  // any bytes

    bool operator==(const MacroSetting&) const = default;
};

struct UtilitySetting {
    std::string nickname, progname, prog_args, start_dir, id;

    bool operator==(const UtilitySetting&) const = default;
};

// A file open at exit: its line (from 1) and its window's placement, with the left
// coordinate negated for a minimised and the right one for a maximised window.
struct OpenFileEntry {
    std::string path;
    int line = 1;
    int left = 0, top = 0, right = 0, bottom = 0;

    bool operator==(const OpenFileEntry&) const = default;
};

struct BreakpointSetting {
    std::string file;
    int line = 0;

    bool operator==(const BreakpointSetting&) const = default;
};

struct FileProcessorSetting {
    std::string input, command, output;

    bool operator==(const FileProcessorSetting&) const = default;
};

// The values of one project section.
struct ProjectSection {
    ConfigRect frame, status_bar;
    std::string name, current_file;
    std::vector<OpenFileEntry> open_files;
    std::string project_path, sources_dir, defines, includes, libraries, linker_args;
    int compiler_flags = 8, project_flags = 8, fortran_flags = 0, eiffel_flags = 0;
    std::string error_file;
    bool has_make = false;  // MakeName, MakeArgs, MakeDir and Exe are written only with it
    std::string make_name, make_args, make_dir, exe;
    std::string debugger_arguments, dbg_exe_name, dbg_dir;
    std::vector<BreakpointSetting> breakpoints;
    std::vector<FileProcessorSetting> file_processors;

    bool operator==(const ProjectSection&) const = default;
};

struct Configuration {
    // Editor settings of the root section, with their built-in defaults.
    int tab_size = 4;
    int comment_color = 8421504;
    int keyword_color = 192;
    int font_height = -13;
    int font_style = 0;
    int frame_zoomed = 0;
    ConfigRect status_bar;
    int sub_scroll = 1;  // 1 normal, 4 smooth, 10 very smooth
    int frame_x = 0, frame_y = 0, frame_cx = 0, frame_cy = 0;
    int editor_flags = 47;
    int output_wnd_height = 0;
    int font_family = 48;
    int text_color = 0;
    int background_color = 16777215;
    std::string printer_font_name = "Courier New";
    int printer_font_size = 10;
    std::string debugger_arguments, debugger_dir, debugger_exe_name;
    int debugger_flags = 0;
    int print = 1053;
    int include_flags = 1;
    std::string current_dir;
    std::string win_help_data_base;
    std::string font_name = "Courier New";
    int indent_options = 0, indent_constants = 0;
    int find_flags = 0x29;  // the search dialogs' FindFlags: current window, exact text, forwards
    std::string current_file;

    // From the compiler's keys: Software\rmc\Compiler includepath, and the root it names.
    std::string include_path;
    std::string compiler_root;

    // An older configuration's BackupFile = 1, still to be rewritten as 0 by the next save.
    bool backup_file_pending = false;

    // When clear, SaveConfiguration writes nothing at all.
    bool save_at_exit = true;

    std::vector<AcceleratorChange> accelerators;
    std::vector<LanguageSetting> languages;
    std::vector<MacroSetting> macros;
    std::vector<UtilitySetting> utilities;
    std::vector<std::string> projects;
    std::vector<OpenFileEntry> open_files;  // of the root section, used when no project is current
    std::string current_project;            // empty when none is current
    ProjectSection project;                 // the current project's section

    bool operator==(const Configuration&) const = default;
};

// Reads the root section and the current project's section over the values already in
// `config` (its defaults). Missing or unreadable values keep them. False only when the
// store cannot be opened.
bool LoadConfiguration(Configuration& config);

// Writes the whole configuration when its save-at-exit flag is set; nothing otherwise.
// Stops at the first failing write (reported) and returns false.
bool SaveConfiguration(const Configuration& config);

// The project section `name`; false (section left as it was) when it cannot be opened.
bool LoadProjectSection(const char* name, ProjectSection& section);
bool SaveProjectSection(const char* name, const ProjectSection& section);
