// Wedges whose points lie closer than the pixels: each curve is summarised
// once per case (the points with the smallest and the largest value in
// blocks of consecutive points), and a picture walks the blocks down only as
// far as a block still spans more than half a pixel along its arc. From a
// block it draws the outline through its first point, its extremes and its
// last point, and the hatch lines to them (or one line to its deepest point
// that stands for all of its lines). A redraw then costs what the pixels
// cost, whatever the points.

#include "drawing/picture.h"

#include <algorithm>
#include <cmath>

namespace lobus::picture {

namespace {

// Fewer points than this are always drawn one by one.
constexpr int kFewestPoints = 64;
// A run of points spans at most this along its curve, in device pixels: an
// outline through each run's first, extreme and last points then fills the
// pixels as every point does, and the dense hatch takes the longest line of
// each quarter pixel. A wedge is summarised only when its runs hold several
// points on average (kRunPoints), so a case a little denser than the pixels
// is drawn point by point, as cheaply as before.
constexpr double kRunPixels = 0.5;
constexpr int kRunPoints = 4;
// The longest chord, in device pixels, that stands for an arc of the
// bearing's size: its middle lies within a hundredth of a pixel of the arc.
constexpr double kArcChordPixels = 4.0;
// Runs of kRunPixels that make such a chord.
constexpr std::size_t kArcRuns = 8;

// Element j (0-based) of row k of an array's storage.
float element0(const float* data, int k, int j)
{
    return data[static_cast<std::size_t>(j) * ResultArray::kRows + static_cast<std::size_t>(k - 1)];
}

SummaryKey keyOf(const ResultArray& angles, const ResultArray& values, int points)
{
    SummaryKey key;
    key.angles = angles.data();
    key.values = values.data();
    key.cols = std::min(angles.cols(), values.cols());
    key.anglesAllocation = angles.allocation();
    key.anglesEdits = angles.edits();
    key.valuesAllocation = values.allocation();
    key.valuesEdits = values.edits();
    key.points = points;
    return key;
}

using Extreme = CurveSummary::Extreme;

// The one of a and b with the smaller (or, with `larger`, the larger) value.
Extreme pickExtreme(const Extreme& a, const Extreme& b, bool larger)
{
    if (a.j < 0)
        return b;
    if (b.j < 0)
        return a;
    return (larger ? b.value > a.value : b.value < a.value) ? b : a;
}

void build(CurveSummary& s, const SummaryKey& key, int k)
{
    s.key = key;
    s.built = true;
    s.usable = false;
    s.low.clear();
    s.high.clear();
    s.firstAngle.clear();
    s.lastAngle.clear();
    s.firstValue.clear();
    s.lastValue.clear();
    const int n = key.points;
    if (n < kFewestPoints)
        return;
    for (int j = 0; j < n; ++j) {
        const float a = element0(key.angles, k, j);
        if (!std::isfinite(a) || (j > 0 && a < element0(key.angles, k, j - 1)))
            return;
    }
    constexpr int leaf = 1 << CurveSummary::kLeaf;
    const std::size_t leaves = static_cast<std::size_t>((n + leaf - 1) / leaf);
    std::vector<Extreme> low(leaves);
    std::vector<Extreme> high(leaves);
    s.firstAngle.resize(leaves);
    s.lastAngle.resize(leaves);
    s.firstValue.resize(leaves);
    s.lastValue.resize(leaves);
    for (std::size_t b = 0; b < leaves; ++b) {
        const int first = static_cast<int>(b) * leaf;
        const int last = std::min(n, first + leaf) - 1;
        for (int j = first; j <= last; ++j) {
            const Extreme e {j, element0(key.values, k, j), element0(key.angles, k, j)};
            if (!std::isfinite(e.value))
                continue;
            low[b] = pickExtreme(low[b], e, false);
            high[b] = pickExtreme(high[b], e, true);
        }
        s.firstAngle[b] = element0(key.angles, k, first);
        s.lastAngle[b] = element0(key.angles, k, last);
        s.firstValue[b] = element0(key.values, k, first);
        s.lastValue[b] = element0(key.values, k, last);
    }
    s.low.push_back(std::move(low));
    s.high.push_back(std::move(high));
    while (s.low.back().size() > 1) {
        const std::vector<Extreme>& lowerLow = s.low.back();
        const std::vector<Extreme>& lowerHigh = s.high.back();
        const std::size_t blocks = (lowerLow.size() + 1) / 2;
        std::vector<Extreme> upLow(blocks);
        std::vector<Extreme> upHigh(blocks);
        for (std::size_t b = 0; b < blocks; ++b) {
            const bool pair = 2 * b + 1 < lowerLow.size();
            upLow[b] = pair ? pickExtreme(lowerLow[2 * b], lowerLow[2 * b + 1], false) : lowerLow[2 * b];
            upHigh[b] = pair ? pickExtreme(lowerHigh[2 * b], lowerHigh[2 * b + 1], true) : lowerHigh[2 * b];
        }
        s.low.push_back(std::move(upLow));
        s.high.push_back(std::move(upHigh));
    }
    s.usable = true;
}

// Walks the blocks of a summary down to runs of at most `maxSpan` degrees
// (or single points) and samples each run: its points in order, their
// directions and values.
class Walk {
public:
    Walk(const CurveSummary& s, int k, double maxSpan, std::vector<RunSample>& out)
        : m_s(s), m_k(k), m_maxSpan(maxSpan), m_out(out)
    { }
    void run()
    {
        m_out.clear();
        const int top = CurveSummary::kLeaf + static_cast<int>(m_s.low.size()) - 1;
        for (std::size_t b = 0; b < m_s.low.back().size(); ++b)
            visit(top, static_cast<int>(b));
    }

private:
    float angle(int j) const { return element0(m_s.key.angles, m_k, j); }
    float value(int j) const { return element0(m_s.key.values, m_k, j); }

