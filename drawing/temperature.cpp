// The temperature diagrams of a thermal case: outside the clearance circle,
// about the bearing centre, the first curve as a band in three quarters of
// the wedge's colour, the second as a line over it.

#include "drawing/picture.h"

#include <cmath>

namespace lobus::picture {

namespace {

int threeQuarters(int component)
{
    return static_cast<int>(std::lround(0.75f * static_cast<float>(component)));
}

} // namespace

void drawTemperatures(Picture& p)
{
    Graphics& g = p.g;
    for (int k = 1; k <= p.wedges(); ++k) {
        const int np = p.temperaturePoints(k);
        const bool summarised = p.temperatureSummarised[static_cast<std::size_t>(k)];
        // Band: inner points 1..np on the circle, then first-curve points np..1.
        const int n
            = summarised ? temperatureBandSummarised(p, k) : radialOutline(p, k, np, 0.0f, 0.0f, [&](int j) {
                  return 1.0f + scaled(Picture::at(p.tem1, k, j), p.rysuj.tlen, p.rysuj.tscale);
              });
        float* x = p.buffers.x.data();
        float* y = p.buffers.y.data();
        g.IGRPALETTERGB(colours::kWedge, threeQuarters(p.rysuj.colour(1, k)),
                        threeQuarters(p.rysuj.colour(2, k)), threeQuarters(p.rysuj.colour(3, k)));
        g.IGRCOLOURN(colours::kWedge);
        g.IGRFILLPATTERN(4, 2, 3);
        g.IGRPOLYGONCOMPLEX(x, y, n);

        g.IGRFILLPATTERN(0, 2, 3);
        g.IGRCOLOURN(colours::kOutline);
        if (summarised) {
            const int m = temperatureCurveSummarised(p, k);
            g.IGRPOLYLINE(p.buffers.x.data(), p.buffers.y.data(), m);
            continue;
        }
        // The second curve reuses the front of the buffers.
        for (int j = 1; j <= np; ++j) {
            const float r2 = 1.0f + scaled(Picture::at(p.tem2, k, j), p.rysuj.tlen, p.rysuj.tscale);
            x[j - 1] = r2 * p.cosines(k)[j - 1];
            y[j - 1] = r2 * p.sines(k)[j - 1];
        }
        g.IGRPOLYLINE(x, y, np);
    }
}

} // namespace lobus::picture
