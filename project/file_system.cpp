#include "project/file_system.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

bool FsIsFile(const std::string& path) {
    std::error_code e;
    return !path.empty() && fs::is_regular_file(path, e);
}

bool FsIsDirectory(const std::string& path) {
    std::error_code e;
    return !path.empty() && fs::is_directory(path, e);
}

bool FsMakeDirectory(const std::string& path) {
    std::error_code e;
    return fs::create_directory(path, e) && !e;
}

bool FsDeleteFile(const std::string& path) {
    std::error_code e;
    fs::remove(path, e);
    return !e;
}

std::string FsWorkingDirectory() {
    std::error_code e;
    return fs::current_path(e).string();
}

bool FsChangeDirectory(const std::string& path) {
    std::error_code e;
    fs::current_path(path, e);
    return !e;
}

bool FsReadFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}
