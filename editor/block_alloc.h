#pragma once
// The checked block allocator from which every dynamic record of the program comes.
//
// A block of n user bytes occupies n + 12 bytes: the magic word 0x00BC614E, the total
// size, the n zero-filled user bytes and the trailer word 0x0000FFFF right behind
// them. Totals up to the largest of the 71 size classes come from per-class free
// lists; larger blocks go straight to the system. Releasing checks the magic word
// (id 4072, the block is kept) and the trailer (id 4073, the release goes on).
// Safe to call from any thread.
#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kBlockMagic = 0x00BC614E;
inline constexpr uint32_t kBlockTrailer = 0x0000FFFF;
inline constexpr size_t kBlockOverhead = 12;
inline constexpr int kBlockClassCount = 71;
inline constexpr size_t kPathBufferSize = 400;

// Zero-filled user bytes, or null after the out-of-memory box.
void* AllocateBlock(size_t size);

// Many blocks under one hold of the pool, for loading large files: blocks[i] gets
// sizes[i] bytes as from AllocateBlock. Returns how many were had, in order; fewer than
// `count` after the out-of-memory box.
int AllocateBlocks(const size_t* sizes, void** blocks, int count);

// Null is ignored. A damaged block is reported; one with a wrong magic word (never
// allocated, or already released) is left alone.
void ReleaseBlock(void* block);

// ReleaseBlock for many blocks under one hold of the pool, for freeing large documents.
void ReleaseBlocks(void* const* blocks, int count);

// The usual shorthands: a 400-byte path buffer, and a copy of a string.
char* AllocatePathBuffer();
char* DuplicateString(const char* text);

// The class size (total bytes) that serves a total of `total` bytes, or 0 when the
// block goes straight to the system.
size_t BlockClassSize(size_t total);

struct BlockStatistics {
    size_t from_system;       // bytes taken from the system for the pool and large blocks
    size_t lost_to_rounding;  // bytes lost by rounding requests up to their class
    size_t allocated;         // bytes currently handed out (totals, overhead included)
};
BlockStatistics BlockAllocatorStatistics();
