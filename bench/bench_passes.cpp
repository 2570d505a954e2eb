// The reading of a large generated case, without the trace file (in one
// pass) and with it (both passes, SPRDANE + CZYTDANE), reported as MB/s
// (10^6 bytes) of file bytes read: the sizes of every file the reading
// reads, summed, a file read twice counted twice. For comparison a plain std::from_chars reader of two values a line
// over the same pressure file. Rates are per CPU second of the process (the
// Time column shows the wall clock too; with the files in the page cache the
// two agree on an idle machine). Peak memory
// is measured in fresh child processes: the peak resident set of one that
// runs the passes once, less that of one that does nothing, next to the size
// of the four result arrays.
//
// usage: bench_passes [--lobes L] [--points N] [Google Benchmark options]

#include "bench/benchcases.h"
#include "bench/linescan.h"
#include "datafiles/loadcase.h"
#include "datafiles/trace.h"
#include "examples/casegen.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace lobus;

// The generated case stays the same for every benchmark.
struct BenchCase {
    fs::path root;
    std::string dan, cis, cha, tem;
    // Read by both passes [trace 1] and by the one pass [trace 0]:
    // [variant 1, variant 2]; [.][0] unused.
    std::uintmax_t bytes[2][3] = {};
    int ilkat = 0;
};
BenchCase g_case;

// One Open as the program does it; returns ilkat.
int readCase(int variant, Trace* trace, Case& c, RYSUJ& rysuj)
{
    bench::NoDialogs ui;
    c.dane = DANE();
    c.dane.variant = variant;
    const LoadOutcome o = loadCase(g_case.dan, c, rysuj, ui, trace);
    if (o.end != PassEnd::Completed)
        throw std::runtime_error("the case was not read: " + o.report);
    return o.ilkat;
}

void setRate(benchmark::State& state, std::uintmax_t bytesPerIteration)
{
    const double total = static_cast<double>(bytesPerIteration) * static_cast<double>(state.iterations());
    state.counters["MB/s"] = benchmark::Counter(total / 1e6, benchmark::Counter::kIsRate);
    state.counters["file_MB"] = static_cast<double>(bytesPerIteration) / 1e6;
}

