#include "drawing/probe.h"

#include "drawing/graphics/units.h"

#include "drawing/casefigures.h"

#include <cmath>
#include <limits>

namespace lobus {

namespace {

ProbeHit lobeHit(const Case& c, int k, float angle)
{
    ProbeHit hit;
    hit.kind = ProbeHit::Kind::Lobe;
    hit.lobe = k;
    hit.angle = angle;
    hit.point = nearestPoint(c, k, angle);
    if (hit.point > 0) {
        const Results& r = c.results;
        hit.angle = element(r.katcis, k, hit.point);
        hit.pressure = readValue(c, ResultColumn::Cis, k, hit.point);
        if (c.dane.thermal()) {
            hit.tem1 = readValue(c, ResultColumn::Tem1, k, hit.point);
            hit.tem2 = readValue(c, ResultColumn::Tem2, k, hit.point);
        }
    }
    return hit;
}

} // namespace

int nearestPoint(const Case& c, int k, float angle)
{
    if (k < 1 || k > lobeCount(c.dane))
        return 0;
    const int n = pointCount(c.dane, c.results, k);
    if (n <= 0)
        return 0;
    const ResultArray& a = c.results.katcis;
    // The first point whose angle is not below `angle`.
    int lo = 1;
    int hi = n + 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (element(a, k, mid) < angle)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo > n)
        return n;
    if (lo == 1)
        return 1;
    const double below = std::abs(double(angle) - element(a, k, lo - 1));
    const double above = std::abs(double(element(a, k, lo)) - angle);
    return below <= above ? lo - 1 : lo;
}

float angleInExtent(float angle, float start)
{
    if (!std::isfinite(angle) || !std::isfinite(start))
        return angle;
    const double turns = std::ceil((double(start) - angle) / 360.0);
    return static_cast<float>(angle + 360.0 * turns);
}

ProbeHit probeAt(const Case& c, const RYSUJ& rysuj, float x, float y, float journalRadius)
{
    const DANE& d = c.dane;
    if (!std::isfinite(x) || !std::isfinite(y))
        return {};
    const double g = double(d.katekscen) * kExactDegree;
    const double jx = d.ekscen * std::cos(g);
    const double jy = d.ekscen * std::sin(g);
    if (std::hypot(x - jx, y - jy) <= journalRadius) {
        ProbeHit hit;
        hit.kind = ProbeHit::Kind::Journal;
        return hit;
    }
    // Beyond twice the clearance radius lie only the frame and the scale
    // bars; the temperature diagrams reach at most one radius outside.
    if (std::hypot(double(x), double(y)) > 2.0)
        return {};
    int best = 0;
    float bestAngle = 0.0f;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (int k = 1; k <= lobeCount(d); ++k) {
        const float start = d.tabpsi(2 * k - 1);
        const float end = d.tabpsi(2 * k);
        const double dx = double(x) - d.tabkla(k);
        const double dy = double(y) - d.tabklb(k);
        const float around = static_cast<float>(std::atan2(dy, dx) / kExactDegree);
        const float a = angleInExtent(around, start);
        if (!(a >= start && a <= end))
            continue;
        // How far the point lies from the diagram drawn at its angle: the
        // radial stretch between the arc and the pressure point.
        double inner = 1.0;
        double outer = 1.0;
        const int j = nearestPoint(c, k, a);
        if (j > 0) {
            const float p = element(c.results.cis, k, j);
            const bool usable = rysuj.pscale != 0.0f && std::isfinite(rysuj.pscale) && std::isfinite(p);
            const double depth = 1.0 - (usable ? double(p) * rysuj.plen / rysuj.pscale : 0.0);
            inner = std::min(inner, depth);
            outer = std::max(outer, depth);
        }
        const double r = std::hypot(dx, dy);
        const double fromDiagram = r < inner ? inner - r : r > outer ? r - outer : 0.0;
        if (fromDiagram < bestDistance) {
            bestDistance = fromDiagram;
            best = k;
            bestAngle = a;
        }
    }
    if (best == 0)
        return {};
    return lobeHit(c, best, bestAngle);
}

} // namespace lobus
