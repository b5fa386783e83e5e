#include "editor/block_alloc.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <atomic>
#include <mutex>
#include <thread>
#include <unordered_set>
#include <vector>

#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

constexpr uint16_t kClassSizes[kBlockClassCount] = {
    32,   36,   40,   44,   48,   52,   56,   60,   64,   72,   80,   88,   96,   104,  112,  120,  128,  140,
    152,  164,  176,  188,  200,  216,  232,  248,  264,  284,  304,  324,  348,  372,  396,  424,  452,  484,
    516,  552,  588,  628,  668,  712,  760,  808,  860,  916,  976,  1040, 1108, 1180, 1256, 1336, 1420, 1512,
    1608, 1712, 1820, 1936, 2060, 2192, 2332, 2480, 2636, 2804, 2980, 3168, 3368, 3580, 3804, 4044, 4300};
constexpr size_t kLargestClass = 4300;
constexpr size_t kChunkSize = 4096;       // one refill of a class below 1024 bytes
constexpr size_t kArenaSize = 1 << 20;    // chunks are carved from arenas so release can check ownership
constexpr size_t kAlignment = alignof(void*) > 8 ? alignof(void*) : 8;
constexpr size_t kLinkSize = sizeof(char*);  // the free-list link in a free block's first word

struct Arena {
    char* start;
    char* end;
};

// A spin lock: the pool is held only for a few instructions, and nearly always by the
// user-interface thread alone.
struct SpinLock {
    std::atomic_flag flag = ATOMIC_FLAG_INIT;
    void lock() {
        while (flag.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
    }
    void unlock() { flag.clear(std::memory_order_release); }
};

struct Pool {
    SpinLock lock;
    char* free_list[kBlockClassCount] = {};
    std::vector<Arena> arenas;  // sorted by address
    Arena last_released_arena = {nullptr, nullptr};
    char* arena_next = nullptr;
    char* arena_end = nullptr;
    std::unordered_set<void*> large;  // live blocks beyond the last class
    BlockStatistics stats = {};
};

Pool& ThePool() {
    static Pool* pool = new Pool;  // never destroyed: blocks may be released during exit
    return *pool;
}

size_t Stride(size_t class_size) { return (class_size + kAlignment - 1) & ~(kAlignment - 1); }

// Class sizes are multiples of 4: the class of a total is looked up by total / 4.
struct ClassTable {
    uint8_t index[kLargestClass / 4 + 1];
    ClassTable() {
        int c = 0;
        for (size_t q = 0; q <= kLargestClass / 4; ++q) {
            while (kClassSizes[c] < q * 4) ++c;
            index[q] = static_cast<uint8_t>(c);
        }
    }
};
const ClassTable kClassTable;

int ClassIndex(size_t total) { return total > kLargestClass ? -1 : kClassTable.index[(total + 3) / 4]; }

char* CarveFromArena(Pool& pool, size_t bytes) {
    if (static_cast<size_t>(pool.arena_end - pool.arena_next) < bytes) {
        char* arena = static_cast<char*>(std::calloc(1, kArenaSize));
        if (!arena) return nullptr;
        pool.stats.from_system += kArenaSize;
        Arena a = {arena, arena + kArenaSize};
        auto at = std::lower_bound(pool.arenas.begin(), pool.arenas.end(), a,
                                   [](const Arena& x, const Arena& y) { return x.start < y.start; });
        pool.arenas.insert(at, a);
        pool.arena_next = arena;
        pool.arena_end = arena + kArenaSize;
    }
    char* p = pool.arena_next;
    pool.arena_next += bytes;
    return p;
}

// An empty class gets one chunk: 4096 / size blocks below 1024 bytes, else one block.
bool Refill(Pool& pool, int index) {
    size_t stride = Stride(kClassSizes[index]);
    size_t count = kClassSizes[index] < 1024 ? kChunkSize / stride : 1;
    char* chunk = CarveFromArena(pool, count * stride);
    if (!chunk) return false;
    for (size_t i = count; i-- > 0;) {
        char* block = chunk + i * stride;
        std::memcpy(block, &pool.free_list[index], sizeof(char*));
        pool.free_list[index] = block;
    }
    return true;
}

// Blocks released one after another mostly share an arena: that one is tried first.
bool InPool(Pool& pool, const char* p) {
    const Arena& last = pool.last_released_arena;
    if (p >= last.start && p < last.end) return true;
    auto at = std::upper_bound(pool.arenas.begin(), pool.arenas.end(), p,
                               [](const char* q, const Arena& a) { return q < a.start; });
    if (at == pool.arenas.begin() || p >= (at - 1)->end) return false;
    pool.last_released_arena = *(at - 1);
    return true;
}

uint32_t Word(const char* p) {
    uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
}

void SetWord(char* p, uint32_t w) { std::memcpy(p, &w, 4); }

// Free blocks of a class mostly lie one after another: asking for the memory some
// blocks ahead saves waiting on each link when many are taken in a row.
void FetchAhead(const char* next_free, int index) {
    constexpr uintptr_t kBlocksAhead = 24;
    if (next_free)
        __builtin_prefetch(reinterpret_cast<const void*>(reinterpret_cast<uintptr_t>(next_free) +
                                                         kBlocksAhead * Stride(kClassSizes[index])));
}

// A block of `total` bytes with only its free-list link cleared, or null; the pool is held.
char* TakeBlock(Pool& pool, size_t total) {
    char* block = nullptr;
    int index = ClassIndex(total);
    if (index >= 0) {
        if (pool.free_list[index] || Refill(pool, index)) {
            block = pool.free_list[index];
            std::memcpy(&pool.free_list[index], block, kLinkSize);
            FetchAhead(pool.free_list[index], index);
            std::memset(block, 0, kLinkSize);  // free blocks are zero apart from the link
            pool.stats.lost_to_rounding += kClassSizes[index] - total;
        }
    } else if ((block = static_cast<char*>(std::calloc(1, total)))) {
        pool.large.insert(block);
        pool.stats.from_system += total;
    }
    if (block) pool.stats.allocated += total;
    return block;
}

void* Stamp(char* block, size_t size) {
    SetWord(block, kBlockMagic);
    SetWord(block + 4, static_cast<uint32_t>(size + kBlockOverhead));
    SetWord(block + 8 + size, kBlockTrailer);
    return block + 8;
}

// What releasing a block found.
struct ReleaseCheck {
    bool wrong;            // not handed out by the pool, or already back: left alone
    size_t damaged_total;  // the trailer was overwritten: put back all the same
};

// Puts a block back; the pool is held.
ReleaseCheck PutBack(Pool& pool, char* block) {
    bool pooled = InPool(pool, block);
    bool large = !pooled && pool.large.count(block) != 0;
    size_t total = 0;
    int index = -1;
    if (pooled || large) {
        total = Word(block + 4);
        index = ClassIndex(total);
    }
    if ((!pooled && !large) || Word(block) != kBlockMagic || total < kBlockOverhead ||
        (large ? index >= 0 : index < 0))
        return {true, 0};
    ReleaseCheck check = {false, Word(block + total - 4) != kBlockTrailer ? total : 0};
    SetWord(block, 0);
    SetWord(block + total - 4, 0);
    pool.stats.allocated -= total;
    if (large) {
        pool.large.erase(block);
        pool.stats.from_system -= total;
        std::free(block);
    } else {
        pool.stats.lost_to_rounding -= kClassSizes[index] - total;
        std::memset(block, 0, Stride(kClassSizes[index]));
        std::memcpy(block, &pool.free_list[index], sizeof(char*));
        pool.free_list[index] = block;
    }
    return check;
}

bool SizeFits(size_t size) { return size <= 0x7FFFFFFF - kBlockOverhead; }

}  // namespace