void BM_Passes(benchmark::State& state)
{
    const int variant = static_cast<int>(state.range(0));
    const bool traced = state.range(1) != 0;
    const std::string tracePath = (g_case.root / "wdr.txt").string();
    RYSUJ rysuj;
    for (auto _ : state) {
        Case c;
        Trace trace;
        if (traced && !trace.open(tracePath)) {
            state.SkipWithError("cannot open the trace file");
            return;
        }
        benchmark::DoNotOptimize(readCase(variant, traced ? &trace : nullptr, c, rysuj));
        trace.close();
        benchmark::DoNotOptimize(c.results.cis.data());
    }
    setRate(state, g_case.bytes[traced ? 1 : 0][variant]);
    if (traced)
        state.counters["trace_MB"] = static_cast<double>(fs::file_size(tracePath)) / 1e6;
}
BENCHMARK(BM_Passes)
    ->ArgNames({"variant", "trace"})
    ->Args({2, 0})
    ->Args({1, 0})
    ->Args({2, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// The floor: a fixed buffer refilled by fread, each line's first two numbers
// by std::from_chars, header lines recognised by not starting with a number.
void BM_FromCharsTwoValues(benchmark::State& state)
{
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        std::FILE* f = std::fopen(g_case.cis.c_str(), "rb");
        if (!f) {
            state.SkipWithError("cannot open the pressure file");
            return;
        }
        double sum = 0.0;
        bench::scanLines(f, buffer, [&sum](const char* line, const char* lineEnd) {
            bench::sumLeadingNumbers(line, lineEnd, 2, false, sum);
        });
        std::fclose(f);
        benchmark::DoNotOptimize(sum);
    }
    setRate(state, fs::file_size(g_case.cis));
}
BENCHMARK(BM_FromCharsTwoValues)->Unit(benchmark::kMillisecond);

long maxRssKiB()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Child mode: a fresh process (exec'd, so nothing of the parent's memory
// counts) that reads the case once and prints its peak resident set in KiB.
// `mode` 0 only starts up: the idle process to subtract.
int peakChild(const char* dan, int mode)
{
    g_case.dan = dan;
    if (mode != 0) {
        Case c;
        RYSUJ rysuj;
        Trace trace;
        const bool traced = mode >= 10;
        if (traced && !trace.open(std::string(dan) + ".wdr.txt"))
            return 1;
        readCase(mode % 10, traced ? &trace : nullptr, c, rysuj);
    }
    std::printf("%ld\n", maxRssKiB());
    return 0;
}

long childPeak(int mode)
{
    const std::string cmd = "/proc/" + std::to_string(getpid()) + "/exe --peak-child '" + g_case.dan + "' "
        + std::to_string(mode);
    std::FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return -1;
    long peak = -1;
    if (std::fscanf(p, "%ld", &peak) != 1)
        peak = -1;
    return pclose(p) == 0 ? peak : -1;
}

void reportPeakMemory()
{
    const double arrays = 4.0 * 6.0 * g_case.ilkat * sizeof(float) / 1e6;
    const long base = childPeak(0);
    std::printf("result arrays (4 x 6 x %d REALs): %.2f MB; idle process peak %.2f MB\n", g_case.ilkat,
                arrays, base * 1024.0 / 1e6);
    for (int mode : {2, 1, 12, 11}) {
        const long peak = childPeak(mode);
        if (peak < 0 || base < 0) {
            std::printf("peak memory: the child process failed\n");
            continue;
        }
        const double above = (peak - base) * 1024.0 / 1e6;
        std::printf("peak memory of both passes, variant %d, trace %s: %.2f MB above the idle process, "
                    "%.2f MB beyond the arrays\n",
                    mode % 10, mode >= 10 ? "on " : "off", above, above - arrays);
    }
    std::fflush(stdout);
}

int takeInt(int& argc, char** argv, const char* name, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) {
            const int v = std::atoi(argv[i + 1]);
            for (int j = i; j + 2 <= argc; ++j)
                argv[j] = argv[j + 2];
            argc -= 2;
            return v;
        }
    }
    return fallback;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--peak-child") == 0)
        return peakChild(argv[2], std::atoi(argv[3]));
    const int lobes = takeInt(argc, argv, "--lobes", 6);
    const int points = takeInt(argc, argv, "--points", 100000);
    char pattern[] = "/tmp/lobus-bench-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    g_case.root = pattern;
    const casegen::Bearing b = casegen::stressCase(lobes, points);
    const casegen::Solution s = casegen::solve(b);
    casegen::writeCase(b, s, g_case.root / "P");
    g_case.dan = (g_case.root / "P" / "DANE" / (b.name + ".dan")).string();
    g_case.cis = (g_case.root / "P" / "WYN" / (b.name + ".cis")).string();
    g_case.cha = (g_case.root / "P" / "WYN" / (b.name + ".cha")).string();
    g_case.tem = (g_case.root / "P" / "WYN" / (b.name + ".tem")).string();
    g_case.ilkat = s.longestBlock();
    // SPRDANE: the data file and the pressure file; CZYTDANE: both again, the
    // characteristics file and (variant 1) the temperature file. The one
    // pass reads each of them once.
    const std::uintmax_t once
        = fs::file_size(g_case.dan) + fs::file_size(g_case.cis) + fs::file_size(g_case.cha);
    const std::uintmax_t both = once + fs::file_size(g_case.dan) + fs::file_size(g_case.cis);
    for (const int traced : {0, 1}) {
        const std::uintmax_t pressure = traced ? both : once;
        g_case.bytes[traced][2] = pressure;
        g_case.bytes[traced][1] = pressure + fs::file_size(g_case.tem);
    }
    std::printf("case %s: %d lobes x %d points; .cis %.1f MB, .tem %.1f MB\n", b.name.c_str(), lobes, points,
                fs::file_size(g_case.cis) / 1e6, fs::file_size(g_case.tem) / 1e6);

    reportPeakMemory();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(g_case.root, ec);
    return 0;
}
