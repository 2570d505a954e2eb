#pragma once
// Hatch lines closer together than the pixels, drawn on an image as the area
// they cover. A line of a one-pixel pen covers a band one pixel thick across
// its longer axis, reaching half a pixel past each end along that axis (the
// square cap); a pixel it covers by a fraction a grows to 1 - (1 - a)^n under
// n lines. So the band's outline is worked out from the lines' ends, its
// antialiased coverage drawn once into a mask, raised so and laid on the
// image: one pass over the area's pixels whatever the number of lines.

#include "drawing/graphics/device.h"
#include "render/rasterfill.h"

#include <QImage>
#include <QPolygonF>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace lobus {

class HatchMask {
public:
    // Draws the hatch from[i] to to[i] (in order along its arc, linesPerPixel
    // to a pixel) in `colour` on `image` (RGB32 or premultiplied ARGB32, of
    // device pixels), for a pen `penWidth` wide (below 1.5 pixels). Lines
    // within `tolerance` pixels of each other are drawn as one (see
    // lod::thinHatch). `fill` fills the mask's outlines.
    void draw(QImage& image, std::span<const PointF> from, std::span<const PointF> to, QRgb colour,
              double linesPerPixel, double penWidth, double tolerance, RasterFill& fill);

private:
    // Fills the band of kept lines first..last into the mask, whose corner
    // lies at `corner` of the image.
    void drawPiece(int first, int last, double half, PointF corner, RasterFill& fill);

    QImage m_mask; // an area's coverage in its alpha, kept for the next one
    std::vector<PointF> m_from;
    std::vector<PointF> m_to;
    std::vector<PointF> m_dots; // hatch lines of no length
    std::vector<PointF> m_arcSide;
    std::vector<PointF> m_farSide;
    QPolygonF m_outline; // the band, in the mask's pixels
    std::array<std::uint8_t, 256> m_raised {};
    double m_raisedFor = -1.0;
};

} // namespace lobus
