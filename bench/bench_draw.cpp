// One RYSUNEK into a 1920x1080 image that is kept between pictures, as the
// window keeps its picture, for generated cases of 6 lobes and 100 to
// 1,000,000 points a lobe (thermal: temperature bands and curves drawn too),
// again with the image written between pictures (so that each clears the
// whole image, not only what the last drew on), and for the bundled
// examples; then saving such a picture as BMP and PNG.
// Times are per picture (per file); compare the per-point growth across the
// point counts. A picture's pixels are laid on a thread beside the drawing:
// its wall time is the one a user waits, and process_cpu_ms counts both
// threads. Last, the whole road from a case's file names to its
// finished picture (both passes over generated files, then the picture into
// a new image), for 6 lobes of 200 to 1,000,000 points.
//
// usage: bench_draw [Google Benchmark options]

#include "bench/benchcases.h"
#include "bench/qtbenchmain.h"
#include "datafiles/loadcase.h"
#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "examples/casegen.h"
#include "render/picturefile.h"
#include "render/renderimage.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>

namespace {

using namespace lobus;

using bench::caseOf;
using bench::NoDialogs;
using bench::stress;

// touched: the image is written between pictures (its cache key changes), so
// every picture clears the whole image rather than what the last one drew on.
void drawInto(benchmark::State& state, const Case& c, bool touched = false)
{
    RYSUJ r;
    r.pscale = c.dane.pmax;
    r.tscale = c.dane.tmax;
    QImage image(1920, 1080, QImage::Format_RGB32);
    Graphics g;
    g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f);
    PictureCache cache;
    renderToImage(image, g, c, r, cache); // the first picture into fresh memory is not counted
    const std::clock_t cpu = std::clock();
    for (auto _ : state) {
        if (touched)
            image.bits()[0] ^= 1;
        renderToImage(image, g, c, r, cache);
        benchmark::DoNotOptimize(image.constBits());
    }
    // The process's time on every core a picture: the pixel lane's too.
    state.counters["process_cpu_ms"] = benchmark::Counter(
        1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC, benchmark::Counter::kAvgIterations);
    int points = 0;
    for (int k = 1; k <= c.dane.ikm; ++k)
        points += pointCount(c.dane, c.results, k);
    state.counters["points"] = points;
    state.counters["ns/point"]
        = benchmark::Counter(static_cast<double>(points) * 1e-9,
                             benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_DrawStress(benchmark::State& state) { drawInto(state, stress(static_cast<int>(state.range(0)))); }
BENCHMARK(BM_DrawStress)
    ->Arg(100)
    ->Arg(200)
    ->Arg(2000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

void BM_DrawStressTouched(benchmark::State& state)
{
    drawInto(state, stress(static_cast<int>(state.range(0))), true);
}
BENCHMARK(BM_DrawStressTouched)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_DrawExample(benchmark::State& state)
{
    static const std::vector<casegen::Bearing> examples = casegen::bundledExamples();
    const casegen::Bearing& b = examples[static_cast<std::size_t>(state.range(0))];
    static std::map<std::string, Case> cases;
    if (!cases.count(b.name))
        cases.emplace(b.name, caseOf(b));
    state.SetLabel(b.name);
    drawInto(state, cases.at(b.name));
}
BENCHMARK(BM_DrawExample)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void saveAs(benchmark::State& state, const char* name)
{
    const Case& c = stress(200);
    RYSUJ r;
    r.pscale = c.dane.pmax;
    r.tscale = c.dane.tmax;
    QImage image(1920, 1080, QImage::Format_RGB32);
    Graphics g;
    renderToImage(image, g, c, r);
    QTemporaryDir dir;
    const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    std::string error;
    for (auto _ : state) {
        if (!saveImageFile(image, path, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}

void BM_SaveBmp(benchmark::State& state) { saveAs(state, "picture.bmp"); }
BENCHMARK(BM_SaveBmp)->Unit(benchmark::kMillisecond);

void BM_SavePng(benchmark::State& state) { saveAs(state, "picture.png"); }
BENCHMARK(BM_SavePng)->Unit(benchmark::kMillisecond);

// The generator's stress case of 6 lobes of `points` points as files, written
// once a run; returns its data file.
std::string stressFiles(int points)
{
    static QTemporaryDir dir;
    static std::map<int, std::string> written;
    auto it = written.find(points);
    if (it == written.end()) {
        const casegen::Bearing b = casegen::stressCase(6, points);
        const std::filesystem::path root = dir.filePath(QString::number(points)).toStdString();
        casegen::writeCase(b, casegen::solve(b), root);
        it = written.emplace(points, (root / "DANE" / (b.name + ".dan")).string()).first;
    }
    return it->second;
}

void BM_OpenToPicture(benchmark::State& state)
{
    const std::string dan = stressFiles(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Case c;
        c.dane.variant = kVariantSolako;
        RYSUJ r;
        NoDialogs ui;
        const LoadOutcome o = loadCase(dan, c, r, ui, nullptr);
        if (o.end != PassEnd::Completed) {
            state.SkipWithError(o.report.c_str());
            break;
        }
        QImage image(1920, 1080, QImage::Format_RGB32);
        Graphics g;
        g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f);
        renderToImage(image, g, c, r);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["points"] = 6.0 * static_cast<double>(state.range(0));
}
BENCHMARK(BM_OpenToPicture)->Arg(200)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return lobus::bench::runQtBenchmarks<QGuiApplication>(argc, argv); }
