#pragma once
// The few file-system questions the project and build code ask, on texts as the project
// holds them.
#include <string>

bool FsIsFile(const std::string& path);
bool FsIsDirectory(const std::string& path);
bool FsMakeDirectory(const std::string& path);  // one level
bool FsDeleteFile(const std::string& path);           // true also when there was none
std::string FsWorkingDirectory();
bool FsChangeDirectory(const std::string& path);
// The whole file; false when it cannot be opened.
bool FsReadFile(const std::string& path, std::string& bytes);
