#include "render/imagedevice.h"

#include "drawing/graphics/units.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lobus {

namespace {

double imageDpi(const QImage& image)
{
    const int dpm = image.dotsPerMeterY();
    return dpm > 0 ? dpm * 0.0254 : kScreenDpi;
}

// The formats whose pixel of an opaque colour is 0xffRRGGBB, which the device
// clears by writing memory; others are cleared by the painter, whole.
bool directFormat(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

int tilesAlong(int pixels) { return pixels > 0 ? (pixels + ImageDevice::kTile - 1) / ImageDevice::kTile : 0; }

} // namespace

ImageDevice::Tiles ImageDevice::keptTiles(const QImage& image, ImageTiles* kept)
{
    Tiles t;
    t.clean.assign(static_cast<std::size_t>(tilesAlong(image.width())) * tilesAlong(image.height()), 0);
    if (kept && !image.isNull() && kept->key == image.cacheKey() && kept->size == image.size()
        && kept->format == image.format() && kept->clean.size() == t.clean.size()) {
        t.clean = std::move(kept->clean); // the device gives it back when it ends
        t.colour = kept->colour;
    }
    return t;
}

ImageDevice::ImageDevice(QImage& image) : ImageDevice(image, nullptr) { }

ImageDevice::ImageDevice(QImage& image, ImageTiles& kept) : ImageDevice(image, &kept) { }

ImageDevice::ImageDevice(QImage& image, ImageTiles* kept)
    : m_image(image),
      m_kept(kept),
      m_tracked(directFormat(image.format())),
      m_tilesX(tilesAlong(image.width())),
      m_tilesY(tilesAlong(image.height())),
      m_tiles(keptTiles(image, kept)),
      m_rowMin(static_cast<std::size_t>(m_tilesY)),
      m_rowMax(static_cast<std::size_t>(m_tilesY)),
      m_painter(&image),
      m_device(m_painter, QRectF(0, 0, image.width(), image.height()), imageDpi(image))
{
    m_device.setRaster(true);
    // Half the pen each side, the square cap's corner and a pixel of antialiasing.
    m_margin = m_device.penWidth() + 2.0;
}

ImageDevice::~ImageDevice()
{
    m_device.flush();
    m_painter.end();
    if (!m_kept)
        return;
    m_kept->key = m_image.cacheKey();
    m_kept->size = m_image.size();
    m_kept->format = m_image.format();
    m_kept->clean = std::move(m_tiles.clean);
    m_kept->colour = m_tiles.colour;
}

// ---- tiles drawn on -----------------------------------------------------------

namespace {

// The tile, of `tiles` along, that holds pixel coordinate v; off the image,
// the nearest. (Truncation is the floor once v is positive; no libm call.)
int tile(double v, int tiles)
{
    if (!(v > 0.0))
        return 0;
    if (v >= static_cast<double>(tiles) * ImageDevice::kTile)
        return tiles - 1;
    return static_cast<int>(v) / ImageDevice::kTile;
}

} // namespace

void ImageDevice::markRect(double x0, double y0, double x1, double y1)
{
    if (!(x0 <= x1 && y0 <= y1)) // also NaN
        return;
    if (m_tilesX <= 0 || m_tilesY <= 0)
        return;
    const int tx0 = tile(x0, m_tilesX);
    const int tx1 = tile(x1, m_tilesX);
    const int ty0 = tile(y0, m_tilesY);
    const int ty1 = tile(y1, m_tilesY);
    for (int ty = ty0; ty <= ty1; ++ty)
        std::fill(m_tiles.clean.begin() + ty * m_tilesX + tx0,
                  m_tiles.clean.begin() + ty * m_tilesX + tx1 + 1, 0);
}

void ImageDevice::markSegment(PointF a, PointF b)
{
    markRect(std::min(a.x, b.x) - m_margin, std::min(a.y, b.y) - m_margin, std::max(a.x, b.x) + m_margin,
             std::max(a.y, b.y) + m_margin);
}

// Within a row of tiles a filled outline lies between its leftmost and its
// rightmost edge there: a horizontal line through any inside point meets an
// edge on either side of it at the same height.
void ImageDevice::markFilled(std::span<const PointF> p)
{
    if (m_tilesX <= 0 || m_tilesY <= 0 || p.empty())
        return;
    std::fill(m_rowMin.begin(), m_rowMin.end(), m_tilesX);
    std::fill(m_rowMax.begin(), m_rowMax.end(), -1);
    for (std::size_t i = 0; i < p.size(); ++i) {
        const PointF a = p[i];
        const PointF b = p[i + 1 < p.size() ? i + 1 : 0];
        const double x0 = std::min(a.x, b.x) - m_margin;
        const double x1 = std::max(a.x, b.x) + m_margin;
        const double y0 = std::min(a.y, b.y) - m_margin;
        const double y1 = std::max(a.y, b.y) + m_margin;
        if (!(x0 <= x1 && y0 <= y1))
            continue;
        const int tx0 = tile(x0, m_tilesX);
        const int tx1 = tile(x1, m_tilesX);
        const int ty1 = tile(y1, m_tilesY);
        for (int ty = tile(y0, m_tilesY); ty <= ty1; ++ty) {
            m_rowMin[static_cast<std::size_t>(ty)] = std::min(m_rowMin[static_cast<std::size_t>(ty)], tx0);
            m_rowMax[static_cast<std::size_t>(ty)] = std::max(m_rowMax[static_cast<std::size_t>(ty)], tx1);
        }
    }
    for (int ty = 0; ty < m_tilesY; ++ty) {
        const int lo = m_rowMin[static_cast<std::size_t>(ty)];
        const int hi = m_rowMax[static_cast<std::size_t>(ty)];
        if (lo <= hi)
            std::fill(m_tiles.clean.begin() + ty * m_tilesX + lo,
                      m_tiles.clean.begin() + ty * m_tilesX + hi + 1, 0);
    }
}

void ImageDevice::line(PointF a, PointF b, Rgb colour)
{
    markSegment(a, b);
    m_device.line(a, b, colour);
}

void ImageDevice::lines(PointF a, PointF b, Rgb colour, int count)
{
    markSegment(a, b);
    m_device.lines(a, b, colour, count);
}

// A hatch lies within the box of its lines' ends.
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
    markRect(x0 - m_margin, y0 - m_margin, x1 + m_margin, y1 + m_margin);
    m_device.hatch(from, to, colour, linesPerPixel);
}