size_t BlockClassSize(size_t total) {
    int index = ClassIndex(total);
    return index < 0 ? 0 : kClassSizes[index];
}

void* AllocateBlock(size_t size) {
    char* block = nullptr;
    if (SizeFits(size)) {
        Pool& pool = ThePool();
        std::lock_guard<SpinLock> hold(pool.lock);
        block = TakeBlock(pool, size + kBlockOverhead);
    }
    if (!block) {
        OutOfMemory();
        return nullptr;
    }
    return Stamp(block, size);
}

int AllocateBlocks(const size_t* sizes, void** blocks, int count) {
    Pool& pool = ThePool();
    int had = 0;
    {
        std::lock_guard<SpinLock> hold(pool.lock);
        for (; had < count && SizeFits(sizes[had]); ++had) {
            char* block = TakeBlock(pool, sizes[had] + kBlockOverhead);
            if (!block) break;
            blocks[had] = block;
        }
    }
    for (int i = 0; i < had; ++i) blocks[i] = Stamp(static_cast<char*>(blocks[i]), sizes[i]);
    if (had < count) OutOfMemory();
    return had;
}

void ReleaseBlock(void* user) {
    if (user) ReleaseBlocks(&user, 1);
}

void ReleaseBlocks(void* const* blocks, int count) {
    Pool& pool = ThePool();
    for (int i = 0; i < count;) {
        ReleaseCheck check = {};
        {
            std::lock_guard<SpinLock> hold(pool.lock);
            while (i < count && !check.wrong && !check.damaged_total)
                if (blocks[i]) check = PutBack(pool, static_cast<char*>(blocks[i++]) - 8);
                else ++i;
        }
        // Reported with the pool let go: the report itself takes blocks.
        if (check.wrong) ShowErrorId(4072);
        if (check.damaged_total) ShowError(FormatText(MessageText(4073), static_cast<int>(check.damaged_total)));
    }
}

char* AllocatePathBuffer() { return static_cast<char*>(AllocateBlock(kPathBufferSize)); }

char* DuplicateString(const char* text) {
    if (!text) return nullptr;
    size_t n = std::strlen(text);
    char* copy = static_cast<char*>(AllocateBlock(n + 1));
    if (copy) std::memcpy(copy, text, n + 1);
    return copy;
}

BlockStatistics BlockAllocatorStatistics() {
    Pool& pool = ThePool();
    std::lock_guard<SpinLock> hold(pool.lock);
    return pool.stats;
}
