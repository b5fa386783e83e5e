#pragma once
// Reads a text file line by line through blocks of 150,000 bytes.
//
// A line ends at LF; one or two CR characters just before the LF (CR LF, CR CR LF) or
// before the end of the file belong to the line end, every other byte (other CRs, NUL
// bytes, tabs) is text. A last line without a line end is returned like any other. A
// line of more than 497 characters is cut after its 497th: those are returned as one
// line, `cut_lines` grows, and the rest follows as the next line.
//
// Use:
//     LineReader reader;
//     if (OpenLineReader(&reader, name)) {
//         const char* text; int length;
//         while (ReadLine(&reader, &text, &length)) ...;
//         bool ok = !reader.failed;
//         CloseLineReader(&reader);
//     }
// ReadLines hands out a block's lines at once, for loading large files. A large file is
// read and split a block ahead by a thread of the reader's own, while the caller takes
// the lines of the block before; an open reader must not be copied or moved, as that
// thread holds its address.
#include <cstddef>
#include <cstdio>

#include "editor/line_split.h"

inline constexpr size_t kTransferBufferSize = 150000;

// One block of the file, split into lines.
struct LineBlock {
    char* text = nullptr;        // kTransferBufferSize + kSplitSlack bytes
    size_t fill = 0;             // bytes in text: the rest of the block before, then read
    size_t split_end = 0;        // where its last whole line ends; the rest begins the next
    LineSpan* lines = nullptr;   // `room` entries
    int room = 0;
    int count = 0;               // lines split
    int taken = 0;               // lines handed out
    int cut_lines = 0;
    bool last = false;           // holds the end of the file
    bool failed = false;         // reading it failed
    bool ready = false;          // split and not yet given back (read ahead only)
};

struct ReadAhead;  // the thread reading ahead and what it waits on

struct LineReader {
    std::FILE* file = nullptr;
    LineBlock blocks[2];
    int current = 0;             // the block whose lines are being handed out
    int blocks_taken = 0;        // blocks made current so far; 0 before the first
    ReadAhead* ahead = nullptr;  // for large files
    bool failed = false;         // a read error ended the reading
    int cut_lines = 0;           // lines cut at kMaxLineLength, in the blocks handed out
};

// Opens the file for reading. Reports nothing: false when it cannot be opened or the
// buffers cannot be had (the out-of-memory box has been shown then).
bool OpenLineReader(LineReader* reader, const char* name);

// The next line: its bytes (not NUL-terminated, valid until the next call) and length.
// False at the end of the file or after a read error (`failed`).
bool ReadLine(LineReader* reader, const char** text, int* length);

// The next lines, valid until the next call: their number, 0 at the end of the file or
// after a read error (`failed`).
int ReadLines(LineReader* reader, const LineSpan** lines);

// The block the last line handed out lies in, for searches over a whole block. Its
// text and fill change when `blocks_taken` does.
inline const LineBlock& CurrentBlock(const LineReader& reader) { return reader.blocks[reader.current]; }

// Stops reading ahead, closes the file and releases the buffers; harmless on a reader
// that is not open.
void CloseLineReader(LineReader* reader);
