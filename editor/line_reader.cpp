#include "editor/line_reader.h"

#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "editor/block_alloc.h"

namespace {

// The longest stretch that must be in the buffer to decide where a line ends: the
// longest line and a CR CR LF end.
constexpr size_t kLookahead = kMaxLineLength + 3;
constexpr size_t kWindow = 64;  // LFs are found through a bit mask of this many bytes

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

// Moves the unread part to the start and reads more behind it.
void Refill(LineReader* r) {
    size_t rest = r->fill - r->position;
    std::memmove(r->buffer, r->buffer + r->position, rest);
    r->position = 0;
    r->fill = rest;
    size_t got = std::fread(r->buffer + rest, 1, kTransferBufferSize - rest, r->file);
    r->fill += got;
    if (got < kTransferBufferSize - rest) {
        r->end_of_file = true;
        if (std::ferror(r->file)) r->failed = true;
    }
}

int WithoutLineEndCRs(const char* text, size_t n) {
    for (int i = 0; i < 2 && n > 0 && text[n - 1] == '\r'; ++i) --n;
    return static_cast<int>(n);
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

// The lines that lie wholly in the buffer, without reading more: the loop that loading
// large files spends its time in.
int SplitBuffered(LineReader* r, LineSpan* lines, int max) {
    const char* buffer = r->buffer;
    size_t start = r->position;
    uint32_t lfs[kLineFeedRoom];
    size_t scanned;
    int found = FindLineFeeds(buffer, start, r->fill, lfs, &scanned);
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
        ++r->cut_lines;
    }
    r->position = start;
    return count;
}

}  // namespace

bool OpenLineReader(LineReader* reader, const char* name) {
    *reader = LineReader{};
    reader->file = std::fopen(name, "rb");
    if (!reader->file) return false;
    reader->buffer = static_cast<char*>(AllocateBlock(kTransferBufferSize + kWindow));
    if (!reader->buffer) {
        std::fclose(reader->file);
        reader->file = nullptr;
        return false;
    }
    return true;
}

int ReadLines(LineReader* r, LineSpan* lines, int max) {
    if (!r->file || r->failed || max <= 0) return 0;
    for (;;) {
        int count = SplitBuffered(r, lines, max);
        if (count > 0) return count;  // the buffer moves only when no line of it is handed out
        if (!r->end_of_file) {
            Refill(r);
            if (r->failed) return 0;
            continue;
        }
        size_t avail = r->fill - r->position;
        if (avail == 0) return 0;
        lines[0] = {r->buffer + r->position, WithoutLineEndCRs(r->buffer + r->position, avail)};
        r->position = r->fill;
        return 1;
    }
}

bool ReadLine(LineReader* r, const char** text, int* length) {
    LineSpan line;
    if (ReadLines(r, &line, 1) == 0) return false;
    *text = line.text;
    *length = line.length;
    return true;
}

void CloseLineReader(LineReader* reader) {
    if (reader->file) std::fclose(reader->file);
    ReleaseBlock(reader->buffer);
    reader->file = nullptr;
    reader->buffer = nullptr;
}