    void visit(int level, int b)
    {
        const int n = m_s.key.points;
        const int first = b << level;
        const int last = std::min(n, (b + 1) << level) - 1;
        const bool summarised = level >= CurveSummary::kLeaf;
        const auto firstLeaf = static_cast<std::size_t>(first >> CurveSummary::kLeaf);
        const auto lastLeaf = static_cast<std::size_t>(last >> CurveSummary::kLeaf);
        const float firstAngle = summarised ? m_s.firstAngle[firstLeaf] : angle(first);
        const float lastAngle = summarised ? m_s.lastAngle[lastLeaf] : angle(last);
        if (level == 0 || double(lastAngle) - firstAngle <= m_maxSpan) {
            Extreme low;
            Extreme high;
            if (summarised) {
                const auto at = static_cast<std::size_t>(level - CurveSummary::kLeaf);
                low = m_s.low[at][static_cast<std::size_t>(b)];
                high = m_s.high[at][static_cast<std::size_t>(b)];
            } else {
                for (int j = first; j <= last; ++j) {
                    const Extreme e {j, value(j), angle(j)};
                    if (!std::isfinite(e.value))
                        continue;
                    low = pickExtreme(low, e, false);
                    high = pickExtreme(high, e, true);
                }
            }
            emit(first, last, low, high, firstAngle, lastAngle,
                 summarised ? m_s.firstValue[firstLeaf] : value(first),
                 summarised ? m_s.lastValue[lastLeaf] : value(last));
            return;
        }
        visit(level - 1, 2 * b);
        if ((2 * b + 1) << (level - 1) < n)
            visit(level - 1, 2 * b + 1);
    }

    // The run's points first, low, high, last, each once, in their order;
    // the first one's direction worked out whole, the others' turned from it
    // by their small angle (a run spans a fraction of a pixel).
    void emit(int first, int last, const Extreme& low, const Extreme& high, float firstAngle, float lastAngle,
              float firstValue, float lastValue)
    {
        RunSample r;
        r.count = last - first + 1;
        const bool lowFirst = low.j <= high.j;
        const Extreme none;
        const Extreme& earlier = lowFirst ? low : high;
        const Extreme& later = lowFirst ? high : low;
        const Extreme candidates[4] = {{first, firstValue, firstAngle},
                                       earlier.j < 0 ? none : earlier,
                                       later.j < 0 ? none : later,
                                       {last, lastValue, lastAngle}};
        for (const Extreme& e : candidates) {
            if (e.j < 0 || (r.n > 0 && e.j <= r.j[r.n - 1]))
                continue;
            const int i = r.n++;
            r.j[i] = e.j;
            r.v[i] = e.value;
            if (i == 0) {
                // Turned on from the last run's first point while that is
                // near; worked out whole now and then, so no error grows.
                const float d = (e.angle - m_angle) * kDegree;
                if (m_turns > 0 && m_turns < 64 && std::abs(d) < 0.01f) {
                    turn(m_c, m_s0, d, r.c[0], r.s[0]);
                    ++m_turns;
                } else {
                    const float radians = e.angle * kDegree;
                    r.c[0] = std::cos(radians);
                    r.s[0] = std::sin(radians);
                    m_turns = 1;
                }
                m_angle = e.angle;
                m_c = r.c[0];
                m_s0 = r.s[0];
            } else {
                turn(r.c[0], r.s[0], (e.angle - firstAngle) * kDegree, r.c[i], r.s[i]);
            }
            if (e.j == low.j)
                r.lowAt = i;
            if (e.j == high.j)
                r.highAt = i;
        }
        m_out.push_back(r);
    }

