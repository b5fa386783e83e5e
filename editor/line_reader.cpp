#include "editor/line_reader.h"

#include <cstring>

#include "editor/block_alloc.h"

namespace {

// The longest stretch that must be in the buffer to decide where a line ends: the
// longest line and a CR CR LF end.
constexpr size_t kLookahead = kMaxLineLength + 3;

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

int WithoutLineEndCRs(const char* text, int n) {
    for (int i = 0; i < 2 && n > 0 && text[n - 1] == '\r'; ++i) --n;
    return n;
}

}  // namespace

bool OpenLineReader(LineReader* reader, const char* name) {
    *reader = LineReader{};
    reader->file = std::fopen(name, "rb");
    if (!reader->file) return false;
    reader->buffer = static_cast<char*>(AllocateBlock(kTransferBufferSize + 1));
    if (!reader->buffer) {
        std::fclose(reader->file);
        reader->file = nullptr;
        return false;
    }
    return true;
}

bool ReadLine(LineReader* r, const char** text, int* length) {
    if (!r->file || r->failed) return false;
    for (;;) {
        const char* start = r->buffer + r->position;
        size_t avail = r->fill - r->position;
        size_t scan = avail < kLookahead ? avail : kLookahead;
        const char* lf = static_cast<const char*>(std::memchr(start, '\n', scan));
        int n;
        size_t consumed;
        if (lf) {
            n = WithoutLineEndCRs(start, static_cast<int>(lf - start));
            consumed = static_cast<size_t>(lf - start) + 1;
        } else if (avail >= kLookahead) {
            n = kMaxLineLength + 1;  // longer than a line may be: cut below
            consumed = 0;
        } else if (!r->end_of_file) {
            Refill(r);
            if (r->failed) return false;
            continue;
        } else if (avail == 0) {
            return false;
        } else {
            n = WithoutLineEndCRs(start, static_cast<int>(avail));
            consumed = avail;
        }
        if (n > kMaxLineLength) {
            n = kMaxLineLength;
            consumed = kMaxLineLength;
            ++r->cut_lines;
        }
        *text = start;
        *length = n;
        r->position += consumed;
        return true;
    }
}

void CloseLineReader(LineReader* reader) {
    if (reader->file) std::fclose(reader->file);
    ReleaseBlock(reader->buffer);
    reader->file = nullptr;
    reader->buffer = nullptr;
}
