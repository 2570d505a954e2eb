// The walk of the angle-base view's curves: each lobe's points cut into
// runs along the angle axis, each run of a curve standing as its first,
// smallest, largest and last point; a case of many points walked on two
// threads.

#include "drawing/angleplot.h"

#include "drawing/curvesummary.h"
#include "drawing/twothreads.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace lobus::angleplot {

namespace {

constexpr long kNoRun = std::numeric_limits<long>::min();

// The run of the angle-axis position q (angle / run span): runs are whole
// numbers of spans from 0; a position beyond any count is a run of its own.
long runOf(double q)
{
    if (!(std::abs(q) < 1.0e15))
        return kNoRun;
    const auto t = static_cast<long>(q);
    return q < static_cast<double>(t) ? t - 1 : t;
}

// Whether values from..to-1 are all finite; branch-free within stretches,
// so that the compiler does many at a time.
bool allFinite(const float* v, int from, int to)
{
    // A float is not finite when its exponent bits are all set.
    constexpr std::uint32_t kExponent = 0x7f800000u;
    std::uint32_t notFinite = 0;
    for (int j = from; j < to; ++j)
        notFinite
            |= static_cast<std::uint32_t>((std::bit_cast<std::uint32_t>(v[j]) & kExponent) == kExponent);
    return notFinite == 0;
}

// The points of one run: what stands for them is the first, the smallest,
// the largest and the last, in the order they come.
class Run {
public:
    bool empty() const { return m_count == 0; }
    long run() const { return m_run; }

    void add(long run, float angle, float value)
    {
        if (m_count == 0) {
            m_run = run;
            m_first = m_low = m_high = m_last = {angle, value};
            m_lowAt = m_highAt = 0;
            m_count = 1;
            return;
        }
        if (value < m_low.value) {
            m_low = {angle, value};
            m_lowAt = m_count;
        }
        if (value > m_high.value) {
            m_high = {angle, value};
            m_highAt = m_count;
        }
        m_last = {angle, value};
        ++m_count;
    }

    // Into an empty run: the points from..to-1 when every value is finite,
    // as adding them one by one leaves it (the first smallest, the first
    // largest); false, and the run left empty, when one is not.
    bool addAllFinite(long run, const float* angles, const float* values, int from, int to)
    {
        if (!allFinite(values, from, to))
            return false;
        // Eight of each at a time, so that the comparisons do not wait on
        // each other; which of two equal values wins does not matter, as
        // the first point equal to each is taken below.
        std::array<float, 8> los;
        std::array<float, 8> his;
        los.fill(values[from]);
        his.fill(values[from]);
        int j = from + 1;
        for (; j + 8 <= to; j += 8)
            for (std::size_t i = 0; i < 8; ++i) {
                const float x = values[j + static_cast<int>(i)];
                los[i] = x < los[i] ? x : los[i];
                his[i] = x > his[i] ? x : his[i];
            }
        for (; j < to; ++j) {
            los[0] = values[j] < los[0] ? values[j] : los[0];
            his[0] = values[j] > his[0] ? values[j] : his[0];
        }
        float lo = los[0];
        float hi = his[0];
        for (std::size_t i = 1; i < 8; ++i) {
            lo = los[i] < lo ? los[i] : lo;
            hi = his[i] > hi ? his[i] : hi;
        }
        int l = -1;
        int h = -1;
        for (int i = from; l < 0 || h < 0; ++i) {
            if (l < 0 && values[i] == lo)
                l = i;
            if (h < 0 && values[i] == hi)
                h = i;
        }
        m_run = run;
        m_first = {angles[from], values[from]};
        m_low = {angles[l], values[l]};
        m_high = {angles[h], values[h]};
        m_last = {angles[to - 1], values[to - 1]};
        m_lowAt = l - from;
        m_highAt = h - from;
        m_count = to - from;
        return true;
    }
    const CurvePoint& low() const { return m_low; }
    const CurvePoint& high() const { return m_high; }

