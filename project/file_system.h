#pragma once
// The few file-system questions the project and build code ask, on texts as the project
// holds them.
#include <string>

bool IsFile(const std::string& path);
bool IsDirectory(const std::string& path);
bool MakeDirectory(const std::string& path);  // one level
bool DeleteFileIfAny(const std::string& path);           // true also when there was none
std::string WorkingDirectory();
bool ChangeDirectory(const std::string& path);
// The whole file; false when it cannot be opened.
bool ReadFileBytes(const std::string& path, std::string& bytes);
