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
    p.buffers.reserve(2 * static_cast<std::size_t>(np));
    float* x = p.buffers.x.data();
    float* y = p.buffers.y.data();
    // Arc points P1..Pnp first, then the pressure points Qnp..Q1.
    const float* cs = p.cosines(k);
    const float* sn = p.sines(k);
    for (int j = 1; j <= np; ++j) {
        const float c = cs[j - 1];
        const float s = sn[j - 1];
        const float r = 1.0f - scaled(Picture::at(p.cis, k, j), p.rysuj.plen, p.rysuj.pscale);
        x[j - 1] = cx + c;
        y[j - 1] = cy + s;
        x[2 * np - j] = cx + r * c;
        y[2 * np - j] = cy + r * s;
    }
    g.IGRPALETTERGB(1, p.rysuj.colour(1, k), p.rysuj.colour(2, k), p.rysuj.colour(3, k));
    g.IGRCOLOURN(1);
    g.IGRPOLYGONCOMPLEX(x, y, 2 * np);

    g.IGRCOLOURN(31);
    for (int j = 1; j <= np; ++j)
        g.IGRJOIN(x[j - 1], y[j - 1], x[2 * np - j], y[2 * np - j]);
}

} // namespace lobus::picture
