#include "render/imagedevice.h"

#include "drawing/graphics/units.h"
#include "render/imagelaying.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lobus {

using namespace laying;

namespace {

// The formats whose pixel of an opaque colour is 0xffRRGGBB, which the device
// clears by writing memory; others are cleared by the painter, whole.
bool clearedDirectly(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

// Whether lines and fills may be written straight into the pixels: an
// opaque-or-plain 32-bit image of device pixels.
bool drawnDirectly(const QImage& image)
{
    const QImage::Format f = image.format();
    return (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32_Premultiplied)
        && image.devicePixelRatio() == 1.0;
}

} // namespace

double imageDotsPerInch(const QImage& image)
{
    const int dpm = image.dotsPerMeterY();
    return dpm > 0 ? dpm * 0.0254 : kScreenDpi;
}

ImageDevice::ImageDevice(QImage& image, ImageTiles* kept, ImageDetail detail)
    : m_image(image),
      m_kept(kept),
      m_detail(detail),
      m_tracked(clearedDirectly(image.format())),
      m_tiles(image, kept), // before the painter begins
      m_painter(&image),
      m_device(m_painter, QRectF(0, 0, image.width(), image.height()), imageDotsPerInch(image)),
      m_direct(m_painter.isActive() && drawnDirectly(image) ? &image : nullptr),
      m_thinPen(m_device.penWidth() < 1.5),
      m_merger(kTolerance),
      m_lane(m_painter.isActive() ? PixelLane::take(*this) : nullptr)
{
    // Half the pen each side, the square cap's corner and a pixel of antialiasing.
    m_tiles.setMargin(m_device.penWidth() + 2.0);
    m_lines.reserve(1024);
}

ImageDevice::~ImageDevice()
{
    try {
        flush();
    } catch (...) { // what was laid stays; the drawing's own error is on its way
    }
    if (PixelLane* lane = std::exchange(m_lane, nullptr)) {
        try {
            lane->give();
        } catch (...) { }
    }
    m_device.flush();
    m_painter.end();
    if (m_kept)
        m_tiles.keep(m_image, *m_kept);
}

void ImageDevice::finish()
{
    flush();
    if (PixelLane* lane = std::exchange(m_lane, nullptr))
        lane->give();
}

// ---- lines --------------------------------------------------------------------

void ImageDevice::flush()
{
    closeGroup();
    if (!m_lines.isEmpty())
        drawBatch();
}

// Antialiased lines of a one-pixel pen are written straight into the
// image's pixels (see rasterLine); snapped ones, and those of a wider pen,
// are drawn by the painter.
void ImageDevice::drawBatch()
{
    const std::span<const QLineF> lines(m_lines.constData(), static_cast<std::size_t>(m_lines.size()));
    if (!m_linesCrisp && m_device.penWidth() <= 1.0 && m_direct)
        lay(laid(kRasterLines, m_linesColour), bytesOf(lines));
    else
        lay(laid(kPainterLines, m_linesColour, m_linesCrisp ? 0 : 1), bytesOf(lines));
    m_lines.clear();
}

void ImageDevice::batchLine(const QLineF& l, Rgb colour, bool crisp)
{
    if (!m_lines.isEmpty() && (!(colour == m_linesColour) || crisp != m_linesCrisp))
        drawBatch();
    m_linesColour = colour;
    m_linesCrisp = crisp;
    m_lines.append(l);
}

void ImageDevice::closeGroup()
{
    if (const auto merged = m_merger.close())
        for (int i = 0; i < merged->times; ++i)
            batchLine(QLineF(merged->a.x, merged->a.y, merged->b.x, merged->b.y), merged->colour, false);
}

// Horizontal and vertical lines of a one-pixel pen are moved (by at most
// half a pixel) onto the middle of their pixel row or column, so that axes,
// ticks and bars come out crisp instead of as two half-grey rows; they are
// drawn without antialiasing, which gives the same pixels and spares the
// antialiasing of long axis-parallel lines, the slowest case. With the level
// of detail, other lines merge (lod::LineMerger).
void ImageDevice::drawLine(PointF a, PointF b, Rgb colour)
{
    QLineF l(a.x, a.y, b.x, b.y);
    bool crisp = false;
    if (m_thinPen) {
        if (l.y1() == l.y2()) {
            const double y = std::floor(l.y1()) + 0.5;
            l.setLine(l.x1(), y, l.x2(), y);
            crisp = true;
        } else if (l.x1() == l.x2()) {
            const double x = std::floor(l.x1()) + 0.5;
            l.setLine(x, l.y1(), x, l.y2());
            crisp = true;
        }
    }
    if (m_detail == ImageDetail::Summarised && !crisp && m_thinPen) {
        if (m_merger.join(a, b, colour))
            return;
        if (const auto merged = m_merger.restart(a, b, colour))
            for (int i = 0; i < merged->times; ++i)
                batchLine(QLineF(merged->a.x, merged->a.y, merged->b.x, merged->b.y), merged->colour, false);
        return;
    }
    closeGroup();
    batchLine(l, colour, crisp);
}

void ImageDevice::line(PointF a, PointF b, Rgb colour)
{
    m_tiles.markSegment(a, b);
    drawLine(a, b, colour);
}

// A line that went into the open group brings its copies along (they would
// all join it); otherwise each copy is drawn.
void ImageDevice::lines(PointF a, PointF b, Rgb colour, int count)
{
    if (count < 1)
        return;
    m_tiles.markSegment(a, b);
    drawLine(a, b, colour);
    if (m_merger.open()) {
        m_merger.repeat(std::min(count - 1, lod::LineMerger::kMostTimes));
        return;
    }
    for (int i = 1; i < count; ++i)
        drawLine(a, b, colour);
}

// A hatch lies within the box of its lines' ends. Drawn as its lines' ends
// and a filled middle on an image of a thin pen (hatchlines.h); line by
// line otherwise.
void ImageDevice::hatch(std::span<const PointF> from, std::span<const PointF> to, Rgb colour,
                        double linesPerPixel)
{
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (const std::span<const PointF> ends : {from, to})
        for (const PointF& p : ends) {
            x0 = std::min(x0, p.x);
            y0 = std::min(y0, p.y);
            x1 = std::max(x1, p.x);
            y1 = std::max(y1, p.y);
        }
    const double margin = m_tiles.margin();
    m_tiles.markRect(x0 - margin, y0 - margin, x1 + margin, y1 + margin);
    const std::size_t count = std::min(from.size(), to.size());
    if (!m_direct || count == 0 || !m_thinPen) {
        for (std::size_t i = 0; i < count; ++i)
            drawLine(from[i], to[i], colour);
        return;
    }
    flush();
    if (!m_lane) {
        PixelLane::Op op = laid(kHatch, colour);
        op.v[0] = linesPerPixel;
        lay(op, bytesOf(from.first(count)), bytesOf(to.first(count)));
        return;
    }
    // With the lane, the hatch and its middles' cells are worked out here.
    m_hatchPlan.plan(from.first(count), to.first(count), linesPerPixel, kTolerance,
                     [&](std::span<const QPointF> outline) { return layCells(outline, colour); });
    lay(laid(kHatchGroups, colour), bytesOf(m_hatchPlan.groups()));
}

double ImageDevice::hatchWholeFrom() const
{
    return m_direct && m_device.penWidth() <= 1.0 ? kHatchWholeFrom : kSolidHatchLinesPerPixel;
}

// ---- outlines and texts -------------------------------------------------------

void ImageDevice::thin(std::span<const PointF> p, bool filled)
{
    if (m_detail == ImageDetail::EveryPoint) {
        m_points.assign(p.begin(), p.end());
        return;
    }
    lod::dropNearVertices(p, m_points, kTolerance);
    if (filled)
        m_points.resize(lod::thinOutline(m_points, kOutlineTolerance));
}

// The tiles marked are those of the points drawn, the vertices left out
// lying well within the tiles' margin of them.
void ImageDevice::polyline(std::span<const PointF> p, Rgb colour)
{
    flush();
    thin(p, false);
    for (std::size_t i = 0; i < m_points.size(); ++i)
        m_tiles.markSegment(m_points[i], m_points[i + 1 < m_points.size() ? i + 1 : i]);
    lay(laid(kPolyline, colour), bytesOf(std::span<const PointF>(m_points)));
}

void ImageDevice::widePolyline(std::span<const PointF> p, Rgb colour, double width)
{
    const double margin = m_tiles.margin();
    m_tiles.setMargin(std::max(margin, width / 2.0 + 2.0));
    for (std::size_t i = 0; i < p.size(); ++i)
        m_tiles.markSegment(p[i], p[i + 1 < p.size() ? i + 1 : i]);
    m_tiles.setMargin(margin);
    flush();
    thin(p, false);
    // A wide line hides its vertices even better than a thin one: the
    // stroke need only pass within the tolerance of each.
    if (m_detail != ImageDetail::EveryPoint)
        m_points.resize(lod::thinOutline(m_points, kTolerance));
    // On an image the pen's outline is filled by the image's own fill, which
    // lays each pixel by the part of it the outline covers, as the painter's:
    // where the pixels are laid, or here when the lane is behind.
    if (m_direct && m_lane && m_lane->pending() > kLaneBehind
        && m_device.wideOutline(m_points, width, m_stroke)) {
        m_points.swap(m_stroke);
        fillDirect(colour);
        return;
    }
    PixelLane::Op op = laid(kWidePolyline, colour);
    op.v[0] = width;
    lay(op, bytesOf(std::span<const PointF>(m_points)));
}

// A filled outline is filled straight into the image's pixels; its tiles
// are marked as the polyline's are.
void ImageDevice::polygon(std::span<const PointF> p, Rgb colour, bool filled)
{
    flush();
    if (p.empty())
        return;
    thin(p, filled);
    if (filled)
        m_tiles.markFilled(m_points);
    else
        for (std::size_t i = 0; i < m_points.size(); ++i)
            m_tiles.markSegment(m_points[i], m_points[i + 1 < m_points.size() ? i + 1 : 0]);
    if (!filled || !m_direct) {
        lay(laid(kPolygon, colour, filled ? 1 : 0), bytesOf(std::span<const PointF>(m_points)));
        return;
    }
    fillDirect(colour);
}

// No glyph of the label's font is wider than its height, and a character is
// at least one byte of UTF-8: the label lies within its byte count of heights
// from where it starts, and within two heights above and below its middle.
void ImageDevice::text(PointF at, std::string_view utf8, double h, Justify j, Rgb colour)
{
    const double size = (std::isfinite(h) ? std::clamp(h, 1.0, 1.0e5) : 1.0) + 2.0;
    const double length = static_cast<double>(utf8.size()) * size;
    const double left = j == Justify::Centre ? at.x - length / 2.0 : at.x;
    m_tiles.markRect(left - size, at.y - 2.0 * size, left + length + size, at.y + 2.0 * size);
    flush();
    PixelLane::Op op = laid(kText, colour, static_cast<int>(j));
    op.v[0] = at.x;
    op.v[1] = at.y;
    op.v[2] = h;
    lay(op, std::as_bytes(std::span<const char>(utf8.data(), utf8.size())));
}

// Tiles that hold only the background already are left alone.
//
// The painter made the image's memory its own when it began, and while it is
// active a copy of the image gets memory of its own: bits() does not copy, and
// writes where the painter draws.
void ImageDevice::clear(int x0, int y0, int x1, int y1, Rgb background)
{
    flush();
    if (!m_tracked) {
        PixelLane::Op op = laid(kPainterClear, background);
        op.v[0] = x0;
        op.v[1] = y0;
        op.v[2] = x1;
        op.v[3] = y1;
        lay(op, {});
        return;
    }
    const Rgb pixel {std::clamp(background.r, 0, 255), std::clamp(background.g, 0, 255),
                     std::clamp(background.b, 0, 255)};
    m_fills.clear();
    m_tiles.clear(m_image.size(), x0, y0, x1, y1, qRgb(pixel.r, pixel.g, pixel.b), m_fills);
    lay(laid(kClear, pixel), bytesOf(std::span<const QRect>(m_fills)));
}

} // namespace lobus
