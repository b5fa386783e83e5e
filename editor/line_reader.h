#pragma once
// Reads a text file line by line through a 150,000-byte block buffer.
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
// ReadLines hands out many lines a call, for loading large files.
#include <cstddef>
#include <cstdint>
#include <cstdio>

inline constexpr size_t kTransferBufferSize = 150000;
inline constexpr int kMaxLineLength = 497;

struct LineReader {
    std::FILE* file = nullptr;
    char* buffer = nullptr;  // kTransferBufferSize + 64 bytes, while open
    size_t position = 0;     // next unread byte
    size_t fill = 0;         // bytes in the buffer
    bool end_of_file = false;
    bool failed = false;     // a read error ended the reading
    int cut_lines = 0;       // lines cut at kMaxLineLength
};

// Opens the file for reading. Reports nothing: false when it cannot be opened or the
// buffer cannot be had (the out-of-memory box has been shown then).
bool OpenLineReader(LineReader* reader, const char* name);

// The next line: its bytes (not NUL-terminated, valid until the next call) and length.
// False at the end of the file or after a read error (`failed`).
bool ReadLine(LineReader* reader, const char** text, int* length);

struct LineSpan {
    const char* text;  // not NUL-terminated, valid until the next call
    int length;
};

// Up to `max` next lines, as ReadLine would give them one by one; 0 at the end of the
// file or after a read error (`failed`).
int ReadLines(LineReader* reader, LineSpan* lines, int max);

// Closes the file and releases the buffer; harmless on a reader that is not open.
void CloseLineReader(LineReader* reader);
