#include "render/rasterline.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lobus {

namespace {

// Coverage a of 255 of `colour` laid on pixel p.
inline void lay(QRgb* p, unsigned a, QRgb colour)
{
    if (a == 0)
        return;
    *p = a >= 255 ? colour : blendPixel(*p, colour, a);
}

// The pixels of a one-pixel line's columns: the band's top edge at a
// column's centre splits the column's coverage between the row it falls in
// and the next.
struct OnePixelColumns {
    QRgb* bits;
    double from; // the caps' ends along the major axis
    double to;
    int minorSize;
    qsizetype alongStep;
    qsizetype acrossStep;
    QRgb colour;

    // Column i with the band's top edge at `top`; an end column (`cap`) by
    // the part of it the cap covers, the coverage through `raised` (null:
    // as it is).
    void column(int i, double top, bool cap, const unsigned char* raised) const
    {
        if (!(top >= -1.0 && top < minorSize))
            return;
        int r = static_cast<int>(top);
        if (r > top)
            --r;
        const double f = top - r;
        unsigned below = static_cast<unsigned>(f * 255.0 + 0.5);
        unsigned above = 255u - below;
        if (cap) {
            const double along = std::min(to, i + 1.0) - std::max(from, double(i));
            below = static_cast<unsigned>(f * along * 255.0 + 0.5);
            above = static_cast<unsigned>((1.0 - f) * along * 255.0 + 0.5);
        }
        if (raised) {
            above = raised[above];
            below = raised[below];
        }
        QRgb* const at = bits + i * alongStep + r * acrossStep;
        if (r >= 0)
            lay(at, above, colour);
        if (r + 1 < minorSize)
            lay(at + acrossStep, below, colour);
    }

    // Columns first..last of the plain line (whole coverage, every column):
    // only the two end columns ask after the caps.
    void plain(int first, int last, double top, double slope) const
    {
        column(first, top, true, nullptr);
        for (int i = first + 1; i < last; ++i) {
            top += slope;
            column(i, top, false, nullptr);
        }
        if (last > first)
            column(last, top + slope, true, nullptr);
    }
};

// The line of rasterLine for a pen `width` pixels wide (at most 1.5), its
// coverage through `raised` (null: as it is), only in `ends` columns at each
// end (0: all).
void drawLine(QImage& image, QPointF a, QPointF b, QRgb colour, const unsigned char* raised, int ends,
              double width)
{
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y()))
        return;
    const int w = image.width();
    const int h = image.height();
    if (w <= 0 || h <= 0)
        return;
    auto* bits = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / 4;
    if (tooShort(a, b)) {
        if (a != b)
            return;
        const long x = std::lround(a.x());
        const long y = std::lround(a.y());
        if (x >= 0 && y >= 0 && x < w && y < h)
            lay(bits + y * stride + x, raised ? raised[255] : 255u, colour);
        return;
    }
    double x0 = a.x(), y0 = a.y(), x1 = b.x(), y1 = b.y();
    const bool swap = std::abs(y1 - y0) > std::abs(x1 - x0);
    if (swap) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    // Along the major axis a step is one pixel; across it, the next pixel.
    const int majorSize = swap ? h : w;
    const int minorSize = swap ? w : h;
    const qsizetype alongStep = swap ? stride : 1;
    const qsizetype acrossStep = swap ? 1 : stride;
    const double slope = (y1 - y0) / (x1 - x0);
    // A pen wider than a pixel is the painter's: its band is `width` thick
    // across the line itself, its caps reach half of that along it.
    const double secant = width == 1.0 ? 1.0 : std::sqrt(1.0 + slope * slope);
    const double thickness = width * secant;
    const double half = width / 2.0 / secant;
    const double from = x0 - half; // the caps' ends along the major axis
    const double to = x1 + half;
    const int first = static_cast<int>(std::clamp(std::floor(from), 0.0, double(majorSize)));
    const int last = static_cast<int>(std::clamp(std::ceil(to) - 1.0, -1.0, majorSize - 1.0));
    if (first > last)
        return;
    // The band's top edge at a pixel's centre splits the pixel's coverage
    // between the row it falls in and the next.
    double top = y0 + slope * (first + 0.5 - x0) - thickness / 2.0;
    const double minor = minorSize;
    const OnePixelColumns columns {bits, from, to, minorSize, alongStep, acrossStep, colour};
    if (width == 1.0 && !raised && ends == 0) {
        columns.plain(first, last, top, slope);
        return;
    }
    const int lastFirst = ends > 0 ? std::min(last, first + ends - 1) : last;
    const int firstLast
        = ends > 0 ? std::max(lastFirst + 1, static_cast<int>(std::ceil(to) - 1.0) - ends + 1) : last + 1;
    for (int i = first; i <= last; ++i, top += slope) {
        if (i == lastFirst + 1 && i < firstLast) {
            top += slope * (firstLast - i);
            i = firstLast;
            if (i > last)
                break;
        }
        if (!(top >= -4.0 && top < minor))
            continue;
        if (width != 1.0) { // two or three rows, each by the part of it the band covers
            const double along = std::min(to, i + 1.0) - std::max(from, double(i));
            for (int r = static_cast<int>(std::floor(top)); r < top + thickness; ++r) {
                if (r < 0 || r >= minorSize)
                    continue;
                const double part = (std::min(top + thickness, r + 1.0) - std::max(top, double(r))) * along;
                const auto c = static_cast<unsigned>(std::clamp(part, 0.0, 1.0) * 255.0 + 0.5);
                lay(bits + i * alongStep + r * acrossStep, raised ? raised[c] : c, colour);
            }
            continue;
        }
        columns.column(i, top, i == first || i == last, raised);
    }
}

} // namespace

void rasterLine(QImage& image, QPointF a, QPointF b, QRgb colour)
{
    drawLine(image, a, b, colour, nullptr, 0, 1.0);
}

void rasterLineEnds(QImage& image, QPointF a, QPointF b, QRgb colour, const unsigned char* raised, int ends,
                    double width)
{
    drawLine(image, a, b, colour, raised, ends, std::clamp(width, 1.0, 1.5));
}

} // namespace lobus
