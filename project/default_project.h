#pragma once
// A project made from one source file, for a build command given without a project.
#include <string>
#include <vector>

#include "project/project_defaults.h"

// Names the project after the file (without its extension), in the file's directory, a
// console application when the file defines main, a Windows one for WinMain. `text` is
// the file's contents. Reports (ending "\nImpossible to generate default project") and
// returns false on failure, leaving `p` cleared.
bool DefaultProjectFromFile(const std::string& path, const std::string& text, const std::vector<std::string>& projects,
                            const ProjectEnvironment& env, Project& p);
