// The CMS core against its peers on the same inputs in one run: the line differencer
// against GNU diff, and check-in / check-out of revision 1.1 against RCS ci / co.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "cms/diff.h"
#include "cms/revision_ops.h"
#include "cms/text_file.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDiffLines = 100000;
constexpr int kRevisions = 239;  // the most an archive holds
constexpr int kFileLines = 2000;

fs::path BenchDir() {
    static fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("morla_cms_bench_" + std::to_string(getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

std::string Line(std::mt19937& rng, int i) {
    return "line " + std::to_string(i) + " value " + std::to_string(rng() % 100000) + " of the file\n";
}

// Two files of kDiffLines lines where the given share of lines differ.
void DiffInputs(int percent, std::string& a_path, std::string& b_path) {
    a_path = (BenchDir() / ("a" + std::to_string(percent) + ".txt")).string();
    b_path = (BenchDir() / ("b" + std::to_string(percent) + ".txt")).string();
    if (fs::exists(b_path)) return;
    std::mt19937 rng(percent);
    std::ofstream a(a_path, std::ios::binary), b(b_path, std::ios::binary);
    for (int i = 0; i < kDiffLines; ++i) {
        std::string l = Line(rng, i);
        a << l;
        b << (int(rng() % 100) < percent ? "changed " + Line(rng, i) : l);
    }
}

std::string RunCapture(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

void BM_MorlaDiff(benchmark::State& state) {
    std::string a, b;
    DiffInputs(int(state.range(0)), a, b);
    int changed = 0;
    for (auto _ : state) {
        DiffRequest rq;
        rq.file1 = a;
        rq.file2 = b;
        rq.memory = true;
        benchmark::DoNotOptimize(CompareFiles(rq));
        changed = CountChangedLines(rq.hunks);
    }
    state.counters["changed_lines"] = changed;
}

int GnuChangedLines(const std::string& out) {
    int n = 0;
    for (size_t i = 0; i < out.size(); i = out.find('\n', i) + 1) {
        if (out[i] == '<' || out[i] == '>') ++n;
        if (out.find('\n', i) == std::string::npos) break;
    }
    return n;
}

void GnuDiff(benchmark::State& state, const char* options) {
    std::string a, b;
    DiffInputs(int(state.range(0)), a, b);
    int changed = 0;
    for (auto _ : state) changed = GnuChangedLines(RunCapture(std::string("diff ") + options + " " + a + " " + b));
    state.counters["changed_lines"] = changed;
}

void BM_GnuDiff(benchmark::State& state) { GnuDiff(state, ""); }
void BM_GnuDiffMinimal(benchmark::State& state) { GnuDiff(state, "--minimal"); }

// The history checked in: kFileLines lines, each revision changing a few of them.
std::string RevisionText(int revision) {
    std::mt19937 rng(1);
    std::string text;
    for (int i = 0; i < kFileLines; ++i) {
        std::string l = Line(rng, i);
        if (i % 97 == revision % 97 || i == revision) l = "rev " + std::to_string(revision) + " " + l;
        text += l;
    }
    return text;
}

struct MorlaHistory {
    fs::path work, cms;
    CmsSession session;
    int tick = 0;

    MorlaHistory() {
        work = BenchDir() / "morla";
        cms = work / "CMS";
        fs::create_directories(cms);
        session.user = "bench";
        session.work_dir = work.string();
        session.cms_dir = cms.string();
        session.now = [this] {
            int t = tick++;
            return "2026.1." + std::to_string(1 + t / 86400) + "." + std::to_string(t / 3600 % 24) + "." +
                   std::to_string(t / 60 % 60) + "." + std::to_string(t % 60);
        };
        for (int r = 1; r < kRevisions; ++r) Put(r);
        fs::copy_file(cms / "f.c", BenchDir() / "morla_archive", fs::copy_options::overwrite_existing);
    }
    bool Put(int revision) {
        std::ofstream(work / "f.c", std::ios::binary) << ToDiskText(RevisionText(revision));
        PutRequest put;
        put.work_file = "f.c";
        put.keep = true;
        put.quiet = true;
        put.log = "revision";
        session.output.clear();
        return ::Put(session, put);
    }
};

MorlaHistory& Morla() {
    static MorlaHistory h;
    return h;
}

struct RcsHistory {
    fs::path dir;
    std::string in_dir;
    RcsHistory() {
        dir = BenchDir() / "rcs";
        fs::create_directories(dir / "RCS");
        in_dir = "cd " + dir.string() + " && ";
        for (int r = 1; r < kRevisions; ++r) Ci(r);
        fs::copy_file(dir / "RCS" / "f.c,v", BenchDir() / "rcs_archive", fs::copy_options::overwrite_existing);
    }
    void Ci(int revision) {
        std::ofstream(dir / "f.c", std::ios::binary) << RevisionText(revision);
        std::system((in_dir + "ci -q -l -f -t-description -mrevision f.c >/dev/null 2>&1").c_str());
    }
};

RcsHistory& Rcs() {
    static RcsHistory h;
    return h;
}

void BM_MorlaCheckIn(benchmark::State& state) {
    MorlaHistory& h = Morla();
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(BenchDir() / "morla_archive", h.cms / "f.c", fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        if (!h.Put(kRevisions)) state.SkipWithError("put failed");
    }
}

void BM_RcsCheckIn(benchmark::State& state) {
    RcsHistory& h = Rcs();
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(BenchDir() / "rcs_archive", h.dir / "RCS" / "f.c,v", fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        h.Ci(kRevisions);
    }
}

void BM_MorlaCheckOut11(benchmark::State& state) {
    MorlaHistory& h = Morla();
    fs::copy_file(BenchDir() / "morla_archive", h.cms / "f.c", fs::copy_options::overwrite_existing);
    for (auto _ : state) {
        GetRequest get;
        get.work_file = "f.c";
        get.revision = "1.1";
        get.output = "out.c";
        get.overwrite = true;
        get.quiet = true;
        h.session.output.clear();
        if (!Get(h.session, get)) state.SkipWithError("get failed");
    }
    std::string text;
    ReadTextFile((h.work / "out.c").string(), text);
    if (text != RevisionText(1)) state.SkipWithError("wrong text for 1.1");
}

void BM_RcsCheckOut11(benchmark::State& state) {
    RcsHistory& h = Rcs();
    fs::copy_file(BenchDir() / "rcs_archive", h.dir / "RCS" / "f.c,v", fs::copy_options::overwrite_existing);
    for (auto _ : state) std::system((h.in_dir + "co -q -f -r1.1 -p f.c > out.c 2>/dev/null").c_str());
}

}  // namespace

BENCHMARK(BM_MorlaDiff)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GnuDiff)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GnuDiffMinimal)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MorlaCheckIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RcsCheckIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MorlaCheckOut11)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RcsCheckOut11)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(BenchDir());
    return 0;
}
