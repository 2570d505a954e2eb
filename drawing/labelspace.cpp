#include "drawing/labelspace.h"

#include "drawing/casefigures.h"
#include "drawing/graphics/graphics.h"
#include "drawing/graphics/units.h"
#include "drawing/probe.h"

#include <algorithm>
#include <cmath>

namespace lobus {

namespace {

float scaledLength(float value, float length, float scale)
{
    if (scale == 0.0f || !std::isfinite(scale) || !std::isfinite(value))
        return 0.0f;
    return value * length / scale;
}

// The value of row k of `values` at `angle` between the grid points of
// `angles` (1..n, rising), straight between two points as the outline runs;
// false outside the first and the last point widened by `slack` degrees.
bool valueAt(const ResultArray& angles, const ResultArray& values, int k, int n, double angle, double slack,
             float& value)
{
    const double first = element(angles, k, 1);
    const double last = element(angles, k, n);
    const double a = angleInExtent(static_cast<float>(angle), static_cast<float>(first - slack));
    if (!(a <= last + slack))
        return false;
    int lo = 1;
    int hi = n;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (element(angles, k, mid) < a)
            lo = mid + 1;
        else
            hi = mid;
    }
    const double a1 = element(angles, k, std::max(1, lo - 1));
    const double a2 = element(angles, k, lo);
    const float v1 = element(values, k, std::max(1, lo - 1));
    const float v2 = element(values, k, lo);
    const double t = a2 > a1 ? std::clamp((a - a1) / (a2 - a1), 0.0, 1.0) : 1.0;
    value = static_cast<float>(v1 + t * (double(v2) - v1));
    return std::isfinite(value);
}

double degrees(double dy, double dx) { return std::atan2(dy, dx) / kExactDegree; }

} // namespace

LabelSpace::LabelSpace(Graphics& g, const Case& c, const RYSUJ& rysuj) : m_case(c), m_rysuj(rysuj)
{
    m_ch = g.INFOGRAPHICS(4);
    const double ppu = g.pixelsPerUnit();
    const float pixel = ppu > 0.0 ? static_cast<float>(1.0 / ppu) : 0.01f;
    m_step = 1.5f * pixel;
    m_margin = pixel;
    m_bandInner = 1.0f - 3.5f * pixel;
    const float X = rysuj.halfx;
    const float Y = rysuj.halfy;
    m_frame = {-X + 2.0f * pixel, -Y + 2.0f * pixel, X - 2.0f * pixel, Y - 2.0f * pixel};

    for (const BoxF& t : g.textsDrawn()) {
        float ax = 0.0f, ay = 0.0f, bx = 0.0f, by = 0.0f;
        if (g.unitsFromDevice({t.x0, t.y0}, ax, ay) && g.unitsFromDevice({t.x1, t.y1}, bx, by))
            take({std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)});
    }

    const DANE& d = c.dane;
    for (int k = 1; k <= lobeCount(d); ++k) {
        double inner = m_bandInner;
        double reach = 1.0;
        const int n = pointCount(d, c.results, k);
        for (int j = 1; j <= n; ++j) {
            const double r = 1.0 - scaledLength(element(c.results.cis, k, j), rysuj.plen, rysuj.pscale);
            inner = std::min(inner, r);
            reach = std::max(reach, r);
            if (d.thermal())
                m_temperatureReach = std::max(
                    m_temperatureReach,
                    1.0 + std::abs(scaledLength(element(c.results.tem1, k, j), rysuj.tlen, rysuj.tscale)));
        }
        m_inner.push_back(inner);
        m_reach.push_back(reach);
    }
}

LabelSpace::Box LabelSpace::textBox(float x, float y, int characters) const
{
    const float half = 0.5f * (0.7f * static_cast<float>(characters) + 0.3f) * m_ch;
    return {x - half, y - 0.65f * m_ch, x + half, y + 0.65f * m_ch};
}

