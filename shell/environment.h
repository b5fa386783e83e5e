#pragma once
#include <string>

// PATH for child processes: unchanged when the compiler root occurs in it (without regard
// to case), else "<root>\bin;<old PATH>", so make.exe and the compiler's tools are found.
std::string PathWithCompilerBin(const std::string& path, const std::string& compiler_root);
