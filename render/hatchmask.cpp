#include "render/hatchmask.h"

#include "drawing/graphics/levelofdetail.h"
#include "render/rasterline.h"

#include <QPainter>
#include <QPointF>
#include <QPolygonF>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lobus {

namespace {

PointF plus(PointF a, PointF b) { return {a.x + b.x, a.y + b.y}; }
PointF minus(PointF a, PointF b) { return {a.x - b.x, a.y - b.y}; }
PointF times(PointF a, double c) { return {a.x * c, a.y * c}; }
double dot(PointF a, PointF b) { return a.x * b.x + a.y * b.y; }

// The corners of a line's band at its start or end: the base point, half a
// pen past the end along the longer axis, and half a pen across it.
struct Ends {
    PointF base;
    PointF across;
};

Ends ends(PointF a, PointF e, double half, int side)
{
    const PointF d = minus(e, a);
    const bool alongX = std::abs(d.x) >= std::abs(d.y);
    const double major = alongX ? std::abs(d.x) : std::abs(d.y);
    const PointF reach = times(d, half / major);
    const PointF across = alongX ? PointF {0.0, half} : PointF {half, 0.0};
    return Ends {side < 0 ? minus(a, reach) : plus(e, reach), across};
}

// The corner farther out towards `out`.
PointF outer(const Ends& s, PointF out)
{
    return dot(s.across, out) >= 0.0 ? plus(s.base, s.across) : minus(s.base, s.across);
}

// Both corners, in order along the arc.
void bothCorners(std::vector<PointF>& side, const Ends& s, PointF along)
{
    const bool forward = dot(s.across, along) >= 0.0;
    side.push_back(forward ? minus(s.base, s.across) : plus(s.base, s.across));
    side.push_back(forward ? plus(s.base, s.across) : minus(s.base, s.across));
}

} // namespace

void HatchMask::draw(QImage& image, std::span<const PointF> from, std::span<const PointF> to, QRgb colour,
                     double linesPerPixel, double penWidth, double tolerance, RasterFill& fill)
{
    const std::size_t count = std::min(from.size(), to.size());
    m_dots.clear();
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (std::size_t i = 0; i < count; ++i) {
        const PointF a = from[i];
        const PointF e = to[i];
        x0 = std::min({x0, a.x, e.x});
        y0 = std::min({y0, a.y, e.y});
        x1 = std::max({x1, a.x, e.x});
        y1 = std::max({y1, a.y, e.y});
        if (QPointF(a.x, a.y) == QPointF(e.x, e.y))
            m_dots.push_back(a);
    }
    lod::thinHatch(from.first(count), to.first(count), tolerance, m_from, m_to);
    const double margin = penWidth + 2.0;
    const QRect box = QRectF(x0 - margin, y0 - margin, x1 - x0 + 2.0 * margin, y1 - y0 + 2.0 * margin)
                          .toAlignedRect()
                          .intersected(image.rect());
    if (box.isEmpty())
        return;
    if (m_mask.width() < box.width() || m_mask.height() < box.height())
        m_mask = QImage(std::max(m_mask.width(), box.width()), std::max(m_mask.height(), box.height()),
                        QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < box.height(); ++y)
        std::memset(m_mask.scanLine(y), 0, static_cast<std::size_t>(box.width()) * 4);

    // The area in pieces between the lines that draw nothing.
    const double half = penWidth / 2.0;
    const PointF corner {double(box.x()), double(box.y())};
    int first = 0;
    const int n = static_cast<int>(m_from.size());
    for (int j = 0; j < n; ++j) {
        if (lod::tooShort(m_from[j], m_to[j])) {
            drawPiece(first, j - 1, half, corner, fill);
            first = j + 1;
        }
    }
    drawPiece(first, n - 1, half, corner, fill);
    // Lines of no length: their pixel, whole.
    for (const PointF& dotAt : m_dots) {
        const int px = static_cast<int>(std::lround(dotAt.x)) - box.x();
        const int py = static_cast<int>(std::lround(dotAt.y)) - box.y();
        if (px >= 0 && py >= 0 && px < box.width() && py < box.height())
            reinterpret_cast<QRgb*>(m_mask.scanLine(py))[px] = 0xff000000u;
    }
    // The coverage after as many lines as a pixel holds.
    const double lines = std::max(1.0, linesPerPixel);
    if (lines != m_raisedFor) {
        for (int a = 0; a < 256; ++a)
            m_raised[static_cast<std::size_t>(a)]
                = static_cast<std::uint8_t>(std::lround(255.0 * (1.0 - std::pow(1.0 - a / 255.0, lines))));
        m_raisedFor = lines;
    }
    for (int y = 0; y < box.height(); ++y) {
        const auto* m = reinterpret_cast<const QRgb*>(m_mask.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(image.scanLine(box.y() + y)) + box.x();
        for (int x = 0; x < box.width(); ++x) {
            const int a = m_raised[qAlpha(m[x])];
            if (a == 0)
                continue;
            if (a == 255) {
                d[x] = colour;
                continue;
            }
            d[x] = blendPixel(d[x], colour, static_cast<unsigned>(a));
        }
    }
}

// The band's outline: along the arc through the outer start corner of each
// line (both corners of the first and the last), back along the far ends.
void HatchMask::drawPiece(int first, int last, double half, PointF corner, RasterFill& fill)
{
    if (first > last)
        return;
    PointF along = minus(m_from[last], m_from[first]);
    if (first == last || dot(along, along) == 0.0) {
        const PointF d = minus(m_to[first], m_from[first]);
        along = PointF {-d.y, d.x};
    }
    m_arcSide.clear();
    m_farSide.clear();
    for (int j = first; j <= last; ++j) {
        const PointF d = minus(m_to[j], m_from[j]);
        const Ends s = ends(m_from[j], m_to[j], half, -1);
        const Ends e = ends(m_from[j], m_to[j], half, +1);
        if (j == first || j == last) {
            bothCorners(m_arcSide, s, along);
            bothCorners(m_farSide, e, along);
        } else {
            m_arcSide.push_back(outer(s, PointF {-d.x, -d.y}));
            m_farSide.push_back(outer(e, d));
        }
    }
    m_arcSide.insert(m_arcSide.end(), m_farSide.rbegin(), m_farSide.rend());
    m_outline.resize(static_cast<qsizetype>(m_arcSide.size()));
    for (std::size_t i = 0; i < m_arcSide.size(); ++i)
        m_outline[static_cast<qsizetype>(i)] = QPointF(m_arcSide[i].x - corner.x, m_arcSide[i].y - corner.y);
    if (fill.fill(m_mask, m_outline, qRgba(0, 0, 0, 255)))
        return;
    QPainter mask(&m_mask);
    mask.setRenderHint(QPainter::Antialiasing, true);
    mask.setPen(Qt::NoPen);
    mask.setBrush(Qt::black);
    mask.drawPolygon(m_outline, Qt::WindingFill);
}

} // namespace lobus
