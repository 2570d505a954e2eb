// The pressure diagram of one wedge: a filled area in the wedge's colour on
// the wedge's arc, reaching inwards by the pressure, with radial hatch lines.

#include "drawing/graphics/levelofdetail.h"
#include "drawing/picture.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace lobus::picture {

namespace {

// Hatch lines at least this many to a device pixel along the arc cover
// their area solidly; a device that takes a picture with its level of
// detail then draws that area instead of the lines.
constexpr double kSolidLinesPerPixel = kSolidHatchLinesPerPixel;

// The hatch lines of wedge k to a device pixel along the arc, at the
// outline's farthest reach from the arc centre (cx, cy), where they lie
// farthest apart; 0 when they cannot be drawn as an area (a device that
// wants every line, angles that fall back, too few lines).
double hatchDensity(const Picture& p, int k, int np, const float* x, const float* y, int n, float cx,
                    float cy)
{
    if (!p.g.levelOfDetail() || np < 2)
        return 0.0;
    for (int j = 2; j <= np; ++j)
        if (!(Picture::at(p.katcis, k, j) >= Picture::at(p.katcis, k, j - 1)))
            return 0.0;
    float reach = 1.0f;
    for (int i = 0; i < n; ++i)
        reach = std::max(reach, std::hypot(x[i] - cx, y[i] - cy));
    return linesPerPixel(p, np, double(Picture::at(p.katcis, k, np)) - Picture::at(p.katcis, k, 1), reach);
}

} // namespace

void drawPressure(Picture& p, int k)
{
    Graphics& g = p.g;
    const float cx = p.dane.tabkla(k);
    const float cy = p.dane.tabklb(k);
    const int np = p.pressurePoints(k);
    const bool summarised = p.pressureSummarised[static_cast<std::size_t>(k)];
    // Arc points P1..Pnp first, then the pressure points Qnp..Q1.
    int n = summarised ? 0 : radialOutline(p, k, np, cx, cy, [&](int j) {
        return 1.0f - scaled(Picture::at(p.cis, k, j), p.rysuj.plen, p.rysuj.pscale);
    });
    const double density = summarised
        ? pressureHatchDensity(p, k)
        : hatchDensity(p, k, np, p.buffers.x.data(), p.buffers.y.data(), n, cx, cy);
    g.IGRPALETTERGB(colours::kWedge, p.rysuj.colour(1, k), p.rysuj.colour(2, k), p.rysuj.colour(3, k));
    g.IGRCOLOURN(colours::kWedge);
    // Under a solid hatch the diagram's own colour shows nowhere.
    if (density < kSolidLinesPerPixel) {
        if (summarised)
            n = pressureOutlineSummarised(p, k);
        g.IGRPOLYGONCOMPLEX(p.buffers.x.data(), p.buffers.y.data(), n);
    }
    const float* x = p.buffers.x.data();
    const float* y = p.buffers.y.data();

    g.IGRCOLOURN(colours::kHatch);
    if (density >= std::min(kSolidLinesPerPixel, g.hatchWholeFrom())) {
        WorkBuffers& b = p.buffers;
        if (summarised) {
            pressureHatchEnds(p, k);
        } else {
            b.innerX.assign(std::make_reverse_iterator(b.x.begin() + 2 * np),
                            std::make_reverse_iterator(b.x.begin() + np));
            b.innerY.assign(std::make_reverse_iterator(b.y.begin() + 2 * np),
                            std::make_reverse_iterator(b.y.begin() + np));
        }
        g.hatchLines(b.x.data(), b.y.data(), b.innerX.data(), b.innerY.data(),
                     static_cast<int>(b.innerX.size()), density);
        return;
    }
    if (summarised) {
        pressureHatchSummarised(p, k);
        return;
    }
    for (int j = 1; j <= np; ++j)
        g.IGRJOIN(x[j - 1], y[j - 1], x[2 * np - j], y[2 * np - j]);
}

} // namespace lobus::picture
