#include "series/labelplace.h"

#include <cmath>
#include <limits>

namespace lobus {

namespace {

constexpr double kDot = 4.0; // half the side of the box a point keeps free

int overlapCount(const LabelBox& b, const std::vector<LabelBox>& placed, const std::vector<PointF>& points,
                 const LabelBox& bounds)
{
    int n = 0;
    for (const LabelBox& o : placed)
        n += b.overlaps(o) ? 1 : 0;
    for (const PointF& p : points)
        n += b.overlaps({p.x - kDot, p.y - kDot, p.x + kDot, p.y + kDot}) ? 1 : 0;
    if (b.x0 < bounds.x0 || b.y0 < bounds.y0 || b.x1 > bounds.x1 || b.y1 > bounds.y1)
        n += 1;
    return n;
}

} // namespace

double labelWidth(const std::string& text, double height)
{
    std::size_t chars = 0;
    for (const char c : text)
        chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return 0.62 * height * static_cast<double>(chars);
}

std::vector<LabelBox> placeLabels(const std::vector<PointF>& points, const std::vector<double>& widths,
                                  double height, const LabelBox& bounds)
{
    // Unit directions around a point: right, left, above, below, then the corners.
    static constexpr double kDirections[8][2]
        = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
    std::vector<LabelBox> placed;
    placed.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double w = widths[i];
        const PointF p = points[i];
        LabelBox best;
        int bestCount = std::numeric_limits<int>::max();
        for (int ring = 1; ring <= 6 && bestCount > 0; ++ring) {
            const double gap = kDot + (ring - 1) * height;
            for (const auto& d : kDirections) {
                // The box's side towards the point stands `gap` from it.
                const double cx = p.x + d[0] * (gap + w / 2.0);
                const double cy = p.y + d[1] * (gap + height / 2.0);
                const LabelBox b {cx - w / 2.0, cy - height / 2.0, cx + w / 2.0, cy + height / 2.0};
                const int count = overlapCount(b, placed, points, bounds);
                if (count < bestCount) {
                    best = b;
                    bestCount = count;
                    if (count == 0)
                        break;
                }
            }
        }
        placed.push_back(best);
    }
    return placed;
}

} // namespace lobus
