// Loading a 50 MB C-like file into a document, beside `wc -l` on the same file.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/resource.h>
#include <string>

#include "editor/block_alloc.h"
#include "editor/text_document.h"

namespace {

const std::string& InputFile() {
    static std::string path = [] {
        auto dir = std::filesystem::temp_directory_path() / "morla-load-bench";
        std::filesystem::create_directories(dir);
        std::string file = (dir / "big.c").string();
        std::ofstream out(file, std::ios::binary);
        std::mt19937 random(7);
        const char* bodies[] = {"    int count = 0;", "    for (i = 0; i < n; i++) {", "        total += values[i] * 3;",
                                "    }", "    if (total > limit && flags & 4)", "        return report(\"overflow\", total);",
                                "", "/* a comment line that explains what follows */", "    char *name = argv[1];"};
        size_t written = 0;
        for (int f = 0; written < 50u << 20; ++f) {
            std::string head = "static int function_" + std::to_string(f) + "(int n, int *values)\r\n{\r\n";
            out << head;
            written += head.size();
            for (int l = random() % 30 + 5; l > 0; --l) {
                std::string line = std::string(bodies[random() % 9]) + "\r\n";
                out << line;
                written += line.size();
            }
            out << "}\r\n\r\n";
            written += 5;
        }
        return file;
    }();
    return path;
}

// CPU milliseconds (user and system) used so far by this process or by its finished children:
// on a loaded machine these compare the two tools better than wall time.
double CpuMs(int who) {
    rusage use{};
    getrusage(who, &use);
    return (use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1e3 + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e3;
}

void LoadIntoDocument(benchmark::State& state) {
    const std::string& file = InputFile();
    TextDocument* doc = FindDocument(file.c_str(), true);
    // The first load takes its memory fresh from the system (LoadInFreshProcess times
    // that); every load here reuses the freed lines, as reading a file again does.
    LoadDocument(doc, file.c_str());
    double cpu = 0;
    double clear = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto clear_start = std::chrono::steady_clock::now();
        ClearLines(doc);
        clear += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - clear_start).count();
        double before = CpuMs(RUSAGE_SELF);
        state.ResumeTiming();
        LoadDocument(doc, file.c_str());
        benchmark::DoNotOptimize(doc->line_count);
        state.PauseTiming();
        cpu += CpuMs(RUSAGE_SELF) - before;
        state.ResumeTiming();
    }
    state.counters["cpu_ms"] = cpu / static_cast<double>(state.iterations());
    // Freeing the lines before each load (as a reload does) is not in the time above.
    state.counters["clear_ms"] = clear / static_cast<double>(state.iterations());
    BlockStatistics stats = BlockAllocatorStatistics();
    state.counters["lines"] = doc->line_count;
    state.counters["bytes_per_line"] = static_cast<double>(stats.allocated) / doc->line_count;
    state.counters["system_bytes_per_line"] = static_cast<double>(stats.from_system) / doc->line_count;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(file)));
    FreeDocument(doc);
}
BENCHMARK(LoadIntoDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same load as a program started for it, as `wc -l` is: process start-up and fresh
// memory from the system included.
void LoadInFreshProcess(benchmark::State& state) {
    std::string command = "'" + std::filesystem::read_symlink("/proc/self/exe").string() + "' --load-once='" +
                          InputFile() + "'";
    double before = CpuMs(RUSAGE_CHILDREN);
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("load failed");
    state.counters["cpu_ms"] = (CpuMs(RUSAGE_CHILDREN) - before) / static_cast<double>(state.iterations());
}
BENCHMARK(LoadInFreshProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void WcLines(benchmark::State& state) {
    std::string command = "wc -l < '" + InputFile() + "' > /dev/null";
    double before = CpuMs(RUSAGE_CHILDREN);
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("wc failed");
    // The shell that runs wc is counted too: a few hundred microseconds.
    state.counters["cpu_ms"] = (CpuMs(RUSAGE_CHILDREN) - before) / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(InputFile())));
}
BENCHMARK(WcLines)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    const std::string once = "--load-once=";
    if (argc == 2 && std::string(argv[1]).rfind(once, 0) == 0) {
        TextDocument* doc = FindDocument(argv[1] + once.size(), true);
        return LoadDocument(doc, doc->name) == LoadStatus::Loaded ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
