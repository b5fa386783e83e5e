#include "editor/line_split.h"

#include <bit>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// The longest stretch that must be in the buffer to decide where a line ends: the
// longest line and a CR CR LF end.
constexpr size_t kLookahead = kMaxLineLength + 3;
constexpr size_t kWindow = kSplitSlack;  // LFs are found through a bit mask of this many bytes

// One bit for each LF among the 64 bytes at p (all readable).
uint64_t LineFeedMask(const char* p) {
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi8('\n');
    uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        mask |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf)))) << (16 * i);
    }
    return mask;
#else
    uint64_t mask = 0;
    for (size_t i = 0; i < kWindow; ++i) mask |= static_cast<uint64_t>(p[i] == '\n') << i;
    return mask;
#endif
}

// The LFs of the window at `window`, none at or beyond the fill (stale bytes may lie there).
inline uint64_t WindowMask(const char* buffer, size_t window, size_t fill) {
    uint64_t mask = LineFeedMask(buffer + window);
    if (fill - window < kWindow) mask &= (uint64_t{1} << (fill - window)) - 1;
    return mask;
}

// Offsets of the LFs from `from` on: kLineFeedBatch of them (perhaps a window's worth
// more), or all below *scanned, which stops at the fill or at a stretch without LF too
// long for one line. Four are written a step whatever their number, so that how many
// LFs a window holds is seldom branched on.
constexpr int kLineFeedBatch = 256;
constexpr int kLineFeedRoom = kLineFeedBatch + static_cast<int>(kWindow) + 4;

int FindLineFeeds(const char* buffer, size_t from, size_t fill, uint32_t* lfs, size_t* scanned) {
    size_t window = from & ~(kWindow - 1);
    uint64_t mask = WindowMask(buffer, window, fill) & (~uint64_t{0} << (from - window));
    int k = 0;
    for (;;) {
        while (mask) {
            for (int i = 0; i < 4; ++i) {
                lfs[k] = static_cast<uint32_t>(window + static_cast<size_t>(std::countr_zero(mask)));
                k += mask != 0;
                mask &= mask - 1;
            }
        }
        window += kWindow;
        size_t last = k ? lfs[k - 1] + 1 : from;
        if (k >= kLineFeedBatch || window >= fill || window - last >= kLookahead) {
            *scanned = window < fill ? window : fill;
            return k;
        }
        mask = WindowMask(buffer, window, fill);
    }
}

// One batch of LFs made into lines: the loop that loading large files spends its time in.
int SplitBatch(const char* buffer, size_t* from, size_t fill, LineSpan* lines, int max, int* cut_lines) {
    size_t start = *from;
    uint32_t lfs[kLineFeedRoom];
    size_t scanned;
    int found = FindLineFeeds(buffer, start, fill, lfs, &scanned);
    int count = 0;
    int i = 0;
    while (i < found && count < max) {
        size_t lf = lfs[i];
        size_t n = lf - start;
        if (n && buffer[lf - 1] == '\r') n -= (n > 1 && buffer[lf - 2] == '\r') ? 2 : 1;
        if (n > static_cast<size_t>(kMaxLineLength)) break;
        lines[count++] = {buffer + start, static_cast<int>(n)};
        start = lf + 1;
        ++i;
    }
    // A line too long is cut: its first part is a line, and the rest is read again.
    // Without an LF in sight the line may also go on in the part not yet read.
    bool too_long = i < found || scanned - start >= kLookahead;
    if (too_long && count < max) {
        lines[count++] = {buffer + start, kMaxLineLength};
        start += kMaxLineLength;
        ++*cut_lines;
    }
    *from = start;
    return count;
}

}  // namespace

int SplitLines(const char* text, size_t* from, size_t fill, LineSpan* lines, int room, int* cut) {
    int count = 0;
    while (count < room) {
        int n = SplitBatch(text, from, fill, lines + count, room - count, cut);
        if (n == 0) break;
        count += n;
    }
    return count;
}

int LastLineLength(const char* text, size_t n) {
    for (int i = 0; i < 2 && n > 0 && text[n - 1] == '\r'; ++i) --n;
    return static_cast<int>(n);
}
