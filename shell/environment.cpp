#include "shell/environment.h"

#include <algorithm>
#include <cctype>

namespace {
std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return s;
}
}  // namespace

std::string PathWithCompilerBin(const std::string& path, const std::string& compiler_root) {
    if (compiler_root.empty() || Lower(path).find(Lower(compiler_root)) != std::string::npos) return path;
    std::string bin = compiler_root + "\\bin";
    return path.empty() ? bin : bin + ";" + path;
}
