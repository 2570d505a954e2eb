// The summaries of dense curves: the points with the smallest and the
// largest value in blocks of consecutive points, worked out once per case,
// and the walk down the blocks to runs short enough for the device's level
// of detail.

#include "drawing/curvesummary.h"

#include "datafiles/largememory.h"
#include "drawing/graphics/units.h"
#include "drawing/twothreads.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>

namespace lobus::picture {

SummaryKey summaryKey(const ResultArray& angles, const ResultArray& values, int points)
{
    SummaryKey key;
    key.angles = angles.data();
    key.values = values.data();
    key.angleCols = angles.cols();
    key.valueCols = values.cols();
    key.anglesAllocation = angles.allocation();
    key.anglesEdits = angles.edits();
    key.valuesAllocation = values.allocation();
    key.valuesEdits = values.edits();
    key.points = points;
    return key;
}

namespace {

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

} // namespace

// Branch-free within stretches, so that the compiler does many at a time.
bool finiteAndRising(const float* a, int n)
{
    constexpr int kStretch = 256;
    if (n > 0 && !(a[0] - a[0] == 0.0f))
        return false;
    for (int from = 1; from < n; from += kStretch) {
        const int to = std::min(n, from + kStretch);
        bool ok = true;
        for (int j = from; j < to; ++j)
            ok &= (a[j] - a[j] == 0.0f) & (a[j] >= a[j - 1]);
        if (!ok)
            return false;
    }
    return true;
}

namespace {

// The first point of points first..last with the smallest and the first
// with the largest finite value.
void leafExtremes(const float* v, int first, int last, Extreme& low, Extreme& high)
{
    bool finite = true;
    float lo = v[first];
    float hi = v[first];
    for (int j = first; j <= last; ++j) {
        finite &= v[j] - v[j] == 0.0f;
        lo = v[j] < lo ? v[j] : lo;
        hi = v[j] > hi ? v[j] : hi;
    }
    if (finite) {
        int j = first;
        while (!(v[j] == lo))
            ++j;
        low = {j, v[j]};
        j = first;
        while (!(v[j] == hi))
            ++j;
        high = {j, v[j]};
        return;
    }
    for (int j = first; j <= last; ++j) {
        const Extreme e {j, v[j]};
        if (!std::isfinite(e.value))
            continue;
        low = pickExtreme(low, e, false);
        high = pickExtreme(high, e, true);
    }
}

// The extremes a summary of n points keeps on each side, all levels.
std::size_t summaryEntries(int n)
{
    if (n < CurveSummary::kFewestPoints)
        return 0;
    constexpr int leaf = 1 << CurveSummary::kLeaf;
    std::size_t blocks = static_cast<std::size_t>((n + leaf - 1) / leaf);
    std::size_t all = blocks;
    while (blocks > 1) {
        blocks = (blocks + 1) / 2;
        all += blocks;
    }
    return all;
}

// Memory for `entries` extremes on each side; its lifetime shared by the
// summaries laid into it.
std::shared_ptr<Extreme> summaryStore(std::size_t entries)
{
    if (entries == 0)
        return nullptr;
    if (entries > std::numeric_limits<std::size_t>::max() / (2 * sizeof(Extreme)))
        throw std::bad_alloc();
    auto* p = static_cast<Extreme*>(allocateLarge(2 * entries * sizeof(Extreme)));
    if (!p)
        throw std::bad_alloc();
    return std::shared_ptr<Extreme>(p, [](Extreme* q) { std::free(q); });
}

// Works out the summary of row k into `at` (summaryEntries(key.points)
// extremes a side, within `store`).
void buildInto(CurveSummary& s, const SummaryKey& key, int k, std::shared_ptr<Extreme> store, Extreme* at)
{
    s.key = key;
    s.built = true;
    s.usable = false;
    s.k = k;
    s.low.clear();
    s.high.clear();
    s.store.reset();
    const int n = key.points;
    if (n < CurveSummary::kFewestPoints)
        return;
    const float* angles = &key.angles[ResultArray::offset(key.angleCols, k, 1)];
    if (!finiteAndRising(angles, n))
        return;
    const float* values = &key.values[ResultArray::offset(key.valueCols, k, 1)];
    constexpr int leaf = 1 << CurveSummary::kLeaf;
    const std::size_t entries = summaryEntries(n);
    Extreme* lowAt = at;
    Extreme* highAt = at + entries;
    const std::size_t leaves = static_cast<std::size_t>((n + leaf - 1) / leaf);
    const std::span<Extreme> low(lowAt, leaves);
    const std::span<Extreme> high(highAt, leaves);
    for (std::size_t b = 0; b < leaves; ++b) {
        const int first = static_cast<int>(b) * leaf;
        const int last = std::min(n, first + leaf) - 1;
        low[b] = Extreme();
        high[b] = Extreme();
        leafExtremes(values, first, last, low[b], high[b]);
    }
    s.low.push_back(low);
    s.high.push_back(high);
    lowAt += leaves;
    highAt += leaves;
    while (s.low.back().size() > 1) {
        const std::span<const Extreme> lowerLow = s.low.back();
        const std::span<const Extreme> lowerHigh = s.high.back();
        const std::size_t blocks = (lowerLow.size() + 1) / 2;
        const std::span<Extreme> upLow(lowAt, blocks);
        const std::span<Extreme> upHigh(highAt, blocks);
        for (std::size_t b = 0; b < blocks; ++b) {
            const bool pair = 2 * b + 1 < lowerLow.size();
            upLow[b] = pair ? pickExtreme(lowerLow[2 * b], lowerLow[2 * b + 1], false) : lowerLow[2 * b];
            upHigh[b] = pair ? pickExtreme(lowerHigh[2 * b], lowerHigh[2 * b + 1], true) : lowerHigh[2 * b];
        }
        s.low.push_back(upLow);
        s.high.push_back(upHigh);
        lowAt += blocks;
        highAt += blocks;
    }
    s.store = std::move(store);
    s.usable = true;
}

} // namespace

void buildSummary(CurveSummary& s, const SummaryKey& key, int k)
{
    std::shared_ptr<Extreme> store = summaryStore(summaryEntries(key.points));
    Extreme* at = store.get();
    buildInto(s, key, k, std::move(store), at);
}

void buildSummaries(std::vector<SummaryJob>& jobs)
{
    // Fewer points than this in all are worked out on this thread: a thread
    // would cost more than it saves.
    constexpr long kBesidePoints = 200000;
    std::size_t entries = 0;
    for (const SummaryJob& j : jobs)
        entries += summaryEntries(j.key.points);
    // One block for all: large enough, it comes in large pages.
    const std::shared_ptr<Extreme> store = summaryStore(entries);
    struct Placed {
        const SummaryJob* job;
        Extreme* at;
    };
    std::vector<Placed> placed;
    std::size_t used = 0;
    for (const SummaryJob& j : jobs) {
        placed.push_back({&j, store.get() + 2 * used});
        used += summaryEntries(j.key.points);
    }
    shareBetweenTwoThreads(
        std::move(placed), [](const Placed& p) { return long(p.job->key.points); }, kBesidePoints,
        [&store](const Placed& p, int) { buildInto(*p.job->s, p.job->key, p.job->k, store, p.at); });
}

namespace {

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
    float angle(int j) const { return m_s.key.angle0(m_k, j); }
    float value(int j) const { return m_s.key.value0(m_k, j); }

