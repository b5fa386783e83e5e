#include "editor/line_reader.h"

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "editor/block_alloc.h"

// The thread that fills the two blocks in turn; the caller gives each back when it has
// taken its lines.
struct ReadAhead {
    std::mutex lock;
    std::condition_variable changed;
    bool stop = false;
    std::thread thread;
};

namespace {

// Files from this size on are read ahead: below it a thread costs more than it saves.
constexpr long kReadAheadSize = 2 * static_cast<long>(kTransferBufferSize);

long FileSize(std::FILE* file) {
    long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    std::rewind(file);
    return size;
}

// Reads the next block into `to` behind the rest of `before` (the block before, or null;
// it may be `to` itself) and splits it.
void FillBlock(std::FILE* file, LineBlock* to, const LineBlock* before) {
    size_t rest = before ? before->fill - before->split_end : 0;
    if (rest) std::memmove(to->text, before->text + before->split_end, rest);
    size_t wanted = kTransferBufferSize - rest;
    size_t got = wanted ? std::fread(to->text + rest, 1, wanted, file) : 0;
    to->fill = rest + got;
    to->taken = to->cut_lines = 0;
    to->failed = got < wanted && std::ferror(file);
    size_t end = 0;
    to->count = SplitLines(to->text, &end, to->fill, to->lines, to->room, &to->cut_lines);
    bool end_of_file = got < wanted && !to->failed;
    if (end_of_file && end < to->fill && to->count < to->room) {
        // The last line has no line end; it may still be too long.
        int n = LastLineLength(to->text + end, to->fill - end);
        bool cut = n > kMaxLineLength;
        if (cut) {
            n = kMaxLineLength;
            ++to->cut_lines;
        }
        to->lines[to->count++] = {to->text + end, n};
        end = cut ? end + kMaxLineLength : to->fill;
    }
    to->last = end_of_file && end == to->fill;
    to->split_end = end;
}

void ReadAheadLoop(LineReader* r) {
    ReadAhead* ahead = r->ahead;
    const LineBlock* before = nullptr;
    for (int i = 0;; i ^= 1) {
        LineBlock* block = &r->blocks[i];
        {
            std::unique_lock<std::mutex> hold(ahead->lock);
            ahead->changed.wait(hold, [&] { return ahead->stop || !block->ready; });
            if (ahead->stop) return;
        }
        FillBlock(r->file, block, before);
        bool done = block->last || block->failed;
        {
            std::lock_guard<std::mutex> hold(ahead->lock);
            block->ready = true;
        }
        ahead->changed.notify_all();
        if (done) return;
        before = block;
    }
}

void StartReadAhead(LineReader* r) {
    static_assert(alignof(ReadAhead) <= 8, "checked blocks are aligned to 8");
    void* memory = AllocateBlock(sizeof(ReadAhead));
    if (!memory) return;
    r->ahead = new (memory) ReadAhead;
    try {
        r->ahead->thread = std::thread(ReadAheadLoop, r);
    } catch (const std::system_error&) {
        r->ahead->~ReadAhead();  // no thread: the blocks are read when needed
        ReleaseBlock(memory);
        r->ahead = nullptr;
    }
}

void StopReadAhead(LineReader* r) {
    {
        std::lock_guard<std::mutex> hold(r->ahead->lock);
        r->ahead->stop = true;
    }
    r->ahead->changed.notify_all();
    r->ahead->thread.join();
    r->ahead->~ReadAhead();
    ReleaseBlock(r->ahead);
    r->ahead = nullptr;
}

// Makes the next block current: reads it here, or gives the current one back and waits
// for the thread reading ahead.
void NextBlock(LineReader* r) {
    if (!r->ahead) {
        LineBlock* block = &r->blocks[0];
        FillBlock(r->file, block, r->blocks_taken ? block : nullptr);
    } else {
        std::unique_lock<std::mutex> hold(r->ahead->lock);
        if (r->blocks_taken) {
            r->blocks[r->current].ready = false;
            r->current ^= 1;
            r->ahead->changed.notify_all();
        }
        r->ahead->changed.wait(hold, [&] { return r->blocks[r->current].ready; });
    }
    ++r->blocks_taken;
    const LineBlock& block = r->blocks[r->current];
    r->cut_lines += block.cut_lines;
    if (block.failed) r->failed = true;
}

// The current block when it has lines left to hand out, else the next that has; null at
// the end of the file or after a read error.
LineBlock* BlockWithLines(LineReader* r) {
    if (!r->file) return nullptr;
    while (!r->failed) {
        LineBlock* block = &r->blocks[r->current];
        if (r->blocks_taken && block->taken < block->count) return block;
        if (r->blocks_taken && block->last) return nullptr;
        NextBlock(r);
    }
    return nullptr;
}

}  // namespace

bool OpenLineReader(LineReader* reader, const char* name) {
    *reader = LineReader{};
    reader->file = std::fopen(name, "rb");
    if (!reader->file) return false;
    long size = FileSize(reader->file);
    bool ahead = size >= kReadAheadSize;
    // A block of n bytes holds at most n + 1 lines; a file that grows meanwhile is split
    // over more blocks.
    size_t bytes = size >= 0 && static_cast<size_t>(size) < kTransferBufferSize ? static_cast<size_t>(size)
                                                                                 : kTransferBufferSize;
    for (int i = 0; i < (ahead ? 2 : 1); ++i) {
        LineBlock& block = reader->blocks[i];
        block.room = static_cast<int>(bytes) + 2;
        block.text = static_cast<char*>(AllocateBlock(kTransferBufferSize + kSplitSlack));
        block.lines = block.text ? static_cast<LineSpan*>(AllocateBlock(sizeof(LineSpan) * block.room)) : nullptr;
        if (!block.lines) {
            CloseLineReader(reader);
            return false;
        }
    }
    if (ahead) StartReadAhead(reader);
    return true;
}

bool ReadLine(LineReader* reader, const char** text, int* length) {
    LineBlock* block = BlockWithLines(reader);
    if (!block) return false;
    const LineSpan& line = block->lines[block->taken++];
    *text = line.text;
    *length = line.length;
    return true;
}

int ReadLines(LineReader* reader, const LineSpan** lines) {
    LineBlock* block = BlockWithLines(reader);
    if (!block) return 0;
    *lines = block->lines + block->taken;
    int n = block->count - block->taken;
    block->taken = block->count;
    return n;
}

void CloseLineReader(LineReader* reader) {
    if (reader->ahead) StopReadAhead(reader);
    if (reader->file) std::fclose(reader->file);
    for (LineBlock& block : reader->blocks) {
        ReleaseBlock(block.text);
        ReleaseBlock(block.lines);
        block = LineBlock{};
    }
    reader->file = nullptr;
}
