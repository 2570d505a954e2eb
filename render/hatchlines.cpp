#include "render/hatchlines.h"

#include "drawing/graphics/levelofdetail.h"
#include "render/rasterline.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace lobus {

namespace {

// Lines that follow each other on both ends closer than this (in pixels)
// make one piece of the filled middle.
constexpr double kFollow = 1.0;
// A filled middle keeps this far (in pixels, at both ends of the lines) from
// a piece's sides, and the lines this near them stay whole: a pixel by the
// side gets its lines from one side only and is not solid.
constexpr double kSideFill = 1.5;
constexpr double kSideWhole = 3.0;
// The filled middle starts this far along the longer axis from each end:
// inside the columns kEndColumns draws, where the lines already cover
// every pixel solidly.
constexpr double kMiddleFrom = 2.0;
constexpr double kOutlineStray = 0.5;
// Line counts up to this are raised exactly; above, in steps of 5 %.
constexpr int kExactCounts = 32;
constexpr double kMostLines = 4096.0;

// Whether a and b lie nearer than d to each other.
bool within(PointF a, PointF b, double d)
{
    const double x = a.x - b.x;
    const double y = a.y - b.y;
    return x * x + y * y < d * d;
}

QPointF toQ(PointF p) { return {p.x, p.y}; }

// The point `m` along the longer axis from `from` towards `to`.
PointF inward(PointF from, PointF to, double major, double m)
{
    const double f = m / major;
    return {from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f};
}

// The coverage of 255 after `lines` lines, by one line's coverage: made
// once a thread for each count (up to kExactCounts) or step above it.
const std::uint8_t* raised(double lines)
{
    using Table = std::array<std::uint8_t, 256>;
    thread_local std::vector<std::unique_ptr<Table>> tables;
    lines = std::clamp(lines, 1.0, kMostLines);
    const std::size_t key = lines <= kExactCounts ? static_cast<std::size_t>(std::lround(lines))
                                                  : kExactCounts
            + static_cast<std::size_t>(std::lround(std::log(lines / kExactCounts) / std::log(1.05)));
    if (key >= tables.size())
        tables.resize(key + 1);
    if (!tables[key]) {
        const double t
            = key <= kExactCounts ? double(key) : kExactCounts * std::pow(1.05, double(key - kExactCounts));
        auto table = std::make_unique<Table>();
        for (std::size_t a = 0; a < table->size(); ++a)
            (*table)[a]
                = static_cast<std::uint8_t>(std::lround(255.0 * (1.0 - std::pow(1.0 - a / 255.0, t))));
        tables[key] = std::move(table);
    }
    return tables[key]->data();
}

} // namespace

void HatchLines::draw(QImage& image, std::span<const PointF> from, std::span<const PointF> to, QRgb colour,
                      double linesPerPixel, double penWidth, double tolerance, RasterFill& fill)
{
    plan(from, to, linesPerPixel, tolerance,
         [&](std::span<const QPointF> outline) { return fill.fill(image, outline, colour); });
    layGroups(image, m_groups, colour, penWidth);
}

void HatchLines::plan(std::span<const PointF> from, std::span<const PointF> to, double linesPerPixel,
                      double tolerance, const FillMiddle& fillMiddle)
{
    m_groups.clear();
    const std::size_t n = std::min(from.size(), to.size());
    if (n == 0)
        return;
    // How many lines each given one stands for, from the density at the arc.
    double arc = 0.0;
    for (std::size_t i = 1; i < n; ++i) {
        const double x = from[i].x - from[i - 1].x;
        const double y = from[i].y - from[i - 1].y;
        arc += std::sqrt(x * x + y * y);
    }
    const double each = n > 1 && arc > 0.0 ? std::max(1.0, linesPerPixel * arc / double(n - 1)) : 1.0;

    m_groups.clear();
    lod::LineMerger merger(tolerance);
    const auto keep = [&](const std::optional<lod::LineMerger::Merged>& m) {
        if (!m)
            return;
        const double major = std::max(std::abs(m->b.x - m->a.x), std::abs(m->b.y - m->a.y));
        m_groups.push_back({m->a, m->b, m->lines * each, major, true});
    };
    for (std::size_t i = 0; i < n; ++i)
        if (!merger.join(from[i], to[i], Rgb {}))
            keep(merger.restart(from[i], to[i], Rgb {}));
    keep(merger.close());

    // Pieces of long lines that follow each other.
    const double longEnough = 2.0 * kEndColumns + 2.0;
    std::size_t first = 0;
    for (std::size_t g = 0; g <= m_groups.size(); ++g) {
        const bool joins = g < m_groups.size() && m_groups[g].major >= longEnough
            && (g == first
                || (within(m_groups[g].a, m_groups[g - 1].a, kFollow)
                    && within(m_groups[g].b, m_groups[g - 1].b, kFollow)));
        if (joins)
            continue;
        if (g > first && !fillPiece(first, g - 1, fillMiddle))
            break;
        first = g < m_groups.size() && m_groups[g].major >= longEnough ? g : g + 1;
    }
}

void HatchLines::layGroups(QImage& image, std::span<const Group> groups, QRgb colour, double penWidth)
{
    for (const Group& g : groups)
        rasterLineEnds(image, toQ(g.a), toQ(g.b), colour, raised(g.lines), g.whole ? 0 : kEndColumns,
                       penWidth);
}

bool HatchLines::fillPiece(std::size_t first, std::size_t last, const FillMiddle& fillMiddle)
{
    const Group& side0 = m_groups[first];
    const Group& side1 = m_groups[last];
    const auto near = [&](const Group& g, double d) {
        return within(g.a, side0.a, d) || within(g.b, side0.b, d) || within(g.a, side1.a, d)
            || within(g.b, side1.b, d);
    };
    m_outline.clear();
    m_inner.clear();
    for (std::size_t i = first; i <= last; ++i) {
        Group& g = m_groups[i];
        if (near(g, kSideFill))
            continue;
        m_outline.push_back(inward(g.a, g.b, g.major, kMiddleFrom));
        m_inner.push_back(inward(g.b, g.a, g.major, kMiddleFrom));
        g.whole = near(g, kSideWhole);
    }
    if (m_outline.size() < 2) {
        for (std::size_t i = first; i <= last; ++i)
            m_groups[i].whole = true;
        return true;
    }
    // The outline's edges lie where the lines' ends already cover every
    // pixel: they may stray by a pixel from the middle's own.
    m_outline.insert(m_outline.end(), m_inner.rbegin(), m_inner.rend());
    m_outline.resize(lod::thinOutline(m_outline, kOutlineStray));
    m_filled.resize(m_outline.size());
    std::transform(m_outline.begin(), m_outline.end(), m_filled.begin(), toQ);
    if (fillMiddle(m_filled))
        return true;
    // Too large to fill: every line whole.
    for (Group& g : m_groups)
        g.whole = true;
    return false;
}

} // namespace lobus
