#pragma once
// The rules that fill in what a project lacks before it is built: its own output
// directory, the default make definition, the message file and the path checks.
#include <string>

#include "project/project.h"

// Where the compiler is installed and where the program stands, for the defaults.
struct ProjectEnvironment {
    std::string compiler_root;  // e.g. C:\rmc
    std::string include_path;   // Software\rmc\Compiler includepath
    std::string current_dir;
};

// Creates the output directory "%s\rmc" (or rmc1..rmc8) below SourcesDir when MakeDir is
// empty. Reports and returns false when all nine exist or creation fails.
bool EnsureMakeDirectory(Project& p, const ProjectEnvironment& env);
bool DefaultMakeDefinition(Project& p, const ProjectEnvironment& env);
void DefaultErrorFile(Project& p);
void CheckProjectPaths(Project& p, const ProjectEnvironment& env);
