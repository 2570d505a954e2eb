// Writing the picture of a generated case of 6 lobes and 1,000 to 1,000,000
// points a lobe as an SVG file and as a PDF page, as lobus-render writes
// them: thinned to what the medium shows (the default), and with every
// point (--full-detail, up to 100,000 points a lobe: beyond that the file
// runs to gigabytes). Times are per file; the counter `bytes` is the file's
// size.
//
// usage: bench_vector [Google Benchmark options]

#include "bench/benchcases.h"
#include "bench/qtbenchmain.h"
#include "drawing/rysunek.h"
#include "render/picturefile.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace lobus;

void writeFile(benchmark::State& state, const char* name, VectorDetail detail)
{
    const Case& c = bench::stress(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(name));
    std::string error;
    for (auto _ : state) {
        RYSUJ r;
        r.pscale = c.dane.pmax;
        r.tscale = c.dane.tmax;
        if (!writePictureFile(path.toStdString(), c, r, 1600, 1000, error, {}, nullptr, detail)) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}

void BM_WriteSvg(benchmark::State& state) { writeFile(state, "picture.svg", VectorDetail::Thinned); }
BENCHMARK(BM_WriteSvg)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_WritePdf(benchmark::State& state) { writeFile(state, "picture.pdf", VectorDetail::Thinned); }
BENCHMARK(BM_WritePdf)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_WriteSvgFullDetail(benchmark::State& state) { writeFile(state, "picture.svg", VectorDetail::Full); }
BENCHMARK(BM_WriteSvgFullDetail)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WritePdfFullDetail(benchmark::State& state) { writeFile(state, "picture.pdf", VectorDetail::Full); }
BENCHMARK(BM_WritePdfFullDetail)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return lobus::bench::runQtBenchmarks<QGuiApplication>(argc, argv); }
