#pragma once
// What stays between CMS operations: the user, the directories and the options.
#include <functional>
#include <string>
#include <vector>

#include "cms/revision_number.h"

struct CmsSession {
    std::string user;      // the login (GetUserNameA on Windows); empty: operations do nothing
    std::string work_dir;  // the directory of the working files
    std::string cms_dir;   // where the archives, the log and the semaphores are
    bool read_only_archives = false;  // FileOptions value 1
    bool replace_output = false;      // GetOptions value 32
    int lock_wait_ms = 20;            // pause between two tries of the log lock
    std::function<std::string()> now = CurrentCmsDate;
    std::vector<std::string> output;  // the CMS output list
};

// "%s\CMS" below the project directory.
std::string DefaultCmsDirectory(const std::string& project_dir);

std::string LogFilePath(const CmsSession& session);      // "LOGFILE.LOG"
std::string LogLockPath(const CmsSession& session);      // "_LOGFILE.LO_"
std::string SemaphorePath(const std::string& archive_path);  // "_name_" beside the archive

// Appends one line to the log under its lock file, made with an atomic create-new; after
// 50 tries with a short wait between them, "Log file locked. No log" and the line is dropped.
bool AppendLogLine(const CmsSession& session, const std::string& line);

// Both names as absolute paths, separators and case folded.
bool SameDirectory(const std::string& a, const std::string& b);

// Creates path only when it does not exist yet; false when it does or cannot be made.
bool CreateNewFile(const std::string& path, const std::string& contents);
