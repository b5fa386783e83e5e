#include "cms/cms_session.h"

#include <fcntl.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <thread>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cms/text_file.h"
#include "shell/report.h"

namespace fs = std::filesystem;

constexpr int kLogLockTries = 50;

std::string DefaultCmsDirectory(const std::string& project_dir) { return JoinPath(project_dir, "CMS"); }

std::string LogFilePath(const CmsSession& s) { return JoinPath(s.cms_dir, "LOGFILE.LOG"); }
std::string LogLockPath(const CmsSession& s) { return JoinPath(s.cms_dir, "_LOGFILE.LO_"); }

std::string SemaphorePath(const std::string& archive_path) {
    return JoinPath(DirectoryPart(archive_path), "_" + FileNamePart(archive_path) + "_");
}

bool CreateNewFile(const std::string& path, const std::string& contents) {
#ifdef _WIN32
    int fd = _open(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, 0666);
#else
    int fd = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0666);
#endif
    if (fd < 0) return false;
    bool ok = write(fd, contents.data(), unsigned(contents.size())) == int(contents.size());
    ok = close(fd) == 0 && ok;
    if (!ok) {
        std::error_code ec;
        fs::remove(path, ec);
    }
    return ok;
}

bool AppendLogLine(const CmsSession& s, const std::string& line) {
    std::string lock = LogLockPath(s);
    bool held = false;
    for (int i = 0; i < kLogLockTries && !held; ++i) {
        held = CreateNewFile(lock, s.user + "\n");
        if (!held && i + 1 < kLogLockTries) std::this_thread::sleep_for(std::chrono::milliseconds(s.lock_wait_ms));
    }
    if (!held) {
        ShowError("Log file locked. No log");
        return false;
    }
    FILE* f = fopen(LogFilePath(s).c_str(), "ab");
    bool ok = f && fputs(ToDiskText(line + "\n").c_str(), f) >= 0;
    if (f) ok = fclose(f) == 0 && ok;
    std::error_code ec;
    fs::remove(lock, ec);
    return ok;
}

static std::string FoldedAbsolute(const std::string& p) {
    std::error_code ec;
    std::string s = fs::weakly_canonical(fs::absolute(p, ec), ec).generic_string();
    if (s.empty()) s = p;
    for (char& c : s) c = c == '\\' ? '/' : char(tolower(static_cast<unsigned char>(c)));
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

bool SameDirectory(const std::string& a, const std::string& b) { return FoldedAbsolute(a) == FoldedAbsolute(b); }
