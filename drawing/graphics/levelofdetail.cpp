#include "drawing/graphics/levelofdetail.h"

#include <algorithm>

namespace lobus::lod {

namespace {

double dot(PointF a, PointF b) { return a.x * b.x + a.y * b.y; }
double cross(PointF a, PointF b) { return a.x * b.y - a.y * b.x; }
PointF minus(PointF a, PointF b) { return {a.x - b.x, a.y - b.y}; }
PointF along(PointF origin, PointF unit, double t) { return {origin.x + unit.x * t, origin.y + unit.y * t}; }

} // namespace

// An outline of 100,000 points along an arc a few hundred pixels long then
// costs what its pixels cost.
void dropNearVertices(std::span<const PointF> in, std::vector<PointF>& out, double tolerance)
{
    const double near = tolerance * tolerance;
    const double corner = 16.0 * near;
    out.resize(in.size());
    std::size_t n = 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const PointF p = in[i];
        if (n > 0 && i + 1 < in.size()) {
            const PointF d = minus(p, out[n - 1]);
            if (dot(d, d) < near) {
                const PointF e = minus(in[i + 1], p);
                if (dot(e, e) < corner)
                    continue;
            }
        }
        out[n++] = p;
    }
    out.resize(n);
}

// The vertices left out of a run are those a cone of ways on from the last
// vertex kept still passes near.
std::size_t thinOutline(std::span<PointF> points, double tolerance)
{
    const std::size_t count = points.size();
    if (count < 4)
        return count;
    PointF* p = points.data();
    std::size_t kept = 1; // p[0] stays
    PointF anchor = p[0];
    bool cone = false;
    PointF low;
    PointF high;
    const double tolerance2 = tolerance * tolerance;
    // Fits q into the cone from the anchor; false when no way on is left.
    // The cone's edges are kept as directions of any length: only the sides
    // a direction lies on are asked, and those need no square roots.
    const auto fits = [&](PointF q) {
        const PointF v = minus(q, anchor);
        const double r2 = v.x * v.x + v.y * v.y;
        if (!(r2 > tolerance2))
            return r2 <= tolerance2;
        // Outside the cone, or in the one opposite it.
        if (cone
            && (cross(low, v) < 0.0 || cross(v, high) < 0.0 || (dot(v, low) <= 0.0 && dot(v, high) <= 0.0)))
            return false;
        // The ways from the anchor that pass within the tolerance of q: v
        // turned either way by the angle whose sine is tolerance / |v|.
        const double w = std::sqrt(r2 - tolerance2);
        const PointF lo {v.x * w + v.y * tolerance, v.y * w - v.x * tolerance};
        const PointF hi {v.x * w - v.y * tolerance, v.y * w + v.x * tolerance};
        if (!cone) {
            low = lo;
            high = hi;
            cone = true;
            return true;
        }
        if (cross(low, lo) > 0.0)
            low = lo;
        if (cross(hi, high) > 0.0)
            high = hi;
        return true;
    };
    // The last vertex stays, but must fit too, or the one before it stays.
    for (std::size_t i = 1; i < count; ++i) {
        if (fits(p[i]))
            continue;
        // p[i] does not fit: the vertex before it is kept, and the cone
        // starts again from there.
        anchor = p[i - 1];
        p[kept++] = anchor;
        cone = false;
        fits(p[i]);
    }
    p[kept++] = p[count - 1];
    return kept;
}

// A line joins the open group when it starts within the tolerance of the
// group's first line and its end lies within the tolerance of the group's
// direction: every pixel it would cover is then covered by the group's line.
bool LineMerger::join(PointF a, PointF b, Rgb colour)
{
    if (m_count == 0 || !(colour == m_colour))
        return false;
    const PointF start = minus(a, m_a);
    if (!(dot(start, start) <= m_tolerance * m_tolerance))
        return false;
    const PointF end = minus(b, m_a);
    if (!m_directed) {
        const PointF d = minus(b, a);
        const double length = std::sqrt(dot(d, d));
        if (!std::isfinite(length))
            return false;
        if (length > m_tolerance) {
            m_directed = true;
            m_unit = {d.x / length, d.y / length};
            m_from = 0.0;
            m_to = 0.0;
            // The lines so far all lie within the tolerance of the origin.
        } else {
            ++m_count;
            return true;
        }
    }
    const double at = dot(end, m_unit);
    const double across = cross(end, m_unit);
    if (!(std::abs(across) <= m_tolerance))
        return false;
    m_from = std::min(m_from, at);
    m_to = std::max(m_to, at);
    ++m_count;
    return true;
}

std::optional<LineMerger::Merged> LineMerger::restart(PointF a, PointF b, Rgb colour)
{
    std::optional<Merged> closed = close();
    m_count = 1;
    m_a = a;
    m_b = b;
    m_colour = colour;
    const PointF d = minus(b, a);
    const double length = std::sqrt(dot(d, d));
    m_directed = length > m_tolerance && std::isfinite(length);
    if (m_directed) {
        m_unit = {d.x / length, d.y / length};
        m_from = 0.0;
        m_to = length;
    }
    return closed;
}

std::optional<LineMerger::Merged> LineMerger::close()
{
    if (m_count == 0)
        return std::nullopt;
    Merged m {m_a, m_b, m_colour, std::min(m_count, kMostTimes), m_count};
    if (m_count > 1 && m_directed) {
        m.a = along(m_a, m_unit, m_from);
        m.b = along(m_a, m_unit, m_to);
    }
    m_count = 0;
    return m;
}

} // namespace lobus::lod