    void emitInto(std::vector<CurvePoint>& out)
    {
        if (m_count == 0)
            return;
        const int last = m_count - 1;
        out.push_back(m_first);
        const bool lowFirst = m_lowAt <= m_highAt;
        const int at[2] = {lowFirst ? m_lowAt : m_highAt, lowFirst ? m_highAt : m_lowAt};
        const CurvePoint* p[2] = {lowFirst ? &m_low : &m_high, lowFirst ? &m_high : &m_low};
        for (int i = 0; i < 2; ++i)
            if (at[i] != 0 && at[i] != last && (i == 0 || at[1] != at[0]))
                out.push_back(*p[i]);
        if (last != 0)
            out.push_back(m_last);
        m_count = 0;
    }

private:
    long m_run = 0;
    int m_count = 0;
    int m_lowAt = 0;
    int m_highAt = 0;
    CurvePoint m_first, m_low, m_high, m_last;
};

// Consecutive points of a lobe in one run (kNoRun: a point of its own).
struct Stretch {
    int from;
    int to;
    long run;
};

// The smallest and the largest finite value of each curve met so far; on a
// cache line of its own, as a thread widens it at every run.
struct alignas(64) ValueRange {
    std::array<float, 3> low;
    std::array<float, 3> high;
    ValueRange()
    {
        low.fill(std::numeric_limits<float>::infinity());
        high.fill(-std::numeric_limits<float>::infinity());
    }
    void widen(const ValueRange& o)
    {
        for (std::size_t u = 0; u < 3; ++u) {
            low[u] = std::min(low[u], o.low[u]);
            high[u] = std::max(high[u], o.high[u]);
        }
    }
};

// The walk of lobe k of a case without nulls: the lobe's runs found once
// from its angles, then each curve's run of finite values taken whole (its
// first, smallest, largest and last point), point by point only where a
// value is not finite or not given. What the point-by-point walk leaves, in
// less time. Writes only the lobe's own curves.
void walkLobe(Plot& plot, double perRun, int k, int n, ValueRange& range)
{
    const Case& c = plot.c;
    const int curves = c.dane.thermal() ? 3 : 1;
    const ReadRecord& read = c.results.read;
    constexpr float kNone = std::numeric_limits<float>::quiet_NaN();
    const auto runAt
        = [perRun](float a) { return perRun > 0.0 && std::isfinite(a) ? runOf(double(a) * perRun) : kNoRun; };
    std::vector<Stretch> stretches;
    Run pending;
    const float* angles = c.results.katcis.data() + ResultArray::offset(c.results.katcis.cols(), k, 1);
    const float* values[3] = {c.results.cis.data() + ResultArray::offset(c.results.cis.cols(), k, 1),
                              c.results.tem1.data() + ResultArray::offset(c.results.tem1.cols(), k, 1),
                              c.results.tem2.data() + ResultArray::offset(c.results.tem2.cols(), k, 1)};
    // Rising angles keep a run's points together: its end is searched
    // for, doubling the step and then halving it.
    const bool rising = picture::finiteAndRising(angles, n);
    for (int at = 0; at < n;) {
        const long run = runAt(angles[at]);
        int to = at + 1;
        if (run != kNoRun && rising) {
            int step = 1;
            while (to + step <= n && runAt(angles[to + step - 1]) == run) {
                to += step;
                step *= 2;
            }
            for (; step > 0; step /= 2)
                if (to + step <= n && runAt(angles[to + step - 1]) == run)
                    to += step;
        } else if (run != kNoRun) {
            while (to < n && runAt(angles[to]) == run)
                ++to;
        }
        stretches.push_back({at, to, run});
        at = to;
    }
    std::array<float, 3>& low = range.low;
    std::array<float, 3>& high = range.high;
    for (int curve = 0; curve < curves; ++curve) {
        const auto u = static_cast<std::size_t>(curve);
        std::vector<CurvePoint>& out = plot.curves.points[u * 6 + static_cast<std::size_t>(k - 1)];
        const float* v = values[u];
        // What the files did not give breaks the curve: the temperature
        // file's points past its block.
        const int given = read.fromFiles && curve > 0
            ? std::clamp(read.temLines[static_cast<std::size_t>(k - 1)], 0, n)
            : n;
        for (const Stretch& s : stretches) {
            if (s.run != kNoRun && s.to <= given && pending.addAllFinite(s.run, angles, v, s.from, s.to)) {
                low[u] = std::min(low[u], pending.low().value);
                high[u] = std::max(high[u], pending.high().value);
                pending.emitInto(out);
                continue;
            }
            for (int at = s.from; at < s.to; ++at) {
                const float a = angles[at];
                const float value = at < given ? v[at] : kNone;
                const bool finite = std::isfinite(value);
                if (finite) {
                    low[u] = std::min(low[u], value);
                    high[u] = std::max(high[u], value);
                }
                if (s.run == kNoRun || !finite) {
                    pending.emitInto(out);
                    out.push_back({a, value});
                    continue;
                }
                pending.add(s.run, a, value);
            }
            pending.emitInto(out);
        }
    }
}

// Every lobe walked; a case of many points on two threads, as the picture
// works out its summaries, each thread widening a range of its own. The
// smallest and largest values do not depend on the order the lobes come in.
void walkStretches(Plot& plot, double perRun, const std::array<int, 6>& points, ValueRange& range)
{
    constexpr long kBesidePoints = 200000;
    std::vector<int> lobes;
    for (int k = 1; k <= lobeCount(plot.c.dane); ++k)
        lobes.push_back(k);
    const auto pointsOf = [&](int k) { return points[static_cast<std::size_t>(k - 1)]; };
    std::array<ValueRange, 2> shares;
    shareBetweenTwoThreads(
        std::move(lobes), [&](int k) { return long(pointsOf(k)); }, kBesidePoints,
        [&](int k, int share) {
            walkLobe(plot, perRun, k, pointsOf(k), shares[static_cast<std::size_t>(share)]);
        });
    range.widen(shares[0]);
    range.widen(shares[1]);
}

} // namespace