void ImageDevice::polyline(std::span<const PointF> p, Rgb colour)
{
    for (std::size_t i = 0; i < p.size(); ++i)
        markSegment(p[i], p[i + 1 < p.size() ? i + 1 : i]);
    m_device.polyline(p, colour);
}

void ImageDevice::polygon(std::span<const PointF> p, Rgb colour, bool filled)
{
    if (filled)
        markFilled(p);
    else
        for (std::size_t i = 0; i < p.size(); ++i)
            markSegment(p[i], p[i + 1 < p.size() ? i + 1 : 0]);
    m_device.polygon(p, colour, filled);
}

// No glyph of the label's font is wider than its height, and a character is
// at least one byte of UTF-8: the label lies within its byte count of heights
// from where it starts, and within two heights above and below its middle.
void ImageDevice::text(PointF at, std::string_view utf8, double h, Justify j, Rgb colour)
{
    const double size = (std::isfinite(h) ? std::clamp(h, 1.0, 1.0e5) : 1.0) + 2.0;
    const double length = static_cast<double>(utf8.size()) * size;
    const double left = j == Justify::Centre ? at.x - length / 2.0 : at.x;
    markRect(left - size, at.y - 2.0 * size, left + length + size, at.y + 2.0 * size);
    m_device.text(at, utf8, h, j, colour);
}

// ---- clearing -----------------------------------------------------------------

void ImageDevice::fillRows(int x0, int x1, int y0, int y1, QRgb pixel)
{
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    const auto count = static_cast<std::size_t>(x1 - x0);
    // White, the usual background, is one byte value throughout: memset
    // fills rows, or the whole image at once, fastest.
    const bool white = pixel == 0xffffffffu;
    if (white && x0 == 0 && x1 == m_image.width() && stride == qsizetype(m_image.width()) * 4) {
        std::memset(bits + y0 * stride, 0xff,
                    static_cast<std::size_t>(y1 - y0) * static_cast<std::size_t>(stride));
        return;
    }
    for (int y = y0; y < y1; ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits + y * stride) + x0;
        if (white)
            std::memset(row, 0xff, count * sizeof(QRgb));
        else
            std::fill_n(row, count, pixel);
    }
}

// Tiles that hold only the background already are left alone; the tiles
// wholly inside the area hold only the background after.
//
// The painter made the image's memory its own when it began, and while it is
// active a copy of the image gets memory of its own: bits() does not copy, and
// writes where the painter draws.
void ImageDevice::clear(int x0, int y0, int x1, int y1, Rgb background)
{
    if (!m_tracked) {
        m_device.clear(x0, y0, x1, y1, background);
        return;
    }
    m_device.flush();
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, m_image.width());
    y1 = std::min(y1, m_image.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    const QRgb pixel = qRgb(std::clamp(background.r, 0, 255), std::clamp(background.g, 0, 255),
                            std::clamp(background.b, 0, 255));
    if (pixel != m_tiles.colour) {
        std::fill(m_tiles.clean.begin(), m_tiles.clean.end(), 0);
        m_tiles.colour = pixel;
    }
    const int ty0 = y0 / kTile;
    const int ty1 = (y1 - 1) / kTile;
    const int tx0 = x0 / kTile;
    const int tx1 = (x1 - 1) / kTile;
    for (int ty = ty0; ty <= ty1; ++ty) {
        const int rowTop = std::max(y0, ty * kTile);
        const int rowBottom = std::min(y1, (ty + 1) * kTile);
        std::uint8_t* clean = m_tiles.clean.data() + static_cast<std::size_t>(ty) * m_tilesX;
        // Runs of tiles still to clear are filled row by row.
        for (int tx = tx0; tx <= tx1;) {
            if (clean[tx]) {
                ++tx;
                continue;
            }
            int end = tx;
            while (end <= tx1 && !clean[end])
                ++end;
            fillRows(std::max(x0, tx * kTile), std::min(x1, end * kTile), rowTop, rowBottom, pixel);
            tx = end;
        }
        const bool wholeRows
            = rowTop == ty * kTile && rowBottom == std::min((ty + 1) * kTile, m_image.height());
        if (!wholeRows)
            continue;
        for (int tx = tx0; tx <= tx1; ++tx)
            if (x0 <= tx * kTile && std::min((tx + 1) * kTile, m_image.width()) <= x1)
                clean[tx] = 1;
    }
}

} // namespace lobus
