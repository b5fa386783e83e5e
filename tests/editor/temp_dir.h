#pragma once
// A fresh directory for one test, removed with everything in it afterwards.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

struct TempDir {
    std::string path;
    TempDir() {
        std::random_device seed;
        auto p = std::filesystem::temp_directory_path() / ("morla-editor-" + std::to_string(seed()));
        std::filesystem::create_directories(p);
        path = p.string();
    }
    ~TempDir() {
        std::error_code error;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, error);
        std::filesystem::remove_all(path, error);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Write(const std::string& name, const std::string& bytes) const {
        std::string file = path + "/" + name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    static std::string Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};
