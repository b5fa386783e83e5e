#include "editor/safe_file.h"

#include <filesystem>
#include <system_error>

#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace fs = std::filesystem;

namespace {

void CannotWrite(const SafeFile* f) { ShowError(FormatText(MessageText(1154), f->target.c_str())); }

bool Rename(const std::string& from, const std::string& to) {
    std::error_code error;
    fs::rename(fs::path(from), fs::path(to), error);
    return !error;
}

// Replacing a file by renaming would get past its read-only mark: honour it here.
bool ReadOnly(const std::string& name) {
    std::error_code error;
    fs::file_status status = fs::status(fs::path(name), error);
    return !error && fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

bool OpenSafeFile(SafeFile* f, const char* target) {
    f->target = target;
    f->temporary = f->target + "~tmp";
    if (ReadOnly(f->target)) {
        CannotWrite(f);
        return false;
    }
    f->file = std::fopen(f->temporary.c_str(), "wb");
    if (!f->file) {
        CannotWrite(f);
        return false;
    }
    return true;
}

bool WriteSafeFile(SafeFile* f, const char* bytes, size_t n) {
    if (n == 0 || std::fwrite(bytes, 1, n, f->file) == n) return true;
    ShowErrorId(1155);
    return false;
}

bool CommitSafeFile(SafeFile* f, const std::string& backup) {
    bool written = std::fflush(f->file) == 0 && !std::ferror(f->file);
    written = std::fclose(f->file) == 0 && written;
    f->file = nullptr;
    if (!written) {
        ShowErrorId(1155);
        AbandonSafeFile(f);
        return false;
    }
    std::error_code error;
    bool backed_up = false;
    if (!backup.empty() && backup != f->target && fs::exists(fs::path(f->target), error)) {
        fs::remove(fs::path(backup), error);
        backed_up = Rename(f->target, backup);
    }
    if (!Rename(f->temporary, f->target)) {
        if (backed_up) Rename(backup, f->target);
        CannotWrite(f);
        AbandonSafeFile(f);
        return false;
    }
    return true;
}

void AbandonSafeFile(SafeFile* f) {
    if (f->file) std::fclose(f->file);
    f->file = nullptr;
    std::error_code error;
    fs::remove(fs::path(f->temporary), error);
}
