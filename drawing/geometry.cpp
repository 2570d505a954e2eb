// The fixed geometry: clearance circle, wedge extents, sliding-surface bands,
// centre markers with their labels and the line of centres; KROPKA5.

#include "drawing/picture.h"
#include "drawing/rysunek.h"

#include "datafiles/texts.h"

#include <cmath>

namespace lobus {

namespace picture {

namespace {

// An extent steps 5 degrees at a time; a wedge wider than twenty turns (only
// a broken data file has one) is cut there rather than looping for ever.
constexpr int kMaxExtentPoints = 20 * 72 + 1;

} // namespace

void drawClearanceCircle(Picture& p)
{
    p.buffers.reserve(73);
    float* x = p.buffers.x.data();
    float* y = p.buffers.y.data();
    p.g.IGRCOLOURN(colours::kCircle);
    for (int i = 0; i < 73; ++i) {
        const float a = static_cast<float>(5 * i) * kDegree;
        x[i] = std::cos(a);
        y[i] = std::sin(a);
    }
    p.g.IGRPOLYGONCOMPLEX(x, y, 73);
}

void drawWedgeExtents(Picture& p)
{
    Graphics& g = p.g;
    g.IGRCOLOURN(colours::kOutline);
    g.IGRFILLPATTERN(0, 2, 3);
    p.buffers.reserve(kMaxExtentPoints + 1);
    float* x = p.buffers.x.data();
    float* y = p.buffers.y.data();
    for (int k = 1; k <= p.wedges(); ++k) {
        const float start = p.dane.tabpsi(2 * k - 1);
        const float end = p.dane.tabpsi(2 * k);
        int n = 0;
        if (std::isfinite(start) && std::isfinite(end)) {
            for (float a = start; a < end && n < kMaxExtentPoints; a += 5.0f) {
                x[n] = std::cos(a * kDegree);
                y[n] = std::sin(a * kDegree);
                ++n;
                if (a + 5.0f == a)
                    break; // too large to step by 5 in single precision
            }
        }
        x[n] = std::cos(end * kDegree);
        y[n] = std::sin(end * kDegree);
        ++n;
        g.IGRPOLYLINE(x, y, n);
    }
}

// The band lies between the wedge's arc and the circle 3 pixels inside it;
// its solid fill style stays for the pressure diagram drawn next.
void drawBand(Picture& p, int k)
{
    Graphics& g = p.g;
    const float cx = p.dane.tabkla(k);
    const float cy = p.dane.tabklb(k);
    int ix = 0;
    int iy = 0;
    g.IGRUNITSTOPIXELS(cx, cy + 1.0f, ix, iy);
    float xx = 0.0f;
    float yy = 0.0f;
    g.IGRUNITSFROMPIXELS(ix, iy + 3, xx, yy);
    const float s = yy - cy;

    const int n = p.pressureSummarised[static_cast<std::size_t>(k)]
        ? bandOutlineSummarised(p, k, s)
        : radialOutline(p, k, p.pressurePoints(k), cx, cy, [s](int) { return s; });
    g.IGRFILLPATTERN(4, 2, 3);
    g.IGRCOLOURN(colours::kOutline);
    g.IGRPOLYGONCOMPLEX(p.buffers.x.data(), p.buffers.y.data(), n);
}

void drawCentres(Picture& p)
{
    Graphics& g = p.g;
    g.IGRFILLPATTERN(0, 2, 3);
    g.IGRCOLOURN(colours::kOutline);

    KROPKA5(g, 0.0f, 0.0f);
    g.IGRCHARJUSTIFY("L");
    // The bearing's centre (O of the bore) and the journal's.
    g.IGRCHAROUT(0.0f, 3.0f * p.ch / 4.0f, texts::translate("Drawing", "Op"));

    const float angle = p.dane.katekscen * kDegree;
    const float jx = p.dane.ekscen * std::cos(angle);
    const float jy = p.dane.ekscen * std::sin(angle);
    KROPKA5(g, jx, jy);
    g.IGRCHAROUT(jx, jy + 3.0f * p.ch / 4.0f, texts::translate("Drawing", "Oc"));

    g.IGRCHARJUSTIFY("C");
    g.IGRJOIN(-0.5f * jx, -0.5f * jy, 1.5f * jx, 1.5f * jy);
}

} // namespace picture

void KROPKA5(Graphics& g, float x, float y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    int ix = 0;
    int iy = 0;
    g.IGRUNITSTOPIXELS(x, y, ix, iy);
    // Row offset and half length of each of the five pixel runs.
    static constexpr int kRuns[5][2] = {{0, 2}, {-1, 2}, {1, 2}, {-2, 1}, {2, 1}};
    for (const auto& run : kRuns) {
        float x1 = 0.0f;
        float y1 = 0.0f;
        float x2 = 0.0f;
        float y2 = 0.0f;
        g.IGRUNITSFROMPIXELS(ix - run[1], iy + run[0], x1, y1);
        g.IGRUNITSFROMPIXELS(ix + run[1], iy + run[0], x2, y2);
        g.IGRJOIN(x1, y1, x2, y2);
    }
}

} // namespace lobus
