// The pressure diagram of one wedge: a filled area in the wedge's colour on
// the wedge's arc, reaching inwards by the pressure, with radial hatch lines.

#include "drawing/picture.h"

#include <cmath>

namespace lobus::picture {

void drawPressure(Picture& p, int k)
{
    Graphics& g = p.g;
    const float cx = p.dane.tabkla(k);
    const float cy = p.dane.tabklb(k);
    const int np = p.pressurePoints(k);
    const bool summarised = p.pressureSummarised[static_cast<std::size_t>(k)];
    // Arc points P1..Pnp first, then the pressure points Qnp..Q1.
    const int n = summarised ? pressureOutlineSummarised(p, k) : radialOutline(p, k, np, cx, cy, [&](int j) {
        return 1.0f - scaled(Picture::at(p.cis, k, j), p.rysuj.plen, p.rysuj.pscale);
    });
    const float* x = p.buffers.x.data();
    const float* y = p.buffers.y.data();
    g.IGRPALETTERGB(colours::kWedge, p.rysuj.colour(1, k), p.rysuj.colour(2, k), p.rysuj.colour(3, k));
    g.IGRCOLOURN(colours::kWedge);
    g.IGRPOLYGONCOMPLEX(x, y, n);

    g.IGRCOLOURN(colours::kHatch);
    if (summarised) {
        pressureHatchSummarised(p, k);
        return;
    }
    for (int j = 1; j <= np; ++j)
        g.IGRJOIN(x[j - 1], y[j - 1], x[2 * np - j], y[2 * np - j]);
}

} // namespace lobus::picture
