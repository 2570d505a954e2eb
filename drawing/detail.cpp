// The picture's wedges whose points lie closer than the pixels, drawn from
// their summaries (curvesummary.h): from each run the outline through its
// first point, its extremes and its last point, and the hatch lines to them
// (or one line to its deepest point that stands for all of its lines). A
// redraw then costs what the pixels cost, whatever the points.

#include "drawing/picture.h"

#include <algorithm>
#include <cmath>

namespace lobus::picture {

namespace {

// A run of points spans at most this many tolerances of the device's level
// of detail along its curve (half a pixel on an image): an outline through
// each run's first, extreme and last points then fills the pixels as every
// point does, and the dense hatch takes the longest line of each tolerance.
// A wedge is summarised only when its runs hold several points on average
// (kRunPoints), so a case a little denser than the pixels is drawn point by
// point, as cheaply as before.
constexpr double kRunTolerances = 2.0;
constexpr int kRunPoints = 4;
// The longest chord, in device pixels, that stands for an arc of the
// bearing's size: its middle lies within a hundredth of a pixel of the arc.
constexpr double kArcChordPixels = 4.0;
// Runs that make such a chord on an image.
constexpr std::size_t kArcRuns = 8;

// The largest distance from its centre (at least 1, the arc) that a curve
// of radius(value) reaches.
template <class Radius> float reach(const CurveSummary& s, Radius radius)
{
    float r = 1.0f;
    for (const CurveSummary::Extreme& e : {s.low.back()[0], s.high.back()[0]}) {
        if (e.j >= 0) {
            const float v = std::abs(radius(e.value));
            if (std::isfinite(v))
                r = std::max(r, v);
        }
    }
    return r;
}

// The angle in degrees that a run spans at distance `radius`.
double runDegrees(const Picture& p, float radius)
{
    const double ppu = p.g.pixelsPerUnit();
    return p.runPixels / (double(kDegree) * ppu * radius);
}

float pressureRadius(const Picture& p, float value)
{
    return 1.0f - scaled(value, p.rysuj.plen, p.rysuj.pscale);
}

float temperatureRadius(const Picture& p, float value)
{
    return 1.0f + scaled(value, p.rysuj.tlen, p.rysuj.tscale);
}

// The runs of curve `which` of wedge k at most maxSpan degrees long, walked
// again only when the summary or the span changed: a redraw at the same
// scale walks nothing.
const std::vector<RunSample>& runs(Picture& p, int which, int k, double maxSpan)
{
    WalkedCurve& w = p.buffers.walked[static_cast<std::size_t>(which * 6 + k - 1)];
    const CurveSummary& s = *p.summary(which, k);
    if (!w.valid || w.maxSpan != maxSpan || !(w.key == s.key)) {
        walkSummary(s, k, maxSpan, w.runs);
        w.valid = true;
        w.maxSpan = maxSpan;
        w.key = s.key;
    }
    return w.runs;
}

double pressureSpan(Picture& p, int k)
{
    const CurveSummary& s = *p.summary(0, k);
    return runDegrees(p, reach(s, [&](float v) { return pressureRadius(p, v); }));
}

double temperatureSpan(Picture& p, int which, int k)
{
    const CurveSummary& s = *p.summary(which, k);
    return runDegrees(p, reach(s, [&](float v) { return temperatureRadius(p, v); }));
}

void push(std::vector<float>& x, std::vector<float>& y, float px, float py)
{
    x.push_back(px);
    y.push_back(py);
}

// The arc of radius 1 about (cx, cy) forward, then the inner side backwards,
// into the work buffers; returns the number of points.
int closeOutline(WorkBuffers& b)
{
    b.x.insert(b.x.end(), b.innerX.rbegin(), b.innerX.rend());
    b.y.insert(b.y.end(), b.innerY.rbegin(), b.innerY.rend());
    return static_cast<int>(b.x.size());
}

void clearBuffers(WorkBuffers& b)
{
    b.x.clear();
    b.y.clear();
    b.innerX.clear();
    b.innerY.clear();
}

// An outline between the arc about (cx, cy) and the curve radius(value) of
// the runs, as radialOutline draws it point by point.
template <class Radius>
int sampledOutline(WorkBuffers& b, const std::vector<RunSample>& runs, float cx, float cy, Radius radius)
{
    clearBuffers(b);
    // The arc side through every kArcRuns-th run's first point, and the
    // last point: chords of a few pixels, within a hundredth of a pixel of
    // the arc.
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const RunSample& r = runs[k];
        if (k % kArcRuns == 0)
            push(b.x, b.y, cx + r.c[0], cy + r.s[0]);
        if (k + 1 == runs.size())
            push(b.x, b.y, cx + r.c[r.n - 1], cy + r.s[r.n - 1]);
        for (int i = 0; i < r.n; ++i) {
            const float rj = radius(r.v[i]);
            push(b.innerX, b.innerY, cx + rj * r.c[i], cy + rj * r.s[i]);
        }
    }
    return closeOutline(b);
}

} // namespace