    // (c, s) turned by the small angle d (radians): cos d and sin d to
    // their third power, exact in floats for the fraction of a pixel a run
    // spans.
    static void turn(float c, float s, float d, float& outC, float& outS)
    {
        const float cd = 1.0f - 0.5f * d * d;
        const float sd = d - d * d * d / 6.0f;
        outC = c * cd - s * sd;
        outS = s * cd + c * sd;
    }

    const CurveSummary& m_s;
    int m_k;
    double m_maxSpan;
    std::vector<RunSample>& m_out;
    float m_angle = 0.0f; // the last run's first point: angle, cos and sin
    float m_c = 1.0f;
    float m_s0 = 0.0f;
    int m_turns = 0; // runs since one was worked out whole
};

// The largest distance from its centre (at least 1, the arc) that a curve
// of radius(value) reaches.
template <class Radius> float reach(const CurveSummary& s, Radius radius)
{
    float r = 1.0f;
    for (const Extreme& e : {s.low.back()[0], s.high.back()[0]}) {
        if (e.j >= 0) {
            const float v = std::abs(radius(e.value));
            if (std::isfinite(v))
                r = std::max(r, v);
        }
    }
    return r;
}

// The angle in degrees that kRunPixels span at distance `radius`.
double runDegrees(const Picture& p, float radius)
{
    const double ppu = p.g.pixelsPerUnit();
    return kRunPixels / (double(kDegree) * ppu * radius);
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
// once a picture.
const std::vector<RunSample>& runs(Picture& p, int which, int k, double maxSpan)
{
    WalkedCurve& w = p.buffers.walked[static_cast<std::size_t>(which * 6 + k - 1)];
    if (!w.valid || w.maxSpan != maxSpan) {
        Walk(*p.summary(which, k), k, maxSpan, w.runs).run();
        w.valid = true;
        w.maxSpan = maxSpan;
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
    for (WalkedCurve& w : buffers.walked)
        w.valid = false;
    const double ppu = g.levelOfDetail() ? g.pixelsPerUnit() : 0.0;
    if (!(ppu > 0.0))
        return;
    const auto ready = [&](int which, const ResultArray& values, int k, int n) {
        CurveSummary& s = buffers.summaries[static_cast<std::size_t>(which * 6 + k - 1)];
        const SummaryKey key = keyOf(katcis, values, n);
        if (!s.built || !(s.key == key))
            build(s, key, k);
        return s.usable;
    };
    // Points closer than a run's span over kRunPoints on average along the
    // curve's farthest reach.
    const auto dense = [&](const CurveSummary& s, int k, float radius) {
        const int n = s.key.points;
        const double span = double(element0(s.key.angles, k, n - 1)) - element0(s.key.angles, k, 0);
        return span * kRunPoints < runDegrees(*this, radius) * (n - 1);
    };
    for (int k = 1; k <= wedges(); ++k) {
        const int np = pressurePoints(k);
        if (np >= kFewestPoints && ready(0, cis, k, np)) {
            const CurveSummary& s = *summary(0, k);
            pressureSummarised[static_cast<std::size_t>(k)]
                = dense(s, k, reach(s, [&](float v) { return pressureRadius(*this, v); }));
        }
        const int nt = temperaturePoints(k);
        if (dane.thermal() && nt >= kFewestPoints && ready(1, tem1, k, nt) && ready(2, tem2, k, nt)) {
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
    const float from = c.firstAngle.front();
    const float to = c.lastAngle.back();
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
    return linesPerPixel(p, s.key.points, double(s.lastAngle.back()) - s.firstAngle.front(),
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
