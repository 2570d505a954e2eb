#include "render/imagelaying.h"
#include "render/imagedevice.h"
#include "render/rasterline.h"

#include <algorithm>
#include <cstring>

namespace lobus {

using namespace laying;

// The lane gets a copy of the bytes; an operation too large for its memory
// is laid here, from the drawing's own, once the lane has laid what came
// before.
void ImageDevice::lay(PixelLane::Op op, std::span<const std::byte> a, std::span<const std::byte> b)
{
    op.count = a.size();
    if (m_lane) {
        if (std::byte* room = m_lane->room(a.size() + b.size())) {
            if (!a.empty())
                std::memcpy(room, a.data(), a.size());
            if (!b.empty())
                std::memcpy(room + a.size(), b.data(), b.size());
            m_lane->hand(op, room, a.size() + b.size());
            return;
        }
        m_lane->idle();
    }
    layHere(op, a, b);
}

void ImageDevice::run(const PixelLane::Op& op, std::span<const std::byte> bytes)
{
    layHere(op, bytes.first(op.count), bytes.subspan(op.count));
}

void ImageDevice::layHere(const PixelLane::Op& op, std::span<const std::byte> a, std::span<const std::byte> b)
{
    const Rgb colour {op.colour[0], op.colour[1], op.colour[2]};
    switch (op.kind) {
    case kRasterLines: {
        const QRgb c = toQColor(colour).rgb();
        for (const QLineF& l : spanOf<QLineF>(a))
            rasterLine(*m_direct, l.p1(), l.p2(), c);
        break;
    }
    case kPainterLines: {
        const auto lines = spanOf<QLineF>(a);
        m_laidLines.resize(static_cast<qsizetype>(lines.size()));
        std::copy(lines.begin(), lines.end(), m_laidLines.begin());
        m_device.drawLines(m_laidLines, colour, op.flags != 0);
        break;
    }
    case kFill:
        fillHere(spanOf<PointF>(a), colour);
        break;
    case kFillCells: {
        // The cells are the lane's copy, or the drawing's own cells when laid
        // here; either way no one reads them after, and their rows are sorted
        // in place.
        m_fill.lay(*m_direct, static_cast<int>(op.v[0]), spanOf<int>(a),
                   reinterpret_cast<RasterFill::Cell*>(const_cast<std::byte*>(b.data())),
                   toQColor(colour).rgb());
        break;
    }
    case kHatch:
        m_hatch.draw(*m_direct, spanOf<PointF>(a), spanOf<PointF>(b), toQColor(colour).rgb(), op.v[0],
                     m_device.penWidth(), kTolerance, m_fill);
        break;
    case kHatchGroups:
        HatchLines::layGroups(*m_direct, spanOf<HatchLines::Group>(a), toQColor(colour).rgb(),
                              m_device.penWidth());
        break;
    case kPolyline:
        m_device.polyline(spanOf<PointF>(a), colour);
        break;
    case kWidePolyline: {
        const auto points = spanOf<PointF>(a);
        if (m_direct && m_device.wideOutline(points, op.v[0], m_laidStroke))
            fillHere(m_laidStroke, colour);
        else
            m_device.widePolyline(points, colour, op.v[0]);
        break;
    }
    case kPolygon:
        m_device.polygon(spanOf<PointF>(a), colour, op.flags != 0);
        break;
    case kText:
        m_device.text(PointF {op.v[0], op.v[1]},
                      std::string_view(reinterpret_cast<const char*>(a.data()), a.size()), op.v[2],
                      static_cast<Justify>(op.flags), colour);
        break;
    case kPainterClear:
        m_device.clear(static_cast<int>(op.v[0]), static_cast<int>(op.v[1]), static_cast<int>(op.v[2]),
                       static_cast<int>(op.v[3]), colour);
        break;
    case kClear: {
        m_device.flush();
        const QRgb pixel = qRgb(colour.r, colour.g, colour.b);
        for (const QRect& r : spanOf<QRect>(a))
            TileMap::fill(m_image, r, pixel);
        break;
    }
    default:
        break;
    }
}

// m_points, a filled outline, written straight into the pixels: with the
// lane, its edges' cells are worked out here, and the lane writes the rows.
void ImageDevice::fillDirect(Rgb colour)
{
    const auto points = bytesOf(std::span<const PointF>(m_points));
    if (!m_lane) {
        lay(laid(kFill, colour), points);
        return;
    }
    toQPoints(m_points, m_edges);
    if (!layCells(m_edges, colour))
        lay(laid(kPolygon, colour, 1), points);
}

void ImageDevice::fillHere(std::span<const PointF> outline, Rgb colour)
{
    toQPoints(outline, m_outline);
    if (!m_fill.fill(*m_direct, m_outline, toQColor(colour).rgb()))
        m_device.polygon(outline, colour, true);
}

bool ImageDevice::layCells(std::span<const QPointF> outline, Rgb colour)
{
    switch (m_cells.cells(m_image.size(), outline)) {
    case RasterFill::Cells::None:
        return true;
    case RasterFill::Cells::TooMany:
        return false;
    case RasterFill::Cells::Ready:
        break;
    }
    PixelLane::Op op = laid(kFillCells, colour);
    op.v[0] = m_cells.top();
    lay(op, bytesOf(m_cells.rowStarts()), bytesOf(m_cells.sorted()));
    return true;
}

} // namespace lobus
