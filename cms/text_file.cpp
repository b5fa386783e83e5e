#include "cms/text_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    char block[65536];
    size_t n;
    while ((n = fread(block, 1, sizeof block, f)) > 0) bytes.append(block, n);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

bool ReadTextFile(const std::string& path, std::string& text) {
    text.clear();
    std::string raw;
    if (!ReadFileBytes(path, raw)) return false;
    text.reserve(raw.size());
    size_t start = 0;
    for (size_t cr; (cr = raw.find("\r\n", start)) != std::string::npos; start = cr + 1) text.append(raw, start, cr - start);
    text.append(raw, start, std::string::npos);
    return true;
}

LineList SplitLines(std::string_view text) {
    LineList lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

std::string JoinLines(const LineList& lines) {
    size_t total = 0;
    for (auto l : lines) total += l.size();
    std::string text;
    text.reserve(total);
    for (auto l : lines) text.append(l);
    return text;
}

std::string ToDiskText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

bool WriteDurableFile(const std::string& path, std::string_view bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && fflush(f) == 0;
#ifdef _WIN32
    ok = ok && _commit(_fileno(f)) == 0;
#else
    ok = ok && fsync(fileno(f)) == 0;
#endif
    ok = fclose(f) == 0 && ok;
    return ok;
}

bool ReplaceFileAtomically(const std::string& target, std::string_view text, std::string& error,
                           std::string* kept_temp) {
    return ReplaceFileBytes(target, ToDiskText(text), error, kept_temp);
}

bool ReplaceFileBytes(const std::string& target, std::string_view bytes, std::string& error, std::string* kept_temp) {
    // The temporary file lies in the target's directory so that the rename never crosses a volume.
    std::string temp;
    for (int i = 0; i < 1000; ++i) {
        temp = target + ".~" + std::to_string(i);
        if (!FileExists(temp)) break;
    }
    if (!WriteDurableFile(temp, bytes)) {
        std::error_code ec;
        fs::remove(temp, ec);
        error = "Write error. Is the disk full?";
        return false;
    }
    std::error_code ec;
    if (fs::exists(target, ec))  // a read-only target would refuse the rename on Windows
        fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, ec);
    fs::rename(temp, target, ec);
    if (ec) {
        error = "File read or write error.";
        if (kept_temp) {
            *kept_temp = temp;
            return false;
        }
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    char last = dir.back();
    if (last == '/' || last == '\\') return dir + name;
#ifdef _WIN32
    return dir + "\\" + name;
#else
    return dir + "/" + name;
#endif
}

std::string FileNamePart(const std::string& path) {
    size_t cut = path.find_last_of("/\\:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string DirectoryPart(const std::string& path) {
    size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}
