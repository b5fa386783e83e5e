// The C function scanner against universal-ctags on the C files of the binutils
// sources: recall and precision of the function definitions ctags lists, and the time
// of both on the same files, in one run.
//
// The tarball is extracted once into a cache directory (MORLA_BENCH_CACHE or
// /tmp/morla_bench_binutils).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "analysis/function_index.h"
#include "analysis/language.h"
#include "analysis/source_lines.h"

namespace fs = std::filesystem;

namespace {

const char kTarball[] = "/usr/src/binutils/binutils-2.40.tar.xz";

struct SourceFile {
    std::string path;
    std::vector<std::string> lines;
};

struct Corpus {
    std::string root, list_file;
    std::vector<SourceFile> files;
    bool ok = false;
};

std::string CacheDir() {
    const char* env = std::getenv("MORLA_BENCH_CACHE");
    return env ? env : "/tmp/morla_bench_binutils";
}

// Lines at LF with CRs before it dropped. Long lines are not cut as the editor's
// loading cuts them, so line numbers stay those ctags reports.
std::vector<std::string> LoadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return SplitLines(ss.str());
}

Corpus& TheCorpus() {
    static Corpus c = [] {
        Corpus c;
        std::string cache = CacheDir();
        c.root = cache + "/binutils-2.40";
        if (!fs::exists(c.root)) {
            fs::create_directories(cache);
            std::string cmd = "tar -xJf " + std::string(kTarball) + " -C " + cache;
            if (std::system(cmd.c_str()) != 0) return c;
        }
        std::vector<std::string> paths;
        for (const auto& e : fs::recursive_directory_iterator(c.root))
            if (e.is_regular_file() && e.path().extension() == ".c") paths.push_back(e.path().string());
        std::sort(paths.begin(), paths.end());
        c.list_file = cache + "/c_files.txt";
        std::ofstream list(c.list_file);
        for (const std::string& p : paths) {
            list << p << "\n";
            c.files.push_back(SourceFile{p, LoadLines(p)});
        }
        c.ok = !c.files.empty();
        return c;
    }();
    return c;
}

using Tag = std::tuple<std::string, std::string, int32_t>;  // file, name, line

std::set<Tag> MorlaTags(const Corpus& c) {
    const Language* lang = LanguageForExtension("c");
    std::set<Tag> tags;
    FunctionIndex index;
    for (const SourceFile& f : c.files) {
        std::vector<LineView> views = ViewLines(f.lines);
        ScanText(*lang, AsSource(views), f.path.c_str(), &index);
        for (const FunctionRecord& r : index.functions) tags.emplace(f.path, r.name, r.header_line);
    }
    return tags;
}

std::string CtagsCommand(const Corpus& c, const std::string& output) {
    return "ctags --languages=C --kinds-C=f -x -L " + c.list_file + " > " + output;
}

std::set<Tag> CtagsTags(const Corpus& c) {
    std::string out = CacheDir() + "/ctags.out";
    std::set<Tag> tags;
    if (std::system(CtagsCommand(c, out).c_str()) != 0) return tags;
    std::ifstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream ls(line);
        std::string name, kind, file;
        int32_t number = 0;
        if (ls >> name >> kind >> number >> file) tags.emplace(file, name, number);
    }
    return tags;
}

void BM_MorlaScanLoaded(benchmark::State& state) {
    Corpus& c = TheCorpus();
    if (!c.ok) return state.SkipWithError("binutils sources not available");
    const Language* lang = LanguageForExtension("c");
    std::vector<std::vector<LineView>> views;
    for (const SourceFile& f : c.files) views.push_back(ViewLines(f.lines));
    FunctionIndex index;
    size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (size_t i = 0; i < views.size(); ++i) {
            ScanText(*lang, AsSource(views[i]), c.files[i].path.c_str(), &index);
            found += index.functions.size();
        }
    }
    state.counters["functions"] = static_cast<double>(found);
    state.counters["files"] = static_cast<double>(c.files.size());
}
BENCHMARK(BM_MorlaScanLoaded)->Unit(benchmark::kMillisecond)->Iterations(5);

// Reading the files from disk as well, as ctags must.
void BM_MorlaReadAndScan(benchmark::State& state) {
    Corpus& c = TheCorpus();
    if (!c.ok) return state.SkipWithError("binutils sources not available");
    const Language* lang = LanguageForExtension("c");
    FunctionIndex index;
    size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const SourceFile& f : c.files) {
            std::vector<std::string> lines = LoadLines(f.path);
            std::vector<LineView> views = ViewLines(lines);
            ScanText(*lang, AsSource(views), f.path.c_str(), &index);
            found += index.functions.size();
        }
    }
    state.counters["functions"] = static_cast<double>(found);
}
BENCHMARK(BM_MorlaReadAndScan)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Ctags(benchmark::State& state) {
    Corpus& c = TheCorpus();
    if (!c.ok) return state.SkipWithError("binutils sources not available");
    std::string cmd = CtagsCommand(c, "/dev/null");
    rusage before{}, after{};
    getrusage(RUSAGE_CHILDREN, &before);
    for (auto _ : state)
        if (std::system(cmd.c_str()) != 0) return state.SkipWithError("ctags failed");
    getrusage(RUSAGE_CHILDREN, &after);
    // ctags' own CPU time per run (the CPU column is this process's only).
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    double cpu = ms(after.ru_utime) - ms(before.ru_utime) + ms(after.ru_stime) - ms(before.ru_stime);
    state.counters["ctags_cpu_ms"] = cpu / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Ctags)->Unit(benchmark::kMillisecond)->Iterations(3);

// Recall and precision against ctags' function definitions, matched by file, name and
// line; the counters carry the figures.
void BM_QualityAgainstCtags(benchmark::State& state) {
    Corpus& c = TheCorpus();
    if (!c.ok) return state.SkipWithError("binutils sources not available");
    std::set<Tag> ours, theirs;
    for (auto _ : state) {
        ours = MorlaTags(c);
        theirs = CtagsTags(c);
    }
    size_t common = 0;
    for (const Tag& t : theirs) common += ours.count(t);
    state.counters["ctags"] = static_cast<double>(theirs.size());
    state.counters["morla"] = static_cast<double>(ours.size());
    state.counters["recall_pct"] = theirs.empty() ? 0 : 100.0 * common / theirs.size();
    state.counters["precision_pct"] = ours.empty() ? 0 : 100.0 * common / ours.size();
    if (const char* dump = std::getenv("MORLA_BENCH_DUMP")) {
        std::ofstream d(dump);
        for (const Tag& t : theirs)
            if (!ours.count(t)) d << "missed " << std::get<0>(t) << ":" << std::get<2>(t) << " " << std::get<1>(t) << "\n";
        for (const Tag& t : ours)
            if (!theirs.count(t)) d << "extra " << std::get<0>(t) << ":" << std::get<2>(t) << " " << std::get<1>(t) << "\n";
    }
}
BENCHMARK(BM_QualityAgainstCtags)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