// One pass over each lobe's points: its angles and every curve's values side
// by side, each read once whatever the number of curves.
void walkCurves(Plot& plot, double runDegrees)
{
    const Case& c = plot.c;
    const int lobes = lobeCount(c.dane);
    const int curves = c.dane.thermal() ? 3 : 1;
    const double perRun = runDegrees > 0.0 ? 1.0 / runDegrees : 0.0;
    std::array<int, 6> points {};
    for (int k = 1; k <= lobes; ++k)
        points[static_cast<std::size_t>(k - 1)] = pointCount(c.dane, c.results, k);
    std::array<Run, 18> runs;
    Curves& out = plot.curves;
    out = Curves();
    // Room for what stands for each run (four points at most) or every point.
    for (int k = 1; k <= lobes; ++k) {
        const float span = std::abs(c.dane.tabpsi(2 * k) - c.dane.tabpsi(2 * k - 1));
        const double most = perRun > 0.0 && std::isfinite(span) ? 4.0 * (span * perRun + 2.0) : 0.0;
        const auto room = static_cast<std::size_t>(
            std::min<double>(points[static_cast<std::size_t>(k - 1)], most > 0.0 ? most : 1.0e9));
        for (int curve = 0; curve < curves; ++curve)
            out.of(static_cast<Curve>(curve), k).reserve(room);
    }
    constexpr ResultColumn kColumns[3] = {ResultColumn::Cis, ResultColumn::Tem1, ResultColumn::Tem2};
    constexpr float kNone = std::numeric_limits<float>::quiet_NaN();
    const ReadRecord& read = c.results.read;
    const bool checked = read.fromFiles;
    const bool nulls = checked && !read.nulls.empty();
    ValueRange range;
    std::array<float, 3>& low = range.low;
    std::array<float, 3>& high = range.high;
    const auto finish = [&] {
        for (std::size_t u = 0; u < 3; ++u) {
            out.any[u] = low[u] <= high[u];
            out.low[u] = low[u];
            out.high[u] = high[u];
        }
    };
    if (!nulls) {
        walkStretches(plot, perRun, points, range);
        finish();
        return;
    }
    for (int k = 1; k <= lobes; ++k) {
        const float* angles = c.results.katcis.data() + ResultArray::offset(c.results.katcis.cols(), k, 1);
        const float* values[3] = {c.results.cis.data() + ResultArray::offset(c.results.cis.cols(), k, 1),
                                  c.results.tem1.data() + ResultArray::offset(c.results.tem1.cols(), k, 1),
                                  c.results.tem2.data() + ResultArray::offset(c.results.tem2.cols(), k, 1)};
        for (int at = 0; at < points[static_cast<std::size_t>(k - 1)]; ++at) {
            const int point = at + 1;
            const float a = nulls && read.isNull(ResultColumn::Katcis, k, point) ? kNone : angles[at];
            const long run = perRun > 0.0 && std::isfinite(a) ? runOf(double(a) * perRun) : kNoRun;
            for (int curve = 0; curve < curves; ++curve) {
                const auto u = static_cast<std::size_t>(curve);
                const std::size_t which = u * 6 + static_cast<std::size_t>(k - 1);
                // What the files did not give breaks the curve.
                const bool given = !checked
                    || ((curve == 0 || point <= read.temLines[static_cast<std::size_t>(k - 1)])
                        && !(nulls && read.isNull(kColumns[u], k, point)));
                const float v = given ? values[u][at] : kNone;
                const bool finite = std::isfinite(v);
                if (finite) {
                    low[u] = std::min(low[u], v);
                    high[u] = std::max(high[u], v);
                }
                Run& pending = runs[which];
                if (run == kNoRun || !finite) {
                    pending.emitInto(out.points[which]);
                    out.points[which].push_back({a, v});
                    continue;
                }
                if (run != pending.run() && !pending.empty())
                    pending.emitInto(out.points[which]);
                pending.add(run, a, v);
            }
        }
    }
    for (std::size_t which = 0; which < runs.size(); ++which)
        runs[which].emitInto(out.points[which]);
    finish();
}

} // namespace lobus::angleplot
