#pragma once
// Splitting text into lines by the reader's rules (editor/line_reader.h), found through
// bit masks of the LFs of 64 bytes at a time.
#include <cstddef>

struct LineSpan {
    const char* text;  // not NUL-terminated
    int length;
};

inline constexpr int kMaxLineLength = 497;
inline constexpr size_t kSplitSlack = 64;  // bytes past the fill that must be readable

// Splits text from *from up to `fill` into at most `room` lines, moving *from past them.
// Stops where the next line may go on past the fill: a stretch without LF shorter than a
// longest line and its line end. Lines cut at kMaxLineLength are counted in *cut.
int SplitLines(const char* text, size_t* from, size_t fill, LineSpan* lines, int room, int* cut);

// The length of a last line that ends at the end of the file, without its CRs.
int LastLineLength(const char* text, size_t length);
