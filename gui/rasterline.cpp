#include "gui/rasterline.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lobus {

namespace {

// Where a line along the image's rows (swap = false) or columns (true)
// covers pixel (major, minor), its coverage in 0..255 is laid on the pixel.
struct Pixels {
    QRgb* bits;
    qsizetype stride; // pixels from one row to the next
    int majorSize;
    int minorSize;
    bool swap;
    QRgb colour;

    void lay(int major, int minor, float coverage) const
    {
        if (minor < 0 || minor >= minorSize)
            return;
        const auto a = static_cast<unsigned>(coverage * 255.0f + 0.5f);
        if (a == 0)
            return;
        QRgb& p = swap ? bits[major * stride + minor] : bits[minor * stride + major];
        p = a >= 255 ? colour : blendPixel(p, colour, a);
    }
};

} // namespace

void rasterLine(QImage& image, QPointF a, QPointF b, QRgb colour)
{
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y()))
        return;
    const int w = image.width();
    const int h = image.height();
    if (w <= 0 || h <= 0)
        return;
    auto* bits = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / 4;
    if (std::lround(a.x() * 64.0) == std::lround(b.x() * 64.0)
        && std::lround(a.y() * 64.0) == std::lround(b.y() * 64.0)) {
        if (a != b)
            return;
        const long x = std::lround(a.x());
        const long y = std::lround(a.y());
        if (x >= 0 && y >= 0 && x < w && y < h)
            bits[y * stride + x] = colour;
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
    const Pixels pixels {bits, stride, swap ? h : w, swap ? w : h, swap, colour};
    const double slope = (y1 - y0) / (x1 - x0);
    const double from = x0 - 0.5; // the caps' ends along the major axis
    const double to = x1 + 0.5;
    const double major = pixels.majorSize;
    const int first = static_cast<int>(std::clamp(std::floor(from), 0.0, major));
    const int last = static_cast<int>(std::clamp(std::ceil(to) - 1.0, -1.0, major - 1.0));
    if (first > last)
        return;
    // The band's top edge at a pixel's centre splits the pixel's coverage
    // between the row it falls in and the next.
    double top = y0 + slope * (first + 0.5 - x0) - 0.5;
    const double minor = pixels.minorSize;
    for (int i = first; i <= last; ++i, top += slope) {
        if (!(top >= -1.0 && top < minor))
            continue;
        int r = static_cast<int>(top);
        if (r > top)
            --r;
        const auto f = static_cast<float>(top - r);
        float along = 1.0f;
        if (i == first || i == last)
            along = static_cast<float>(std::min(to, i + 1.0) - std::max(from, double(i)));
        pixels.lay(i, r, (1.0f - f) * along);
        pixels.lay(i, r + 1, f * along);
    }
}

} // namespace lobus
