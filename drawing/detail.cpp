// Wedges whose points lie closer than the pixels: each curve is summarised
// once per case (the points with the smallest and the largest value in
// blocks of consecutive points), and a picture walks the blocks down only as
// far as a block still spans more than a quarter pixel along its arc. From a
// block it draws the outline through its first point, its extremes and its
// last point, and one hatch line to its deepest point that stands for all of
// its lines. A redraw then costs what the pixels cost, whatever the points.

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

// The one of a and b (points, -1 for none) with the smaller (or, with
// `larger`, the larger) value.
std::int32_t pick(const float* values, int k, std::int32_t a, std::int32_t b, bool larger)
{
    if (a < 0)
        return b;
    if (b < 0)
        return a;
    const float va = element0(values, k, a);
    const float vb = element0(values, k, b);
    return (larger ? vb > va : vb < va) ? b : a;
}

void build(CurveSummary& s, const SummaryKey& key, int k)
{
    s.key = key;
    s.built = true;
    s.usable = false;
    s.low.clear();
    s.high.clear();
    const int n = key.points;
    if (n < kFewestPoints)
        return;
    for (int j = 0; j < n; ++j) {
        const float a = element0(key.angles, k, j);
        if (!std::isfinite(a) || (j > 0 && a < element0(key.angles, k, j - 1)))
            return;
    }
    constexpr int leaf = 1 << CurveSummary::kLeaf;
    std::vector<std::int32_t> low((n + leaf - 1) / leaf, -1);
    std::vector<std::int32_t> high(low.size(), -1);
    for (int j = 0; j < n; ++j) {
        if (!std::isfinite(element0(key.values, k, j)))
            continue;
        const std::size_t b = static_cast<std::size_t>(j / leaf);
        low[b] = pick(key.values, k, low[b], j, false);
        high[b] = pick(key.values, k, high[b], j, true);
    }
    s.low.push_back(std::move(low));
    s.high.push_back(std::move(high));
    while (s.low.back().size() > 1) {
        const std::vector<std::int32_t>& lowerLow = s.low.back();
        const std::vector<std::int32_t>& lowerHigh = s.high.back();
        const std::size_t blocks = (lowerLow.size() + 1) / 2;
        std::vector<std::int32_t> upLow(blocks);
        std::vector<std::int32_t> upHigh(blocks);
        for (std::size_t b = 0; b < blocks; ++b) {
            const bool pair = 2 * b + 1 < lowerLow.size();
            upLow[b]
                = pair ? pick(key.values, k, lowerLow[2 * b], lowerLow[2 * b + 1], false) : lowerLow[2 * b];
            upHigh[b]
                = pair ? pick(key.values, k, lowerHigh[2 * b], lowerHigh[2 * b + 1], true) : lowerHigh[2 * b];
        }
        s.low.push_back(std::move(upLow));
        s.high.push_back(std::move(upHigh));
    }
    s.usable = true;
}

// Consecutive points first..last (0-based) and those of them with the
// smallest and the largest finite value (-1: none).
struct Run {
    int first;
    int last;
    std::int32_t low;
    std::int32_t high;
};

// Calls emit(run) for runs of consecutive points, in order, each spanning at
// most `maxSpan` degrees or being a single point.
template <class Emit> class Walk {
public:
    Walk(const CurveSummary& s, int k, double maxSpan, Emit& emit)
        : m_s(s), m_k(k), m_maxSpan(maxSpan), m_emit(emit)
    { }
    void run()
    {
        const int top = CurveSummary::kLeaf + static_cast<int>(m_s.low.size()) - 1;
        for (std::size_t b = 0; b < m_s.low.back().size(); ++b)
            visit(top, static_cast<int>(b));
    }

private:
    void visit(int level, int b)
    {
        const int n = m_s.key.points;
        const int first = b << level;
        const int last = std::min(n, (b + 1) << level) - 1;
        const double span
            = double(element0(m_s.key.angles, m_k, last)) - element0(m_s.key.angles, m_k, first);
        if (level == 0 || span <= m_maxSpan) {
            Run r {first, last, -1, -1};
            if (level >= CurveSummary::kLeaf) {
                r.low = m_s.low[static_cast<std::size_t>(level - CurveSummary::kLeaf)]
                               [static_cast<std::size_t>(b)];
                r.high = m_s.high[static_cast<std::size_t>(level - CurveSummary::kLeaf)]
                                 [static_cast<std::size_t>(b)];
            } else {
                for (int j = first; j <= last; ++j) {
                    if (!std::isfinite(element0(m_s.key.values, m_k, j)))
                        continue;
                    r.low = pick(m_s.key.values, m_k, r.low, j, false);
                    r.high = pick(m_s.key.values, m_k, r.high, j, true);
                }
            }
            m_emit(r);
            return;
        }
        visit(level - 1, 2 * b);
        if ((2 * b + 1) << (level - 1) < n)
            visit(level - 1, 2 * b + 1);
    }

    const CurveSummary& m_s;
    int m_k;
    double m_maxSpan;
    Emit& m_emit;
};

