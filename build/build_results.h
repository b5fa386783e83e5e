#pragma once
// What a finished build shows: the message file's lines and the closing line.
#include <cstdint>
#include <string>
#include <vector>

inline constexpr size_t kMaxMessageBytes = 32700;
inline constexpr size_t kMaxMessageLine = 1400;

struct BuildOutcome {
    std::string exe;          // the output file
    uint32_t build_time = 0;  // milliseconds
    int exit_code = -1;
};

// The lines of a message file's bytes, cut at line feeds (carriage returns stay). Sets
// `too_big` and stops when the limits are passed; the lines read so far are kept.
std::vector<std::string> MessageLines(const std::string& bytes, bool& too_big);

// The lines shown for a finished build: "%s built sucessfully. (%3.1f sec)." alone when
// make succeeded without messages; otherwise the messages, then "Compilation + link
// time:%3.1f sec, Return code: %d". A failed make is never reported as a success.
std::vector<std::string> ResultLines(const std::vector<std::string>& messages, const BuildOutcome& outcome);

// Splits a line for a list of limited width: `fits` says whether a text fits. Continuation
// lines start with " + ".
std::vector<std::string> WrapLine(const std::string& line, bool (*fits)(const std::string& text, void* context),
                                  void* context);

// The first line of the message a clicked line belongs to, with its continuations joined.
std::string JoinContinuations(const std::vector<std::string>& lines, size_t clicked, size_t* first = nullptr);
