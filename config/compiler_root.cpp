#include "config/compiler_root.h"

#include <sys/stat.h>

#include <cctype>

#include "shell/format_buffer.h"
#include "shell/report.h"
#include "config/store.h"

StorePlatform g_store_platform;

namespace {

// The C library's stat takes 8-bit paths as the program keeps them; elsewhere than on
// Windows the backslashes become slashes.
bool StatMode(const std::string& path, unsigned& mode) {
    std::string host = path;
#ifndef _WIN32
    for (char& c : host)
        if (c == '\\') c = '/';
#endif
    struct stat info;
    if (stat(host.c_str(), &info) != 0) return false;
    mode = info.st_mode;
    return true;
}

bool HasWindowsHeader(const std::string& root, std::string& header) {
    header = FormatText("%s\\include\\windows.h", root.c_str());
    return StoreFileExists(header);
}

bool EndsWithBin(const std::string& dir) {
    if (dir.size() < 4) return false;
    const char* tail = dir.c_str() + dir.size() - 4;
    return tail[0] == '\\' && std::tolower(static_cast<unsigned char>(tail[1])) == 'b' &&
           std::tolower(static_cast<unsigned char>(tail[2])) == 'i' &&
           std::tolower(static_cast<unsigned char>(tail[3])) == 'n';
}

// Creates `name` beneath `parent` with the one value `value_name` = `text`.
bool WriteKeyValue(StoreKey parent, const char* name, const char* value_name, const std::string& text) {
    const StoreBackend& b = CurrentStoreBackend();
    StoreKey key = b.open_key(parent, name, true);
    bool done = key && b.write_value(key, value_name, text.c_str());
    if (key) b.close_key(key);
    if (!done) ReportStoreWriteFailure();
    return done;
}

// rmc beneath `software` with its Compiler and rmclnk keys; the open rmc key or null.
StoreKey WriteCompilerKeys(StoreKey software, const std::string& root) {
    const StoreBackend& b = CurrentStoreBackend();
    StoreKey rmc = b.open_key(software, "rmc", true);
    if (!rmc) {
        ReportStoreWriteFailure();
        return nullptr;
    }
    if (!WriteKeyValue(rmc, "Compiler", "includepath", root + "\\include") ||
        !WriteKeyValue(rmc, "rmclnk", "libpath", root + "\\lib")) {
        b.close_key(rmc);
        return nullptr;
    }
    return rmc;
}

}  // namespace

bool StoreFileExists(const std::string& path) {
    if (g_store_platform.file_exists) return g_store_platform.file_exists(path.c_str());
    unsigned mode = 0;
    return StatMode(path, mode) && S_ISREG(mode);
}

bool StoreDirectoryExists(const std::string& path) {
    if (g_store_platform.directory_exists) return g_store_platform.directory_exists(path.c_str());
    // The C library refuses a directory with a trailing separator, except a drive's root.
    std::string dir = path;
    while (dir.size() > 1 && (dir.back() == '\\' || dir.back() == '/') && dir[dir.size() - 2] != ':') dir.pop_back();
    unsigned mode = 0;
    return StatMode(dir, mode) && S_ISDIR(mode);
}

std::string RootFromProgramPath(const std::string& program_path, const std::string& current_directory) {
    std::string dir = program_path;
    if (!dir.empty() && dir[0] == '"') dir.erase(0, 1);
    size_t cut = dir.rfind('\\');
    if (cut != std::string::npos)
        dir.resize(cut);
    else if (!current_directory.empty())
        dir = current_directory;
    if (EndsWithBin(dir)) dir.resize(dir.size() - 4);
    // A path from the root of the current drive; a network path keeps its two backslashes.
    if (dir.size() >= 1 && dir[0] == '\\' && (dir.size() < 2 || dir[1] != '\\')) {
        char drive = current_directory.size() >= 2 && current_directory[1] == ':' ? current_directory[0] : 'C';
        dir = FormatText("%c:%s", drive, dir.c_str());
    }
    return dir;
}

bool FindCompilerRoot(std::string& root) {
    std::string header;
    root = RootFromProgramPath(g_store_platform.program_path, g_store_platform.current_directory);
    if (HasWindowsHeader(root, header)) return true;
    std::string answer;
    if (!g_store_platform.ask_directory ||
        !g_store_platform.ask_directory("Enter path for the compiler root directory", answer) || answer.empty())
        return false;
    while (answer.size() > 1 && (answer.back() == '\\' || answer.back() == '/')) answer.pop_back();
    if (!HasWindowsHeader(answer, header)) {
        FileNotFound(header.c_str());
        return false;
    }
    root = answer;
    return true;
}

StoreKey FirstRunSetUp(StoreKey software) {
    std::string root;
    if (!FindCompilerRoot(root)) return nullptr;
    StoreKey rmc = WriteCompilerKeys(software, root);
    if (rmc) return rmc;
    // A half-made rmc key would pass for a known installation on the next run.
    const StoreBackend& b = CurrentStoreBackend();
    if (StoreKey partial = b.open_key(software, "rmc", false)) {
        b.delete_subkey(partial, "Compiler");
        b.delete_subkey(partial, "rmclnk");
        b.close_key(partial);
        b.delete_subkey(software, "rmc");
    }
    return nullptr;
}

bool StoreCompilerRoot(const std::string& root) {
    const StoreBackend& b = CurrentStoreBackend();
    StoreKey software = b.open_key(nullptr, "Software", false);
    if (!software) {
        ReportStoreWriteFailure();
        return false;
    }
    StoreKey rmc = WriteCompilerKeys(software, root);
    if (rmc) b.close_key(rmc);
    b.close_key(software);
    return rmc != nullptr;
}

bool CheckCompilerRoot(const std::string& root) {
    if (root.size() < 2 || root[1] != ':') {
        ShowError(FormatText("Missing drive name in %s", root.c_str()));
        return false;
    }
    if (!StoreDirectoryExists(root)) {
        ShowError(FormatText("Directory %s doesn't exist", root.c_str()));
        return false;
    }
    if (!StoreFileExists(root + "\\bin\\rmc.exe")) {
        ShowError(FormatText("Can't find %s\\bin\\rmc.exe", root.c_str()));
        return false;
    }
    if (!StoreFileExists(root + "\\lib\\kernel32.lib")) {
        ShowError(FormatText("Can't find %s\\lib\\kernel32.lib", root.c_str()));
        return false;
    }
    return true;
}