template <class Emit> void walk(const CurveSummary& s, int k, double maxSpan, Emit emit)
{
    Walk<Emit>(s, k, maxSpan, emit).run();
}

// The largest distance from its centre (at least 1, the arc) that a curve
// of radius(value) reaches.
template <class Radius> float reach(const CurveSummary& s, int k, Radius radius)
{
    float r = 1.0f;
    for (const std::int32_t j : {s.low.back()[0], s.high.back()[0]}) {
        if (j >= 0) {
            const float v = std::abs(radius(element0(s.key.values, k, j)));
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

// The points first, low, high, last of a run, each once, in their order.
int runPoints(const Run& r, int (&out)[4])
{
    int candidates[4] = {r.first, std::min(r.low, r.high), std::max(r.low, r.high), r.last};
    int n = 0;
    for (const int j : candidates) {
        if (j < 0 || (n > 0 && out[n - 1] == j))
            continue;
        if (n > 0 && j < out[n - 1])
            continue;
        out[n++] = j;
    }
    return n;
}

struct Direction {
    float c;
    float s;
};

Direction direction(const Picture& p, int k, int j)
{
    const float a = element0(p.katcis.data(), k, j) * kDegree;
    return {std::cos(a), std::sin(a)};
}

float pressureRadius(const Picture& p, float value)
{
    return 1.0f - scaled(value, p.rysuj.plen, p.rysuj.pscale);
}

float temperatureRadius(const Picture& p, float value)
{
    return 1.0f + scaled(value, p.rysuj.tlen, p.rysuj.tscale);
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

// An outline between the arc about (cx, cy) and the curve radius(value j)
// of summary s, as radialOutline draws it point by point.
template <class Radius>
int summarisedOutline(Picture& p, const CurveSummary& s, int k, float cx, float cy, double maxSpan,
                      Radius radius)
{
    WorkBuffers& b = p.buffers;
    b.x.clear();
    b.y.clear();
    b.innerX.clear();
    b.innerY.clear();
    walk(s, k, maxSpan, [&](const Run& r) {
        for (const int j : {r.first, r.last}) {
            const Direction d = direction(p, k, j);
            push(b.x, b.y, cx + d.c, cy + d.s);
            if (r.first == r.last)
                break;
        }
        int points[4];
        const int n = runPoints(r, points);
        for (int i = 0; i < n; ++i) {
            const Direction d = direction(p, k, points[i]);
            const float rj = radius(points[i]);
            push(b.innerX, b.innerY, cx + rj * d.c, cy + rj * d.s);
        }
    });
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
                = dense(s, k, reach(s, k, [&](float v) { return pressureRadius(*this, v); }));
        }
        const int nt = temperaturePoints(k);
        if (dane.thermal() && nt >= kFewestPoints && ready(1, tem1, k, nt) && ready(2, tem2, k, nt)) {
            const CurveSummary& s = *summary(1, k);
            temperatureSummarised[static_cast<std::size_t>(k)]
                = dense(s, k, reach(s, k, [&](float v) { return temperatureRadius(*this, v); }));
        }
    }
}

int bandOutlineSummarised(Picture& p, int k, float s)
{
    const float cx = p.dane.tabkla(k);
    const float cy = p.dane.tabklb(k);
    const CurveSummary& c = *p.summary(0, k);
    WorkBuffers& b = p.buffers;
    b.x.clear();
    b.y.clear();
    b.innerX.clear();
    b.innerY.clear();
    walk(c, k, runDegrees(p, 1.0f), [&](const Run& r) {
        for (const int j : {r.first, r.last}) {
            const Direction d = direction(p, k, j);
            push(b.x, b.y, cx + d.c, cy + d.s);
            push(b.innerX, b.innerY, cx + s * d.c, cy + s * d.s);
            if (r.first == r.last)
                break;
        }
    });
    return closeOutline(b);
}

int pressureOutlineSummarised(Picture& p, int k)
{
    const CurveSummary& s = *p.summary(0, k);
    const auto radius = [&](int j) { return pressureRadius(p, element0(s.key.values, k, j)); };
    const double maxSpan = runDegrees(p, reach(s, k, [&](float v) { return pressureRadius(p, v); }));
    return summarisedOutline(p, s, k, p.dane.tabkla(k), p.dane.tabklb(k), maxSpan, radius);
}

// One line from the arc to the point of a run that lies farthest from it
// stands for the run's lines (they lie within a quarter pixel of it), and
// counts as many; a run reaching to both sides of the arc gets a line to
// each side.
void pressureHatchSummarised(Picture& p, int k)
{
    const CurveSummary& s = *p.summary(0, k);
    const float cx = p.dane.tabkla(k);
    const float cy = p.dane.tabklb(k);
    const auto radius = [&](int j) { return pressureRadius(p, element0(s.key.values, k, j)); };
    const double maxSpan = runDegrees(p, reach(s, k, [&](float v) { return pressureRadius(p, v); }));
    const auto join = [&](int j, int count) {
        const Direction d = direction(p, k, j);
        const float r = radius(j);
        p.g.joinRepeated(cx + d.c, cy + d.s, cx + r * d.c, cy + r * d.s, count);
    };
    walk(s, k, maxSpan, [&](const Run& r) {
        if (r.low < 0)
            return;
        const float off1 = radius(r.low) - 1.0f;
        const float off2 = radius(r.high) - 1.0f;
        const bool lowFarther = std::abs(off1) >= std::abs(off2);
        join(lowFarther ? r.low : r.high, r.last - r.first + 1);
        if ((off1 < 0.0f) != (off2 < 0.0f) && off1 != 0.0f && off2 != 0.0f)
            join(lowFarther ? r.high : r.low, 1);
    });
}

void pressureHatchEnds(Picture& p, int k)
{
    const CurveSummary& s = *p.summary(0, k);
    const float cx = p.dane.tabkla(k);
    const float cy = p.dane.tabklb(k);
    const double maxSpan = runDegrees(p, reach(s, k, [&](float v) { return pressureRadius(p, v); }));
    WorkBuffers& b = p.buffers;
    b.x.clear();
    b.y.clear();
    b.innerX.clear();
    b.innerY.clear();
    walk(s, k, maxSpan, [&](const Run& r) {
        int points[4];
        const int n = runPoints(r, points);
        for (int i = 0; i < n; ++i) {
            const Direction d = direction(p, k, points[i]);
            const float rj = pressureRadius(p, element0(s.key.values, k, points[i]));
            push(b.x, b.y, cx + d.c, cy + d.s);
            push(b.innerX, b.innerY, cx + rj * d.c, cy + rj * d.s);
        }
    });
}

int temperatureBandSummarised(Picture& p, int k)
{
    const CurveSummary& s = *p.summary(1, k);
    const auto radius = [&](int j) { return temperatureRadius(p, element0(s.key.values, k, j)); };
    const double maxSpan = runDegrees(p, reach(s, k, [&](float v) { return temperatureRadius(p, v); }));
    return summarisedOutline(p, s, k, 0.0f, 0.0f, maxSpan, radius);
}

int temperatureCurveSummarised(Picture& p, int k)
{
    const CurveSummary& s = *p.summary(2, k);
    const double maxSpan = runDegrees(p, reach(s, k, [&](float v) { return temperatureRadius(p, v); }));
    WorkBuffers& b = p.buffers;
    b.x.clear();
    b.y.clear();
    walk(s, k, maxSpan, [&](const Run& r) {
        int points[4];
        const int n = runPoints(r, points);
        for (int i = 0; i < n; ++i) {
            const Direction d = direction(p, k, points[i]);
            const float rj = temperatureRadius(p, element0(s.key.values, k, points[i]));
            push(b.x, b.y, rj * d.c, rj * d.s);
        }
    });
    return static_cast<int>(b.x.size());
}

} // namespace lobus::picture
