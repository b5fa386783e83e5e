// The walk over directories and the scan of one file.
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "editor/line_reader.h"
#include "editor/text_search.h"
#include "tools/file_mask.h"
#include "tools/grep.h"

namespace fs = std::filesystem;

namespace {

constexpr int kLinesBetweenStopChecks = 4096;

enum class ScanEnd { Done, Unreadable, Binary, Stopped, Full };

bool StopRequested(const std::atomic<bool>* stop) { return stop && stop->load(std::memory_order_relaxed); }

// Lines that cannot hold the prefilter literal are skipped without running the matcher:
// the literal is searched in the reader's block, and only the line that holds the next
// occurrence is tested.
class Prefilter {
public:
    explicit Prefilter(const std::string& literal) : literal_(literal) {}

    bool MayMatch(const LineReader& reader, const char* text, int length) {
        if (literal_.empty()) return true;
        if (!next_ || reader.blocks_taken != block_) next_ = Find(reader, text);
        if (text + length < next_ + literal_.size()) return false;
        next_ = nullptr;  // searched again from the following line
        return true;
    }

private:
    const char* Find(const LineReader& reader, const char* from) {
        block_ = reader.blocks_taken;
        const char* end = CurrentBlock(reader).text + CurrentBlock(reader).fill;
        const char* hit = FindBytes(from, end - from, literal_.data(), literal_.size());
        return hit ? hit : end;
    }

    const std::string& literal_;
    const char* next_ = nullptr;
    int block_ = 0;  // the reader's block that next_ lies in
};

ScanEnd ScanFile(const GrepSearch& search, const std::string& path, GrepResult* result,
                 const std::atomic<bool>* stop) {
    LineReader reader;
    if (!OpenLineReader(&reader, path.c_str())) return ScanEnd::Unreadable;
    Prefilter prefilter(search.prefilter);
    ScanEnd end = ScanEnd::Done;
    bool first_hit = true;
    const char* text;
    int length;
    for (int line = 1; ReadLine(&reader, &text, &length); ++line) {
        if (line == 1 && memchr(CurrentBlock(reader).text, '\0', CurrentBlock(reader).fill)) {
            end = ScanEnd::Binary;
            break;
        }
        if (line % kLinesBetweenStopChecks == 0 && StopRequested(stop)) {
            end = ScanEnd::Stopped;
            break;
        }
        if (!prefilter.MayMatch(reader, text, length) || !GrepLineMatches(search, text, length)) continue;
        result->hits.push_back({path, line, std::string(text, length)});
        if (first_hit) result->files_with_hits.push_back(path);
        first_hit = false;
        if (result->hits.size() >= kGrepHitLimit) {
            end = ScanEnd::Full;
            break;
        }
    }
    if (end == ScanEnd::Done && reader.failed) end = ScanEnd::Unreadable;
    CloseLineReader(&reader);
    return end;
}

bool IsFileToSearch(const fs::directory_entry& entry) {
    std::error_code ec;
    if (entry.is_symlink(ec)) {
        fs::file_status target = fs::status(entry.path(), ec);
        return !fs::exists(target) || fs::is_regular_file(target);  // a dangling link is reported unreadable
    }
    return entry.is_regular_file(ec);
}

// Files first, then the subdirectories, in the order the file system lists them.
bool WalkDirectory(const GrepSearch& search, const fs::path& directory, const std::string& mask, GrepResult* result,
                   const std::atomic<bool>* stop) {
    std::error_code ec;
    std::vector<fs::path> subdirectories;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        std::string name = entry.path().filename().string();
        std::error_code kind_ec;
        if (entry.is_directory(kind_ec) && !entry.is_symlink(kind_ec)) {
            if (search.params.flags & kGrepSubdirectories && name[0] != '.') subdirectories.push_back(entry.path());
            continue;
        }
        if (!MatchesFileMask(name.c_str(), mask.c_str()) || !IsFileToSearch(entry)) continue;
        if (StopRequested(stop)) return false;
        std::string path = entry.path().string();
        switch (ScanFile(search, path, result, stop)) {
            case ScanEnd::Done: break;
            case ScanEnd::Unreadable: result->unreadable.push_back(path); break;
            case ScanEnd::Binary: ++result->binary_files; break;
            case ScanEnd::Stopped: return false;
            case ScanEnd::Full: result->hit_limit = true; return false;
        }
    }
    if (ec) result->unreadable.push_back(directory.string());
    for (const fs::path& sub : subdirectories)
        if (!WalkDirectory(search, sub, mask, result, stop)) return false;
    return true;
}

}  // namespace

void RunGrep(const GrepSearch& search, GrepResult* result, const std::atomic<bool>* stop) {
    *result = GrepResult{};
    for (const std::string& mask : SplitAtBlanks(search.params.masks)) {
        if (!WalkDirectory(search, fs::path(search.params.directory), mask, result, stop)) {
            result->stopped = !result->hit_limit;
            break;
        }
    }
    std::vector<std::string>& files = result->files_with_hits;
    std::reverse(files.begin(), files.end());  // newest first
}
