#pragma once
// The Makefile of a project, in the one text form make reads and that the generator
// recognises by its first line.
#include <string>

#include "project/project.h"
#include "project/project_defaults.h"

// What the generation asks of its surroundings.
struct MakefileHost {
    // Runs `command` hidden and waits; its exit code, or -1 when it cannot be started.
    int (*run_and_wait)(const std::string& command);
    int (*last_error)();
    // The "File processor" dialog for `file`; false when cancelled. Null: always cancelled.
    bool (*ask_file_processor)(Project& p, const std::string& file);
    // One progress step per file name; may be null.
    void (*progress)(const char* text);
    // Whether a source exists before it is scanned; null: the file system.
    bool (*file_exists)(const std::string& path);
};

inline constexpr const char* kDependencyTempFile = "$x8856455.723";

// The CFLAGS text: -I and -D options, then the option bits.
std::string CompilerOptions(const Project& p);
// The -I options of Includes alone.
std::string IncludeOptions(const Project& p);
std::string FortranOptions(int fortran_flags);
// The link options; `has_resources` decides the Windows-program warning.
std::string LinkOptions(const Project& p, bool has_resources);
// Appends libf77.lib to Libraries once.
void AddFortranLibrary(Project& p, const std::string& compiler_root);

// The whole Makefile text (line ends as '\n'); false, reported, when a file has no rule
// and no processor is given for it. May change Exe and Libraries.
bool MakefileText(Project& p, const std::string& compiler_root, const MakefileHost& host, std::string& text);

// Writes "%s\Makefile" in MakeDir with CR LF line ends through a temporary file, after
// renaming a Makefile written by hand to Makefile.old. Sets and clears the generating state.
bool GenerateMakefile(Project& p, const ProjectEnvironment& env, const MakefileHost& host);
