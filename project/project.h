#pragma once
// The project record: a named set of source files with everything needed to build and
// debug them. The current project is one instance, cleared when none is current.
#include <cstdint>
#include <string>
#include <vector>

#include "config/configuration.h"

// CompilerFlags bits.
enum : uint32_t {
    kNoDebugInfoLink = 0x1,
    kOptimize = 0x4,
    kDebugInfo = 0x8,
    kBrowseInfo = 0x10,
    kAsmListing = 0x20,
    kWindowsApp = 0x40,
    kConsoleApp = 0x80,
    kDll = 0x100,
    kAllWarnings = 0x200,
    kStaticLibrary = 0x400,
    kStackTrace = 0x800,
    kStackTraceLines = 0x1000,
    kMapFile = 0x2000,
    kAlign1 = 0x4000,
    kAlign2 = 0x8000,
    kAlign4 = 0x10000,
    kAlign8 = 0x20000,
    kAlign16 = 0x40000,
    kIntermediateFile = 0x80000,
    kDebugLevelExtra = 0x100000,
    kPentiumPro = 0x200000,
    kProjectTypeBits = kWindowsApp | kConsoleApp | kDll | kStaticLibrary,
};

// ProjectFlags bits.
enum : uint32_t { kUsesCms = 1, kEiffelFlagsSet = 2, kFortranFlagsSet = 4 };

// Project names are read back from the store's subkey names, which are cut at this length.
inline constexpr size_t kMaxProjectName = 50;
inline constexpr size_t kMaxPathText = 399;

struct MakeDefinition {
    std::string make_name, make_args, make_dir;
};

struct FileDependencies {
    std::string file;
    std::vector<std::string> depends_on;
};

struct Project {
    std::vector<std::string> files;  // upper-cased, newest first
    std::string name, project_path;
    std::vector<OpenFileEntry> open_files;
    std::string cms_directory, current_file;
    ConfigRect frame, status_bar;
    bool has_make = false;
    MakeDefinition make;
    std::vector<std::string> object_files;  // for rebuild-all, never stored
    std::string includes, defines, error_file, sources_dir, exe;
    uint32_t compiler_flags = kDebugInfo;
    std::string libraries;
    std::vector<FileDependencies> file_dependencies;
    std::vector<BreakpointSetting> breakpoints;
    int settings_changed = 0;
    uint32_t project_flags = 8;
    int exit_code = 0;
    uint32_t build_time = 0;  // milliseconds
    std::string entry_point = "LibMain";
    std::vector<FileProcessorSetting> file_processors;  // newest first
    std::string linker_args;
    int eiffel_flags = 0, fortran_flags = 0;
    std::string debugger_arguments, dbg_exe_name, dbg_dir;
    std::vector<std::string> users;
    std::string user_name;
    int put_options = 4, get_options = 0, file_options = 0, lock_options = 0, users_options = 1;
};

// The project type, testing the library bit first.
inline bool IsLibrary(const Project& p) { return p.compiler_flags & kStaticLibrary; }
inline bool IsDll(const Project& p) { return !IsLibrary(p) && (p.compiler_flags & kDll); }
inline bool IsConsole(const Project& p) { return !IsLibrary(p) && !IsDll(p) && (p.compiler_flags & kConsoleApp); }
// ".lib", ".dll" or ".exe" by the type.
const char* TargetExtension(const Project& p);

// A project name: not empty, no blank, no backslash, at most kMaxProjectName characters.
// Reports and returns false otherwise.
bool CheckProjectName(const std::string& name);

// Upper-cases `name` and puts it at the head of `files` unless it is there already.
void AddFileToProject(Project& p, const std::string& name);

// Table 3 values to and from the project record.
ProjectSection ToSection(const Project& p);
void FromSection(const ProjectSection& s, Project& p);

// The project's section: Table 3 (settings) and, for bit 0 of `parts`, the file list,
// dependencies, users, CMS directory and option values. Every write is reported on failure.
bool SaveProjectSettings(const Project& p);
bool SaveProject(const Project& p, int parts);

// Reads the project `name` (settings and file list); false when its section cannot be opened.
bool LoadProject(const std::string& name, Project& p);

// Text helpers shared by the project and build code.
std::string UpperText(std::string text);
std::string LowerText(std::string text);
bool SameTextNoCase(const std::string& a, const std::string& b);  // without regard to case
// The last component after '\' (or '/').
std::string PathLastPart(const std::string& path);
// "%s\%s", without doubling a trailing backslash of `dir`.
std::string PathJoin(const std::string& dir, const std::string& name);
// `name` made absolute against `dir` (a drive letter or a leading backslash counts as absolute).
std::string PathMadeAbsolute(const std::string& name, const std::string& dir);
