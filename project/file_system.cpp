#include "project/file_system.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

bool IsFile(const std::string& path) {
    std::error_code e;
    return !path.empty() && fs::is_regular_file(path, e);
}

bool IsDirectory(const std::string& path) {
    std::error_code e;
    return !path.empty() && fs::is_directory(path, e);
}

bool MakeDirectory(const std::string& path) {
    std::error_code e;
    return fs::create_directory(path, e) && !e;
}

bool DeleteFileIfAny(const std::string& path) {
    std::error_code e;
    fs::remove(path, e);
    return !e;
}

std::string WorkingDirectory() {
    std::error_code e;
    return fs::current_path(e).string();
}

bool ChangeDirectory(const std::string& path) {
    std::error_code e;
    fs::current_path(path, e);
    return !e;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}