const CurveSummary* Picture::summary(int which, int k) const
{
    return &buffers.summaries[static_cast<std::size_t>(which * 6 + k - 1)];
}

void Picture::choosePaths()
{
    pressureSummarised.fill(false);
    temperatureSummarised.fill(false);
    runPixels = kRunTolerances * g.detailTolerance();
    const double ppu = runPixels > 0.0 ? g.pixelsPerUnit() : 0.0;
    if (!(ppu > 0.0))
        return;
    // The summaries the wedges below ask for, worked out together first.
    std::vector<SummaryJob> jobs;
    const auto wanted = [&](int which, const ResultArray& values, int k, int n) {
        CurveSummary& s = buffers.summaries[static_cast<std::size_t>(which * 6 + k - 1)];
        const SummaryKey key = summaryKey(katcis, values, n);
        if (n >= CurveSummary::kFewestPoints && (!s.built || !(s.key == key)))
            jobs.push_back({&s, key, k});
    };
    for (int k = 1; k <= wedges(); ++k) {
        wanted(0, cis, k, pressurePoints(k));
        if (dane.thermal()) {
            wanted(1, tem1, k, temperaturePoints(k));
            wanted(2, tem2, k, temperaturePoints(k));
        }
    }
    buildSummaries(jobs);
    const auto ready = [&](int which, const ResultArray& values, int k, int n) {
        CurveSummary& s = buffers.summaries[static_cast<std::size_t>(which * 6 + k - 1)];
        const SummaryKey key = summaryKey(katcis, values, n);
        if (!s.built || !(s.key == key))
            buildSummary(s, key, k);
        return s.usable;
    };
    // Points closer than a run's span over kRunPoints on average along the
    // curve's farthest reach.
    const auto dense = [&](const CurveSummary& s, int k, float radius) {
        const int n = s.key.points;
        const double span = double(s.key.angle0(k, n - 1)) - s.key.angle0(k, 0);
        return span * kRunPoints < runDegrees(*this, radius) * (n - 1);
    };
    for (int k = 1; k <= wedges(); ++k) {
        const int np = pressurePoints(k);
        if (np >= CurveSummary::kFewestPoints && ready(0, cis, k, np)) {
            const CurveSummary& s = *summary(0, k);
            pressureSummarised[static_cast<std::size_t>(k)]
                = dense(s, k, reach(s, [&](float v) { return pressureRadius(*this, v); }));
        }
        const int nt = temperaturePoints(k);
        if (dane.thermal() && nt >= CurveSummary::kFewestPoints && ready(1, tem1, k, nt)
            && ready(2, tem2, k, nt)) {
            const CurveSummary& s = *summary(1, k);
            temperatureSummarised[static_cast<std::size_t>(k)]
                = dense(s, k, reach(s, [&](float v) { return temperatureRadius(*this, v); }));
        }
    }
}

