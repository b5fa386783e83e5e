#pragma once
// The text the scanners read: a snapshot of a document's lines as (text, length) pairs,
// 0-based here, 1-based in every line number the scanners report. A snapshot is taken
// just before a scan and dropped after it, so no line pointer outlives an edit.
#include <cstdint>
#include <string>
#include <vector>

struct LineView {
    const char* text;
    int32_t length;
};

struct SourceLines {
    const LineView* lines = nullptr;
    int32_t count = 0;
};

// Views of a vector of strings (tests, benches, files read whole); the strings must
// outlive the views.
std::vector<LineView> ViewLines(const std::vector<std::string>& lines);
inline SourceLines AsSource(const std::vector<LineView>& views) {
    return SourceLines{views.data(), static_cast<int32_t>(views.size())};
}

// Splits a text into lines at LF, dropping CR before it (for generators reading back
// their own files and for tests).
std::vector<std::string> SplitLines(const std::string& text);

// Line `line` (1-based) with the lines before and after it that exist, joined by CR LF
// (what the definition display and the string context show).
std::string LinesAround(SourceLines text, int32_t line);
