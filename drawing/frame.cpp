// RYSUNEK: the frame and axes, and the order of the whole picture.

#include "drawing/picture.h"
#include "drawing/rysunek.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace lobus {

namespace picture {

int Picture::wedges() const { return std::clamp(dane.ikm, 0, 6); }

int Picture::pressurePoints(int k) const { return pointCount(dane.ilcis(k), ilkat, katcis, cis); }

int Picture::temperaturePoints(int k) const
{
    const int n = pressurePoints(k);
    return std::min({n, tem1.cols(), tem2.cols()});
}

// Only the wedges drawn point by point need their angles' cosines and sines:
// the buffers hold as many points as the longest of those (a case whose
// wedges are all drawn from their summaries holds none).
void Picture::prepareAngles()
{
    std::array<int, 7> needed {};
    std::size_t longest = 0;
    for (int k = 1; k <= wedges(); ++k) {
        // Wedges drawn from their summaries need none, unless their
        // temperatures are drawn point by point.
        const std::size_t w = static_cast<std::size_t>(k);
        needed[w] = !pressureSummarised[w]                ? pressurePoints(k)
            : dane.thermal() && !temperatureSummarised[w] ? temperaturePoints(k)
                                                          : 0;
        longest = std::max(longest, static_cast<std::size_t>(needed[w]));
    }
    if (buffers.stride != longest) {
        // A new layout: nothing kept from the last picture matches.
        buffers.angle.assign(buffers.angle.size(), std::numeric_limits<float>::quiet_NaN());
        buffers.stride = longest;
    }
    if (buffers.cosine.size() < 6 * longest) {
        buffers.cosine.resize(6 * longest);
        buffers.sine.resize(6 * longest);
        buffers.angle.resize(6 * longest, std::numeric_limits<float>::quiet_NaN());
    }
    // A redraw of the same case (the window's repaint) has the same angles:
    // only those that changed are worked out again. A NaN angle never equals
    // and is always recomputed.
    for (int k = 1; k <= wedges(); ++k) {
        const std::size_t from = static_cast<std::size_t>(k - 1) * longest;
        float* c = buffers.cosine.data() + from;
        float* s = buffers.sine.data() + from;
        float* kept = buffers.angle.data() + from;
        const int np = needed[static_cast<std::size_t>(k)];
        for (int j = 1; j <= np; ++j) {
            const float degrees = at(katcis, k, j);
            if (degrees == kept[j - 1])
                continue;
            kept[j - 1] = degrees;
            const float a = degrees * kDegree;
            c[j - 1] = std::cos(a);
            s[j - 1] = std::sin(a);
        }
    }
}

void drawFrame(Picture& p)
{
    Graphics& g = p.g;
    g.IGRAREACLEAR();
    const int ratio = g.INFOGRSCREEN(32);
    p.Y = p.rysuj.halfy;
    p.X = static_cast<float>(ratio) * p.Y / 100.0f;
    p.rysuj.halfx = p.X;
    g.IGRUNITS(-p.X, -p.Y, p.X, p.Y);

    g.IGRCOLOURN(colours::kAxes);
    g.IGRCHARSIZE(0.6f, 0.6f);
    p.cw = g.INFOGRAPHICS(3);
    p.ch = g.INFOGRAPHICS(4);

    const float X = p.X;
    const float Y = p.Y;
    g.IGRJOIN(0.0f, -0.98f * Y, 0.0f, 0.9f * Y);
    g.IGRJOIN(-0.98f * X, 0.0f, 0.94f * X, 0.0f);
    g.IGRARROW(0.0f, 0.93f * Y, 0.05f * X, 90.0f, 1);
    g.IGRARROW(0.97f * X, 0.0f, 0.05f * X, 0.0f, 1);
    g.IGRCHAROUT(0.0f, 0.95f * Y + p.ch / 4.0f, "Y");
    g.IGRCHAROUT(0.97f * X + p.cw, 0.0f, "X");
}

} // namespace picture

PictureMemory::PictureMemory() : m_buffers(std::make_unique<picture::WorkBuffers>()) { }

PictureMemory::~PictureMemory() = default;

void RYSUNEK(Graphics& g, const ResultArray& katcis, const ResultArray& cis, const ResultArray& tem1,
             const ResultArray& tem2, int ilkat, const DANE& dane, RYSUJ& rysuj, PictureMemory& memory)
{
    using namespace picture;
    WorkBuffers& buffers = memory.buffers();
    buffers.reserve(720);

    Picture p {g, katcis, cis, tem1, tem2, ilkat, dane, rysuj, buffers};
    drawFrame(p);
    p.choosePaths();
    p.prepareAngles();
    drawClearanceCircle(p);
    drawWedgeExtents(p);
    if (dane.thermal())
        drawTemperatures(p);
    for (int k = 1; k <= p.wedges(); ++k) {
        drawBand(p, k);
        drawPressure(p, k);
    }
    drawCentres(p);
    drawScaleBars(p);
}

} // namespace lobus
