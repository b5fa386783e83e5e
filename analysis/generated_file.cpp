#include "analysis/generated_file.h"

#include <cstdio>
#include <filesystem>

#include "analysis/message_ids.h"
#include "editor/safe_file.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

bool WriteGeneratedFile(const std::string& name, const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    SafeFile f;
    if (!OpenSafeFile(&f, name.c_str())) return false;
    if (!WriteSafeFile(&f, bytes.data(), bytes.size())) {
        AbandonSafeFile(&f);
        return false;
    }
    return CommitSafeFile(&f);
}

ReadResult ReadExistingFile(const std::string& name, std::string* text) {
    text->clear();
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) {
        std::error_code ec;
        if (!std::filesystem::exists(name, ec) && !ec) return ReadResult::Missing;
        ShowError(FormatText(MessageText(kMsgCannotRead), name.c_str()));
        return ReadResult::Failed;
    }
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text->append(buffer, n);
    bool failed = std::ferror(f);
    std::fclose(f);
    if (failed) {
        ShowError(FormatText(MessageText(kMsgCannotRead), name.c_str()));
        return ReadResult::Failed;
    }
    return ReadResult::Read;
}

std::string LastComponent(const std::string& path) {
    size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithExtension(const std::string& name, const char* extension) {
    size_t base = name.size() - LastComponent(name).size();
    size_t dot = name.find('.', base);
    return (dot == std::string::npos ? name : name.substr(0, dot)) + extension;
}
