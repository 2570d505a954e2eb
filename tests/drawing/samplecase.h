#pragma once
// A case built in code for the drawing tests: `wedges` lobes evenly spread
// round the bearing, each with its arc centre shifted away from it (a
// preloaded bore), `points` grid points per lobe, a pressure hump and two
// rising temperature curves.

#include "datafiles/state.h"

#include <cmath>

namespace lobus::test {

inline Case sampleCase(int variant, int wedges = 3, int points = 40, float pmax = 1.25e7f, float tmax = 62.5f)
{
    Case c;
    DANE& d = c.dane;
    d.variant = variant;
    d.ikm = wedges;
    d.ekscen = 0.45f;
    d.katekscen = 250.0f;
    d.pmax = pmax;
    d.tmax = tmax;
    c.results.allocate(points);
    const float span = 360.0f / static_cast<float>(wedges);
    for (int k = 1; k <= wedges; ++k) {
        const float start = (k - 1) * span + 0.1f * span;
        const float end = k * span - 0.1f * span;
        d.tabpsi(2 * k - 1) = start;
        d.tabpsi(2 * k) = end;
        const float mid = 0.5f * (start + end) * 3.141592f / 180.0f;
        d.tabkla(k) = -0.25f * std::cos(mid);
        d.tabklb(k) = -0.25f * std::sin(mid);
        d.ilcis(k) = static_cast<float>(points);
        for (int j = 1; j <= points; ++j) {
            const float t = points > 1 ? static_cast<float>(j - 1) / static_cast<float>(points - 1) : 0.0f;
            c.results.katcis(k, j) = start + t * (end - start);
            const float hump = std::sin(3.141592f * t) * (0.4f + 0.6f * t);
            c.results.cis(k, j) = pmax * hump * (k == 1 ? 1.0f : 0.5f + 0.1f * k);
            c.results.tem1(k, j) = tmax * (0.5f + 0.5f * t);
            c.results.tem2(k, j) = tmax * (0.6f + 0.3f * t);
        }
    }
    return c;
}

// The settings as an Open with automatic maxima leaves them.
inline RYSUJ sampleSettings(const Case& c)
{
    RYSUJ r;
    r.pscale = c.dane.pmax;
    r.tscale = c.dane.tmax;
    return r;
}

} // namespace lobus::test