// The band lies between two arcs: chords of at most kArcChordPixels stand
// for them (they keep within a hundredth of a pixel of the arcs that the
// grid's points trace), from the wedge's first angle to its last.
int bandOutlineSummarised(Picture& p, int k, float s)
{
    const float cx = p.dane.tabkla(k);
    const float cy = p.dane.tabklb(k);
    const CurveSummary& c = *p.summary(0, k);
    WorkBuffers& b = p.buffers;
    clearBuffers(b);
    const float from = c.angleAt(0);
    const float to = c.angleAt(c.key.points - 1);
    const double pixels = (double(to) - from) * kDegree * p.g.pixelsPerUnit() * std::max(1.0f, std::abs(s));
    const int steps = std::clamp(static_cast<int>(std::ceil(pixels / kArcChordPixels)), 1, 1 << 16);
    for (int i = 0; i <= steps; ++i) {
        const float a
            = i == steps ? to : from + (to - from) * static_cast<float>(i) / static_cast<float>(steps);
        const float radians = a * kDegree;
        const float co = std::cos(radians);
        const float si = std::sin(radians);
        push(b.x, b.y, cx + co, cy + si);
        push(b.innerX, b.innerY, cx + s * co, cy + s * si);
    }
    return closeOutline(b);
}

int pressureOutlineSummarised(Picture& p, int k)
{
    return sampledOutline(p.buffers, runs(p, 0, k, pressureSpan(p, k)), p.dane.tabkla(k), p.dane.tabklb(k),
                          [&](float v) { return pressureRadius(p, v); });
}

// One line from the arc to the point of a run that lies farthest from it
// stands for the run's lines (they lie within a quarter pixel of it), and
// counts as many; a run reaching to both sides of the arc gets a line to
// each side.
void pressureHatchSummarised(Picture& p, int k)
{
    const float cx = p.dane.tabkla(k);
    const float cy = p.dane.tabklb(k);
    const auto join = [&](const RunSample& r, int i, int count) {
        const float rj = pressureRadius(p, r.v[i]);
        p.g.joinRepeated(cx + r.c[i], cy + r.s[i], cx + rj * r.c[i], cy + rj * r.s[i], count);
    };
    for (const RunSample& r : runs(p, 0, k, pressureSpan(p, k))) {
        if (r.lowAt < 0)
            continue;
        const float off1 = pressureRadius(p, r.v[r.lowAt]) - 1.0f;
        const float off2 = pressureRadius(p, r.v[r.highAt]) - 1.0f;
        const bool lowFarther = std::abs(off1) >= std::abs(off2);
        join(r, lowFarther ? r.lowAt : r.highAt, r.count);
        if ((off1 < 0.0f) != (off2 < 0.0f) && off1 != 0.0f && off2 != 0.0f)
            join(r, lowFarther ? r.highAt : r.lowAt, 1);
    }
}

double pressureHatchDensity(Picture& p, int k)
{
    const CurveSummary& s = *p.summary(0, k);
    return linesPerPixel(p, s.key.points, double(s.angleAt(s.key.points - 1)) - s.angleAt(0),
                         reach(s, [&](float v) { return pressureRadius(p, v); }));
}

void pressureHatchEnds(Picture& p, int k)
{
    const float cx = p.dane.tabkla(k);
    const float cy = p.dane.tabklb(k);
    WorkBuffers& b = p.buffers;
    clearBuffers(b);
    for (const RunSample& r : runs(p, 0, k, pressureSpan(p, k))) {
        for (int i = 0; i < r.n; ++i) {
            const float rj = pressureRadius(p, r.v[i]);
            push(b.x, b.y, cx + r.c[i], cy + r.s[i]);
            push(b.innerX, b.innerY, cx + rj * r.c[i], cy + rj * r.s[i]);
        }
    }
}

int temperatureBandSummarised(Picture& p, int k)
{
    return sampledOutline(p.buffers, runs(p, 1, k, temperatureSpan(p, 1, k)), 0.0f, 0.0f,
                          [&](float v) { return temperatureRadius(p, v); });
}

int temperatureCurveSummarised(Picture& p, int k)
{
    WorkBuffers& b = p.buffers;
    b.x.clear();
    b.y.clear();
    for (const RunSample& r : runs(p, 2, k, temperatureSpan(p, 2, k))) {
        for (int i = 0; i < r.n; ++i) {
            const float rj = temperatureRadius(p, r.v[i]);
            push(b.x, b.y, rj * r.c[i], rj * r.s[i]);
        }
    }
    return static_cast<int>(b.x.size());
}

} // namespace lobus::picture
