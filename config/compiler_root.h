#pragma once
// Finding the compiler suite's installation (the compiler root, with bin, include and lib
// below it) on the first run, and checking a root the user enters later.
#include <string>

#include "config/store_backend.h"

// What the set-up needs of the platform. Paths are Windows paths (backslashes).
struct StorePlatform {
    std::string program_path;       // the program's path as the command line gives it
    std::string current_directory;  // e.g. "C:\\work"; its drive letter is the current drive
    bool (*file_exists)(const char* path);       // null: the file system
    bool (*directory_exists)(const char* path);  // null: the file system
    // Asks the user for a directory; false when there is no answer. Null: never answers.
    bool (*ask_directory)(const char* prompt, std::string& answer);
};

extern StorePlatform g_store_platform;

// The installation directory the program's path points to: the program's directory
// without a trailing \bin.
std::string RootFromProgramPath(const std::string& program_path, const std::string& current_directory);

// The program's directory when it holds include\windows.h, otherwise the user's answer,
// which must hold it too. Reports and returns false on failure or no answer.
bool FindCompilerRoot(std::string& root);

// Creates rmc beneath `software` with Compiler\includepath and rmclnk\libpath for the
// root found by FindCompilerRoot; returns the open rmc key, null (reported) on failure.
// The root is known from then on by the include path (see LoadConfiguration).
StoreKey FirstRunSetUp(StoreKey software);

// Writes the compiler keys for `root` (after the user changed it).
bool StoreCompilerRoot(const std::string& root);

// Accepts a root entered by the user: drive, existing directory, bin\rmc.exe and
// lib\kernel32.lib; each failure has its own message.
bool CheckCompilerRoot(const std::string& root);

bool StoreFileExists(const std::string& path);
bool StoreDirectoryExists(const std::string& path);
