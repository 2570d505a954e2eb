// The curves of the angle-base view: walked once a plot (anglewalk.cpp) with
// the level of detail of the surface, clipped to the visible angles and
// dashed where asked.

#include "drawing/angleplot.h"

#include "drawing/graphics/units.h"
#include "numbers/readoutunits.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lobus::angleplot {

namespace {

// A run spans at most this many tolerances of the device's level of detail
// along the angle axis, as a summarised run of the picture does along its arc.
constexpr double kRunTolerances = 2.0;

} // namespace

double runDegrees(const Plot& plot)
{
    const float lo = plot.view.from;
    const float hi = plot.view.to;
    const double tolerance = plot.g.detailTolerance();
    PointF a;
    PointF b;
    if (!(tolerance > 0.0) || !(hi > lo) || !plot.g.unitsToDevice(lo, 0.0f, a)
        || !plot.g.unitsToDevice(hi, 0.0f, b))
        return 0.0;
    const double pixelsPerDegree = std::abs(b.x - a.x) / (double(hi) - lo);
    return pixelsPerDegree > 0.0 ? kRunTolerances * tolerance / pixelsPerDegree : 0.0;
}

Plot::Plot(Graphics& graphics, const Case& shown, const RYSUJ& settings, const AngleViewState& state,
           const AngleViewTexts& words)
    : g(graphics), c(shown), rysuj(settings), view(state), texts(words)
{
    pressureDivisor = static_cast<float>(1.0 / pressureIn(texts.units.pressure, 1.0));
    temperatureOffset = static_cast<float>(temperatureIn(texts.units.temperature, 0.0));
    temperatureScale = static_cast<float>(temperatureIn(texts.units.temperature, 1.0)) - temperatureOffset;
}

void dashedPolyline(Graphics& g, const float* x, const float* y, int n, double onPixels, double offPixels)
{
    const Device* device = g.device();
    const double unit = device ? std::max(1.0, device->dotsPerInch() / kScreenDpi) : 1.0;
    const double onLength = onPixels * unit;
    const double offLength = offPixels * unit;
    bool on = true;
    double left = onLength; // what is left of the current dash or gap
    std::vector<float> dx;
    std::vector<float> dy;
    auto emit = [&] {
        if (dx.size() >= 2)
            g.IGRPOLYLINE(dx.data(), dy.data(), static_cast<int>(dx.size()));
        dx.clear();
        dy.clear();
    };
    PointF a;
    bool have = false; // a is the device point of x/y[i - 1]
    for (int i = 0; i < n; ++i) {
        PointF b;
        if (!g.unitsToDevice(x[i], y[i], b)) {
            emit();
            have = false;
            continue;
        }
        if (!have) {
            if (on) {
                dx.push_back(x[i]);
                dy.push_back(y[i]);
            }
            a = b;
            have = true;
            continue;
        }
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        double done = 0.0;
        while (length - done > left) {
            done += left;
            const double t = done / length;
            const float qx = static_cast<float>(x[i - 1] + t * (x[i] - x[i - 1]));
            const float qy = static_cast<float>(y[i - 1] + t * (y[i] - y[i - 1]));
            if (on) {
                dx.push_back(qx);
                dy.push_back(qy);
                emit();
            }
            dx.assign(1, qx);
            dy.assign(1, qy);
            on = !on;
            left = on ? onLength : offLength;
        }
        left -= length - done;
        if (on) {
            dx.push_back(x[i]);
            dy.push_back(y[i]);
        }
        a = b;
    }
    if (on)
        emit();
}

void flushRun(Plot& plot, bool dashed)
{
    const int n = static_cast<int>(plot.x.size());
    if (n >= 2 && !dashed)
        plot.g.IGRPOLYLINE(plot.x.data(), plot.y.data(), n);
    else if (n >= 2)
        dashedPolyline(plot.g, plot.x.data(), plot.y.data(), n, 6.0, 4.0);
    plot.x.clear();
    plot.y.clear();
}

void drawCurve(Plot& plot, Curve curve, int k, float offset, bool dashed)
{
    const float lo = plot.view.from;
    const float hi = plot.view.to;
    bool havePrevious = false;
    float px = 0.0f;
    float py = 0.0f;
    for (const CurvePoint& point : plot.curves.of(curve, k)) {
        const float ax = point.angle + offset;
        const float ay = plot.plotted(curve, point.value);
        if (!std::isfinite(ax) || !std::isfinite(ay)) {
            flushRun(plot, dashed);
            havePrevious = false;
            continue;
        }
        const bool inside = ax >= lo && ax <= hi;
        if (havePrevious) {
            // Where the segment from the previous point crosses an edge.
            auto at = [&](float edge) { return py + (ay - py) * (edge - px) / (ax - px); };
            if (px < lo && ax > lo && plot.x.empty()) {
                plot.x.push_back(lo);
                plot.y.push_back(at(lo));
            }
            if (px > hi && ax < hi && plot.x.empty()) {
                plot.x.push_back(hi);
                plot.y.push_back(at(hi));
            }
            if (!inside && !plot.x.empty()) {
                const float edge = ax > hi ? hi : lo;
                plot.x.push_back(edge);
                plot.y.push_back(at(edge));
                flushRun(plot, dashed);
            }
        }
        if (inside) {
            plot.x.push_back(ax);
            plot.y.push_back(ay);
        }
        havePrevious = true;
        px = ax;
        py = ay;
    }
    flushRun(plot, dashed);
}

} // namespace lobus::angleplot
