#include "tools/hit_list.h"

#include <filesystem>

#include "editor/char_class.h"
#include "shell/format_buffer.h"

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(LowerAscii(c));
    return text;
}

std::string NormalDirectory(const fs::path& directory) {
    fs::path p = directory.lexically_normal();
    if (!p.has_filename() && p.has_relative_path()) p = p.parent_path();  // "dir/" is "dir"
    return Lower(p.string());
}

bool SameDirectory(const fs::path& a, const std::string& b) { return NormalDirectory(a) == NormalDirectory(b); }

}  // namespace

std::string HitLine(const GrepHit& hit, const std::string& directory) {
    fs::path file(hit.file);
    std::string shown = SameDirectory(file.parent_path(), directory) ? file.filename().string() : hit.file;
    size_t skip = hit.text.find_first_not_of(" \t");
    const char* text = skip == std::string::npos ? "" : hit.text.c_str() + skip;
    return FormatText("[%s:%d] %s", Lower(shown).c_str(), hit.line, text);
}

std::vector<std::string> HitListLines(const std::string& summary, const std::vector<GrepHit>& hits,
                                      const std::string& directory) {
    std::vector<std::string> lines{summary};
    for (const GrepHit& hit : hits) lines.push_back(HitLine(hit, directory));
    return lines;
}

std::string HitFileToOpen(const GrepHit& hit, const std::string& directory) {
    fs::path file(hit.file);
    if (!file.has_parent_path()) file = fs::path(directory) / file;
    return Lower(file.string());
}
