#pragma once
// How the image device hands its operations on the pixels over (to the
// pixel lane, or to itself at once): what each is, and its bytes.

#include "drawing/graphics/device.h"
#include "render/pixellane.h"

#include <QPointF>
#include <QVector>

#include <cstddef>
#include <span>

namespace lobus::laying {

// What is laid on the pixels (ImageDevice::run lays it).
enum LaidKind : int {
    kRasterLines,  // QLineF[]: antialiased lines of a one-pixel pen, written directly
    kPainterLines, // QLineF[]: through the painter; flags: antialiased
    kFill,         // PointF[]: a filled outline, written directly
    kFillCells,    // int[] row starts, RasterFill::Cell[]; v[0]: the top row
    kHatch,        // PointF[] from, PointF[] to; v[0]: lines to a pixel
    kHatchGroups,  // HatchLines::Group[]
    kPolyline,     // PointF[]
    kWidePolyline, // PointF[]; v[0]: width (on an image: its outline, filled directly)
    kPolygon,      // PointF[]; flags: filled
    kText,         // UTF-8; v: x, y, height; flags: Justify
    kPainterClear, // v: x0, y0, x1, y1
    kClear,        // QRect[] to fill; colour: the pixel's
};

inline PixelLane::Op laid(int kind, Rgb colour, int flags = 0)
{
    PixelLane::Op op;
    op.kind = kind;
    op.flags = flags;
    op.colour[0] = colour.r;
    op.colour[1] = colour.g;
    op.colour[2] = colour.b;
    return op;
}

template <class T> inline std::span<const std::byte> bytesOf(std::span<const T> s)
{
    return std::as_bytes(s);
}

template <class T> inline std::span<const T> spanOf(std::span<const std::byte> b)
{
    return {reinterpret_cast<const T*>(b.data()), b.size() / sizeof(T)};
}

// Points as the image's fills take them.
inline void toQPoints(std::span<const PointF> points, QVector<QPointF>& out)
{
    out.resize(static_cast<qsizetype>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        out[static_cast<qsizetype>(i)] = QPointF(points[i].x, points[i].y);
}

} // namespace lobus::laying
