// Reading the debug information of a generated executable with 20,000 functions and
// 500,000 line entries; reports the time and the reader's peak heap memory.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "debugger/dbginfo.h"
#include "tests/debugger/fixture_gen/fixture_programs.h"

namespace {

std::atomic<size_t> g_live{0}, g_peak{0};

void Track(void* p) {
    if (!p) return;
    size_t now = g_live += malloc_usable_size(p);
    size_t peak = g_peak;
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {}
}

const std::vector<uint8_t>& LargeImage() {
    static std::vector<uint8_t> bytes = [] {
        FixtureImage image = LargeFixtureProgram(20000, 25);
        return WritePeImage(&image);
    }();
    return bytes;
}

void BM_ReadLargeExecutable(benchmark::State& state) {
    const std::vector<uint8_t>& file = LargeImage();
    size_t peak = 0, lines = 0, functions = 0;
    for (auto _ : state) {
        size_t before = g_live;
        g_peak = before;
        DebugImage image;
        bool ok = LoadExecutable(&image, file.data(), uint32_t(file.size()), 0x400000, "large.exe", false);
        benchmark::DoNotOptimize(ok);
        peak = g_peak - before;
        lines = functions = 0;
        for (int m = 1; m <= image.highest_module; ++m) {
            lines += image.modules[m].line_numbers.size();
            functions += image.modules[m].function_count;
        }
        ReleaseDebugInfo(&image);
    }
    state.counters["file_MB"] = double(file.size()) / (1 << 20);
    state.counters["peak_heap_MB"] = double(peak) / (1 << 20);
    state.counters["functions"] = double(functions);
    state.counters["lines"] = double(lines);
}
BENCHMARK(BM_ReadLargeExecutable)->Unit(benchmark::kMillisecond);

}  // namespace

// Counting replacements of the global allocation functions; they pair malloc with free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t size) {
    void* p = malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    Track(p);
    return p;
}
void operator delete(void* p) noexcept {
    if (p) g_live -= malloc_usable_size(p);
    free(p);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }

BENCHMARK_MAIN();
