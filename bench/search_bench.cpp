// Multi-file search against GNU grep and ripgrep on the same inputs:
//   - one generated 50 MB text, a literal and a simple expression, against grep -n;
//   - the C sources of the binutils source tarball (extracted once into a cache
//     directory), against grep -rn and rg -n.
// Peers write their output to a file (grep treats /dev/null output as -q).
// Besides wall time, every benchmark reports cpu_ms: the CPU time (user + system) per
// search of this process or of the peer's child processes, which a busy machine
// disturbs less.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/grep.h"

namespace fs = std::filesystem;

namespace {

const char* const kTarball = "/usr/src/binutils/binutils-2.40.tar.xz";

fs::path WorkDirectory() {
    static fs::path dir = fs::temp_directory_path() / "morla-bench" / "search";
    fs::create_directories(dir);
    return dir;
}

// About 50 MB of C-like lines; one line in 500 holds "target_value".
const fs::path& BigText() {
    static fs::path file = [] {
        fs::path path = WorkDirectory() / "big.txt";
        if (fs::exists(path) && fs::file_size(path) >= 50u << 20) return path;
        const char* words[] = {"int",   "static", "return", "buffer", "length", "count", "struct", "char",
                               "index", "value",  "node",   "next",   "while",  "for",   "if",     "else",
                               "size_t", "result", "table", "entry",  "(void)", "{",     "}",      "=",
                               "+",     "->",     "NULL",   "0",      "1",      ";",     "data",   "name"};
        std::ofstream out(path, std::ios::binary);
        unsigned seed = 12345;
        size_t written = 0;
        std::string line;
        for (int n = 0; written < (50u << 20); ++n) {
            line.assign(static_cast<size_t>(seed % 4) * 4, ' ');
            int count = 4 + seed % 9;
            for (int i = 0; i < count; ++i) {
                seed = seed * 1103515245 + 12345;
                line += words[(seed >> 16) % (sizeof words / sizeof words[0])];
                line += ' ';
            }
            if (n % 500 == 0) line += "target_value ";
            line += '\n';
            out << line;
            written += line.size();
        }
        return path;
    }();
    return file;
}

const fs::path& BinutilsSources() {
    static fs::path dir = [] {
        fs::path path = fs::temp_directory_path() / "morla-bench" / "search-binutils";
        if (!fs::exists(path / ".complete")) {
            fs::remove_all(path);
            fs::create_directories(path);
            std::string command = "tar -xJf " + std::string(kTarball) + " -C " + path.string() +
                                  " --wildcards '*.c' '*.h' && touch " + (path / ".complete").string();
            if (std::system(command.c_str()) != 0) return fs::path();
        }
        return path;
    }();
    return dir;
}

double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void SetCpuCounter(benchmark::State& state, int who, double before) {
    state.counters["cpu_ms"] = (CpuSeconds(who) - before) * 1000.0 / static_cast<double>(state.iterations());
}

void RunOurs(benchmark::State& state, const fs::path& dir, const std::string& masks, const std::string& text,
             uint16_t flags) {
    GrepParameters params;
    params.text = text;
    params.masks = masks;
    params.flags = flags;
    params.directory = dir.string();
    GrepSearch search;
    if (!PrepareGrep(params, &search)) {
        state.SkipWithError("expression does not compile");
        return;
    }
    size_t hits = 0;
    double cpu = CpuSeconds(RUSAGE_SELF);
    for (auto _ : state) {
        GrepResult result;
        RunGrep(search, &result, nullptr);
        hits = result.hits.size();
        benchmark::DoNotOptimize(result.hits.data());
    }
    SetCpuCounter(state, RUSAGE_SELF, cpu);
    state.counters["hits"] = static_cast<double>(hits);
}

void RunPeer(benchmark::State& state, const std::string& command) {
    std::string out = (WorkDirectory() / "peer.out").string();
    std::string full = command + " > " + out;
    double cpu = CpuSeconds(RUSAGE_CHILDREN);
    for (auto _ : state) {
        int status = std::system(full.c_str());
        if (status == -1) state.SkipWithError("peer did not run");
    }
    SetCpuCounter(state, RUSAGE_CHILDREN, cpu);
    std::ifstream in(out);
    size_t lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    state.counters["hits"] = static_cast<double>(lines);
}

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

// Single file, 50 MB.
void BM_OneFileLiteral_Morla(benchmark::State& s) {
    RunOurs(s, BigText().parent_path(), "big.txt", "target_value", kGrepMatchCase);
}
void BM_OneFileLiteral_Grep(benchmark::State& s) { RunPeer(s, "grep -n 'target_value' " + Quoted(BigText())); }
void BM_OneFileRegex_Morla(benchmark::State& s) {
    RunOurs(s, BigText().parent_path(), "big.txt", "tar[a-z]*_value", kGrepMatchCase | kGrepRegularExpression);
}
void BM_OneFileRegex_Grep(benchmark::State& s) { RunPeer(s, "grep -n 'tar[a-z]*_value' " + Quoted(BigText())); }
void BM_OneFileRegexNoLiteral_Morla(benchmark::State& s) {
    RunOurs(s, BigText().parent_path(), "big.txt", "[st][a-z]*_v", kGrepMatchCase | kGrepRegularExpression);
}
void BM_OneFileRegexNoLiteral_Grep(benchmark::State& s) {
    RunPeer(s, "grep -n '[st][a-z]*_v' " + Quoted(BigText()));
}

// The binutils C sources.
bool HaveBinutils(benchmark::State& s) {
    if (!BinutilsSources().empty()) return true;
    s.SkipWithError("binutils tarball not available");
    return false;
}
void BM_TreeLiteral_Morla(benchmark::State& s) {
    if (HaveBinutils(s)) RunOurs(s, BinutilsSources(), "*.c *.h", "xmalloc", kGrepMatchCase | kGrepSubdirectories);
}
void BM_TreeLiteral_GrepRn(benchmark::State& s) {
    if (HaveBinutils(s)) RunPeer(s, "grep -rn 'xmalloc' " + Quoted(BinutilsSources()));
}
void BM_TreeLiteral_Ripgrep(benchmark::State& s) {
    if (HaveBinutils(s)) RunPeer(s, "rg -n 'xmalloc' " + Quoted(BinutilsSources()));
}
void BM_TreeLiteral_Ripgrep1Thread(benchmark::State& s) {
    if (HaveBinutils(s)) RunPeer(s, "rg -j1 -n 'xmalloc' " + Quoted(BinutilsSources()));
}
void BM_TreeRegex_Morla(benchmark::State& s) {
    if (HaveBinutils(s))
        RunOurs(s, BinutilsSources(), "*.c *.h", "str[a-z]*cmp",
                kGrepMatchCase | kGrepSubdirectories | kGrepRegularExpression);
}
void BM_TreeRegex_GrepRn(benchmark::State& s) {
    if (HaveBinutils(s)) RunPeer(s, "grep -rn 'str[a-z]*cmp' " + Quoted(BinutilsSources()));
}
void BM_TreeRegex_Ripgrep(benchmark::State& s) {
    if (HaveBinutils(s)) RunPeer(s, "rg -n 'str[a-z]*cmp' " + Quoted(BinutilsSources()));
}
void BM_TreeRegex_Ripgrep1Thread(benchmark::State& s) {
    if (HaveBinutils(s)) RunPeer(s, "rg -j1 -n 'str[a-z]*cmp' " + Quoted(BinutilsSources()));
}

}  // namespace

BENCHMARK(BM_OneFileLiteral_Morla)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneFileLiteral_Grep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneFileRegex_Morla)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneFileRegex_Grep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneFileRegexNoLiteral_Morla)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneFileRegexNoLiteral_Grep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeLiteral_Morla)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeLiteral_GrepRn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeLiteral_Ripgrep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeLiteral_Ripgrep1Thread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeRegex_Morla)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeRegex_GrepRn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeRegex_Ripgrep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeRegex_Ripgrep1Thread)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