bool LabelSpace::nearLobe(const Box& b, int k) const
{
    const double cx = m_case.dane.tabkla(k);
    const double cy = m_case.dane.tabklb(k);
    const double nx = std::clamp(cx, double(b.x1), double(b.x2)) - cx;
    const double ny = std::clamp(cy, double(b.y1), double(b.y2)) - cy;
    const double fx = std::max(std::abs(b.x1 - cx), std::abs(b.x2 - cx));
    const double fy = std::max(std::abs(b.y1 - cy), std::abs(b.y2 - cy));
    const auto i = static_cast<std::size_t>(k - 1);
    return std::hypot(nx, ny) <= m_reach[i] + m_margin && std::hypot(fx, fy) >= m_inner[i] - m_margin;
}

bool LabelSpace::filledAt(double x, double y) const
{
    const DANE& d = m_case.dane;
    const Results& r = m_case.results;
    const double margin = m_margin;
    for (int k = 1; k <= lobeCount(d); ++k) {
        const int n = pointCount(d, r, k);
        if (n < 1)
            continue;
        const auto i = static_cast<std::size_t>(k - 1);
        const double dx = x - d.tabkla(k);
        const double dy = y - d.tabklb(k);
        const double radius = std::hypot(dx, dy);
        float p = 0.0f;
        if (radius >= m_inner[i] - margin && radius <= m_reach[i] + margin
            && valueAt(r.katcis, r.cis, k, n, degrees(dy, dx), margin / std::max(radius, 0.1) / kExactDegree,
                       p)) {
            const double depth = 1.0 - scaledLength(p, m_rysuj.plen, m_rysuj.pscale);
            if (radius >= std::min(depth, double(m_bandInner)) - margin
                && radius <= std::max(depth, 1.0) + margin)
                return true;
        }
        const double r0 = std::hypot(x, y);
        float t = 0.0f;
        if (d.thermal() && r0 >= 1.0 - margin && r0 <= m_temperatureReach + margin
            && valueAt(r.katcis, r.tem1, k, n, degrees(y, x), margin / r0 / kExactDegree, t)) {
            const double outer = 1.0 + scaledLength(t, m_rysuj.tlen, m_rysuj.tscale);
            if (r0 >= std::min(outer, 1.0) - margin && r0 <= std::max(outer, 1.0) + margin)
                return true;
        }
    }
    return false;
}

bool LabelSpace::free(const Box& b) const
{
    if (b.x1 < m_frame.x1 || b.y1 < m_frame.y1 || b.x2 > m_frame.x2 || b.y2 > m_frame.y2)
        return false;
    for (const Box& t : m_taken)
        if (b.x1 < t.x2 && t.x1 < b.x2 && b.y1 < t.y2 && t.y1 < b.y2)
            return false;
    // The temperature bands lie all round the clearance circle.
    bool near = m_case.dane.thermal();
    for (int k = 1; k <= lobeCount(m_case.dane) && !near; ++k)
        near = nearLobe(b, k);
    if (!near)
        return true;
    // The corners and the middle first: most places a shape covers show there.
    const float mx = 0.5f * (b.x1 + b.x2);
    const float my = 0.5f * (b.y1 + b.y2);
    for (const auto& [x, y] : {std::pair {mx, my}, {b.x1, b.y1}, {b.x2, b.y1}, {b.x1, b.y2}, {b.x2, b.y2}})
        if (filledAt(x, y))
            return false;
    const int nx = std::max(1, static_cast<int>(std::ceil((b.x2 - b.x1) / m_step)));
    const int ny = std::max(1, static_cast<int>(std::ceil((b.y2 - b.y1) / m_step)));
    for (int i = 0; i <= nx; ++i)
        for (int j = 0; j <= ny; ++j)
            if (filledAt(b.x1 + (b.x2 - b.x1) * static_cast<float>(i) / static_cast<float>(nx),
                         b.y1 + (b.y2 - b.y1) * static_cast<float>(j) / static_cast<float>(ny)))
                return false;
    return true;
}

} // namespace lobus
