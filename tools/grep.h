#pragma once
// Multi-file search: every file matching one of the masks in a directory (and, when
// asked, its subdirectories) is read with the line reader and each line tested for a
// text, a regular expression or a set of words.
//
// Use from the dialog:
//     GrepSearch search;
//     if (PrepareGrep(params, &search)) {          // user-interface thread: may report
//         GrepResult result;
//         RunGrep(search, &result, &stop_flag);    // any thread: reports nothing
//         FinishGrep(params, &result);             // user-interface thread: summary or "not found"
//         ShowHitList(result.summary, result.hits) // the output window (Win32 layer)
//     }
// RunGrep ends early, with `stopped` set, once *stop becomes true.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/regex.h"

enum : uint16_t {
    kGrepMatchCase = 2,
    kGrepSubdirectories = 8,
    kGrepRegularExpression = 64,
    kGrepWholeWords = 128,
    kGrepMultiple = 256,
};

// The search parameters, one record kept between searches.
struct GrepParameters {
    uint16_t flags = kGrepMatchCase;
    std::string masks = "*.c *.h";  // blank-separated, wildcards * and ?
    std::string text;               // the expression
    std::string directory;          // full path, no trailing separator
};

struct GrepHit {
    std::string file;  // full path as walked
    int line;          // from 1, counting the pieces the line reader returns
    std::string text;  // the line as read
};

// A search ends once it has this many hits (the output window could not show more).
inline constexpr size_t kGrepHitLimit = 100000;

struct GrepResult {
    std::vector<GrepHit> hits;                 // in search order
    std::vector<std::string> files_with_hits;  // newest first
    std::vector<std::string> unreadable;       // files that could not be opened or read
    int binary_files = 0;                      // files holding NUL bytes, not searched
    bool stopped = false;     // by the stop flag
    bool hit_limit = false;   // ended at kGrepHitLimit hits
    std::string summary;  // "Searching for '%s' in '%s': %d hits."
};

// A prepared search: the compiled expression or the words to look for.
struct GrepSearch {
    GrepParameters params;
    bool ignore_case = false;
    bool whole_words = false;
    enum class Mode { Plain, Expression, Words } mode = Mode::Plain;
    CompiledRegex regex;
    std::vector<std::string> words;
    std::string prefilter;  // a literal every matching line contains, searched block-wise
};

// Compiles the expression (its error is reported) or splits the words. False: no search.
bool PrepareGrep(const GrepParameters& params, GrepSearch* search);

// Walks the masks one after the other, files of a directory before its subdirectories
// (names beginning with '.' are skipped, links to directories are not followed). A
// file that cannot be opened is listed in `unreadable` and the walk goes on.
void RunGrep(const GrepSearch& search, GrepResult* result, const std::atomic<bool>* stop);

// Sets the summary; with no hit shows "'%s': not found" on the status line. Files that
// could not be read, binary files skipped and a search that ended early are told on the
// status line.
void FinishGrep(const GrepParameters& params, GrepResult* result);

// True when the line matches the prepared search.
bool GrepLineMatches(const GrepSearch& search, const char* line, int length);
