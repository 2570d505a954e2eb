#include "render/imagetiles.h"

#include <algorithm>
#include <cstring>

namespace lobus {

namespace {

int tilesAlong(int pixels) { return pixels > 0 ? (pixels + TileMap::kTile - 1) / TileMap::kTile : 0; }

// The tile, of `tiles` along, that holds pixel coordinate v; off the image,
// the nearest. (Truncation is the floor once v is positive; no libm call.)
int tile(double v, int tiles)
{
    if (!(v > 0.0))
        return 0;
    if (v >= static_cast<double>(tiles) * TileMap::kTile)
        return tiles - 1;
    return static_cast<int>(v) / TileMap::kTile;
}

} // namespace

TileMap::TileMap(const QImage& image, ImageTiles* kept)
    : m_tilesX(tilesAlong(image.width())),
      m_tilesY(tilesAlong(image.height())),
      m_clean(static_cast<std::size_t>(m_tilesX) * m_tilesY, 0),
      m_rowMin(static_cast<std::size_t>(m_tilesY)),
      m_rowMax(static_cast<std::size_t>(m_tilesY))
{
    if (kept && !image.isNull() && kept->key == image.cacheKey() && kept->size == image.size()
        && kept->format == image.format() && kept->clean.size() == m_clean.size()) {
        m_clean = std::move(kept->clean); // given back at the end of the picture
        m_colour = kept->colour;
    }
}

void TileMap::keep(const QImage& image, ImageTiles& kept)
{
    kept.key = image.cacheKey();
    kept.size = image.size();
    kept.format = image.format();
    kept.clean = std::move(m_clean);
    kept.colour = m_colour;
}

void TileMap::markRect(double x0, double y0, double x1, double y1)
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
        std::fill(m_clean.begin() + ty * m_tilesX + tx0, m_clean.begin() + ty * m_tilesX + tx1 + 1, 0);
}

void TileMap::markSegment(PointF a, PointF b)
{
    markRect(std::min(a.x, b.x) - m_margin, std::min(a.y, b.y) - m_margin, std::max(a.x, b.x) + m_margin,
             std::max(a.y, b.y) + m_margin);
}

// Within a row of tiles a filled outline lies between its leftmost and its
// rightmost edge there: a horizontal line through any inside point meets an
// edge on either side of it at the same height.
void TileMap::markFilled(std::span<const PointF> p)
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
            std::fill(m_clean.begin() + ty * m_tilesX + lo, m_clean.begin() + ty * m_tilesX + hi + 1, 0);
    }
}

void TileMap::fill(QImage& image, const QRect& r, QRgb pixel)
{
    const int x0 = r.left();
    const int x1 = r.right() + 1;
    const int y0 = r.top();
    const int y1 = r.bottom() + 1;
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const auto count = static_cast<std::size_t>(x1 - x0);
    // White, the usual background, is one byte value throughout: memset
    // fills rows, or the whole image at once, fastest.
    const bool white = pixel == 0xffffffffu;
    if (white && x0 == 0 && x1 == image.width() && stride == qsizetype(image.width()) * 4) {
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
void TileMap::clear(QSize size, int x0, int y0, int x1, int y1, QRgb pixel, std::vector<QRect>& fills)
{
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, size.width());
    y1 = std::min(y1, size.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    if (pixel != m_colour) {
        std::fill(m_clean.begin(), m_clean.end(), 0);
        m_colour = pixel;
    }
    const int ty0 = y0 / kTile;
    const int ty1 = (y1 - 1) / kTile;
    const int tx0 = x0 / kTile;
    const int tx1 = (x1 - 1) / kTile;
    for (int ty = ty0; ty <= ty1; ++ty) {
        const int rowTop = std::max(y0, ty * kTile);
        const int rowBottom = std::min(y1, (ty + 1) * kTile);
        std::uint8_t* clean = m_clean.data() + static_cast<std::size_t>(ty) * m_tilesX;
        // Runs of tiles still to clear are filled row by row.
        for (int tx = tx0; tx <= tx1;) {
            if (clean[tx]) {
                ++tx;
                continue;
            }
            int end = tx;
            while (end <= tx1 && !clean[end])
                ++end;
            const int left = std::max(x0, tx * kTile);
            fills.emplace_back(left, rowTop, std::min(x1, end * kTile) - left, rowBottom - rowTop);
            tx = end;
        }
        const bool wholeRows = rowTop == ty * kTile && rowBottom == std::min((ty + 1) * kTile, size.height());
        if (!wholeRows)
            continue;
        for (int tx = tx0; tx <= tx1; ++tx)
            if (x0 <= tx * kTile && std::min((tx + 1) * kTile, size.width()) <= x1)
                clean[tx] = 1;
    }
}

} // namespace lobus
