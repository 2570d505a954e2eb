// The numbers behind the picture, on generated 6-lobe thermal cases:
// - BM_ProbeLookup: one probe (journal check, every lobe's extent, a binary
//   search over the angles) at 6 x 1,000 to 6 x 100,000 points;
// - BM_DrawPicture / BM_DrawAngleView: the picture and the angle-base view of
//   the same case into a 1920x1080 image kept between drawings;
// - BM_MouseMove: the window at 6 x 10,000 points with the panel and the
//   angle view shown: one mouse move over the picture, its read-out and the
//   linked cursor, and both views repainted.
//
// usage: bench_numbers [Google Benchmark options]

#include "app/shell.h"
#include "bench/benchcases.h"
#include "bench/qtbenchmain.h"
#include "drawing/angleview.h"
#include "drawing/graphics/graphics.h"
#include "drawing/probe.h"
#include "drawing/rysunek.h"
#include "gui/angleviewwidget.h"
#include "gui/mainwindow.h"
#include "gui/numbersview.h"
#include "gui/picturewidget.h"
#include "gui/qtwindowlayer.h"
#include "render/angleviewtexts.h"
#include "render/renderimage.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace {

using namespace lobus;

using bench::stress;

RYSUJ settingsOf(const Case& c)
{
    RYSUJ r;
    r.pscale = c.dane.pmax;
    r.tscale = c.dane.tmax;
    return r;
}

// Points spread over the whole picture: inside diagrams, between lobes, at
// the journal centre and outside.
std::vector<std::pair<float, float>> probePoints()
{
    std::vector<std::pair<float, float>> p;
    for (int i = 0; i < 256; ++i) {
        const float a = static_cast<float>(i) * 1.40625f * 3.14159265f / 180.0f;
        const float r = 0.2f + 1.2f * static_cast<float>(i % 7) / 6.0f;
        p.emplace_back(r * std::cos(a), r * std::sin(a));
    }
    return p;
}

void BM_ProbeLookup(benchmark::State& state)
{
    const Case& c = stress(static_cast<int>(state.range(0)));
    const RYSUJ r = settingsOf(c);
    const auto points = probePoints();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [x, y] = points[i++ % points.size()];
        benchmark::DoNotOptimize(probeAt(c, r, x, y, 0.02f));
    }
}
BENCHMARK(BM_ProbeLookup)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

template <class Draw> void drawInto(benchmark::State& state, Draw draw)
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    Graphics g;
    g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f);
    renderToImage(image, g, draw); // the first drawing into fresh memory is not counted
    for (auto _ : state) {
        renderToImage(image, g, draw);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DrawPicture(benchmark::State& state)
{
    const Case& c = stress(static_cast<int>(state.range(0)));
    RYSUJ r = settingsOf(c);
    drawInto(state, [&](Graphics& g) { RYSUNEK(g, c, r); });
}
BENCHMARK(BM_DrawPicture)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DrawAngleView(benchmark::State& state)
{
    const Case& c = stress(static_cast<int>(state.range(0)));
    const RYSUJ r = settingsOf(c);
    const AngleViewTexts texts = angleViewTexts();
    drawInto(state, [&](Graphics& g) { drawAngleView(g, c, r, AngleViewState(), texts); });
}
BENCHMARK(BM_DrawAngleView)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A window as the program opens it, showing the case with the panel and the
// angle view on; each iteration moves the mouse to the next point over the
// picture and repaints both views at once.
void BM_MouseMove(benchmark::State& state)
{
    const Case& c = stress(static_cast<int>(state.range(0)));
    RYSUJ r = settingsOf(c);
    QtWindowLayer layer;
    WindowRecord record = mainWindowRecord(1);
    record.flags = kWindowSystemMenu + kWindowMinimise + kWindowMaximise + kWindowStatusBar; // not maximised
    record.width = 1600;
    record.height = 1000;
    layer.WINDOWOPEN(record);
    NumbersView* numbers = layer.numbers();
    numbers->action(NumbersView::Command::Panel)->trigger();
    numbers->action(NumbersView::Command::AngleView)->trigger();
    QApplication::processEvents();
    layer.drawPicture([&](Graphics& g, PictureMemory& memory) { RYSUNEK(g, c, r, memory); });
    layer.caseDrawn(c, r, "stress.dan");
    PictureWidget* picture = layer.window()->picture();
    AngleViewWidget* view = numbers->angleView();
    std::vector<QPointF> path;
    for (int i = 0; i < 200; ++i)
        path.emplace_back(picture->width() * (0.2 + 0.6 * (i % 20) / 19.0),
                          picture->height() * (0.2 + 0.6 * (i / 20) / 9.0));
    std::size_t i = 0;
    for (auto _ : state) {
        const QPointF at = path[i++ % path.size()];
        QMouseEvent move(QEvent::MouseMove, at, picture->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
        picture->repaint();
        view->repaint();
    }
    state.counters["picture_w"] = picture->width();
    state.counters["angleview_h"] = view->height();
}
BENCHMARK(BM_MouseMove)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return lobus::bench::runQtBenchmarks<QApplication>(argc, argv); }
