// Antialiased lines of a one-pixel pen, written straight into the pixels of a
// 32-bit image: the hatch lines of a pressure diagram are most of a picture's
// lines, and blending each pixel through the painter costs several times as
// much as the pixel itself.
#pragma once

#include "drawing/graphics/levelofdetail.h"

#include <QImage>
#include <QPointF>

#include <cmath>

namespace lobus {

// `over` (opaque) laid on `under` with coverage a of 255, rounded to the
// nearest step; the alpha channel blends alike, so an opaque pixel stays so.
inline QRgb blendPixel(QRgb under, QRgb over, unsigned a)
{
    const unsigned ia = 255u - a;
    unsigned rb = (over & 0xff00ffu) * a + (under & 0xff00ffu) * ia + 0x800080u;
    rb = ((rb + ((rb >> 8) & 0xff00ffu)) >> 8) & 0xff00ffu;
    unsigned ag = ((over >> 8) & 0xff00ffu) * a + ((under >> 8) & 0xff00ffu) * ia + 0x800080u;
    ag = (ag + ((ag >> 8) & 0xff00ffu)) & 0xff00ff00u;
    return rb | ag;
}

// A line that draws nothing (see lod::tooShort).
inline bool tooShort(QPointF a, QPointF b)
{
    return lod::tooShort(PointF {a.x(), a.y()}, PointF {b.x(), b.y()});
}

// The line from a to b in pixel coordinates (a pixel's centre at +0.5) with
// a pen one pixel wide and square caps, in the opaque colour `colour`, on an
// RGB32 or premultiplied ARGB32 image. The pen covers a band one pixel thick
// across the line's longer axis, reaching half a pixel past each end along
// it, and each pixel takes the colour by the part of it that band covers.
// A line of no length covers the pixel nearest to it; a line whose ends lie
// within a 64th of a pixel of each other otherwise covers nothing.
void rasterLine(QImage& image, QPointF a, QPointF b, QRgb colour);

// The same line of a pen `width` pixels wide (1 to 1.5; 1 writes the pixels
// rasterLine writes), laid as `raised` says (the coverage of 255 after as
// many lines as it stands for, indexed by one line's coverage), and only in
// the `ends` pixel columns (along its longer axis) at each end, or whole
// when `ends` is 0.
void rasterLineEnds(QImage& image, QPointF a, QPointF b, QRgb colour, const unsigned char* raised, int ends,
                    double width = 1.0);

} // namespace lobus