    void visit(int level, int b)
    {
        const int n = m_s.key.points;
        const int first = b << level;
        const int last = std::min(n, (b + 1) << level) - 1;
        const bool summarised = level >= CurveSummary::kLeaf;
        const float firstAngle = angle(first);
        const float lastAngle = angle(last);
        if (level == 0 || double(lastAngle) - firstAngle <= m_maxSpan) {
            Extreme low;
            Extreme high;
            if (summarised) {
                const auto at = static_cast<std::size_t>(level - CurveSummary::kLeaf);
                low = m_s.low[at][static_cast<std::size_t>(b)];
                high = m_s.high[at][static_cast<std::size_t>(b)];
            } else {
                for (int j = first; j <= last; ++j) {
                    const Extreme e {j, value(j)};
                    if (!std::isfinite(e.value))
                        continue;
                    low = pickExtreme(low, e, false);
                    high = pickExtreme(high, e, true);
                }
            }
            emit(first, last, low, high, firstAngle);
            return;
        }
        visit(level - 1, 2 * b);
        if ((2 * b + 1) << (level - 1) < n)
            visit(level - 1, 2 * b + 1);
    }

    // The run's points first, low, high, last, each once, in their order;
    // the first one's direction worked out whole, the others' turned from it
    // by their small angle (a run spans a fraction of a pixel).
    void emit(int first, int last, const Extreme& low, const Extreme& high, float firstAngle)
    {
        RunSample r;
        r.count = last - first + 1;
        const bool lowFirst = low.j <= high.j;
        const Extreme none;
        const Extreme& earlier = lowFirst ? low : high;
        const Extreme& later = lowFirst ? high : low;
        const Extreme candidates[4] = {{first, value(first)},
                                       earlier.j < 0 ? none : earlier,
                                       later.j < 0 ? none : later,
                                       {last, value(last)}};
        for (const Extreme& e : candidates) {
            if (e.j < 0 || (r.n > 0 && e.j <= r.j[r.n - 1]))
                continue;
            const int i = r.n++;
            r.j[i] = e.j;
            r.v[i] = e.value;
            const float eAngle = angle(e.j);
            if (i == 0) {
                // Turned on from the last run's first point while that is
                // near; worked out whole now and then, so no error grows.
                const float d = (eAngle - m_angle) * kDegree;
                if (m_turns > 0 && m_turns < 64 && std::abs(d) < 0.01f) {
                    turn(m_c, m_s0, d, r.c[0], r.s[0]);
                    ++m_turns;
                } else {
                    const float radians = eAngle * kDegree;
                    r.c[0] = std::cos(radians);
                    r.s[0] = std::sin(radians);
                    m_turns = 1;
                }
                m_angle = eAngle;
                m_c = r.c[0];
                m_s0 = r.s[0];
            } else {
                turn(r.c[0], r.s[0], (eAngle - firstAngle) * kDegree, r.c[i], r.s[i]);
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

} // namespace

void walkSummary(const CurveSummary& s, int k, double maxSpan, std::vector<RunSample>& out)
{
    Walk(s, k, maxSpan, out).run();
}

} // namespace lobus::picture
