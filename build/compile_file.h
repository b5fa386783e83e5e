#pragma once
// Compiling only the active editor's file: whether the project holds it, and the object
// file make must rebuild.
#include <string>

#include "project/project.h"

// Compared without regard to case by full name, by last path component, or both.
bool ProjectHoldsFile(const Project& p, const std::string& file);

// "%s\%s" with MakeDir and the file's last component with ".obj" for its extension;
// false (reported "Error in object file name %s") when that component has no dot.
bool CompiledObjectFile(const Project& p, const std::string& file, std::string& object);
