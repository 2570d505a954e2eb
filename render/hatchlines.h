#pragma once
// Hatch lines a few to a pixel, drawn on an image at the cost of their
// area. Lines within a tolerance of each other merge (lod::LineMerger) and
// are laid once, raised as the lines they stand for darken a pixel. Where
// the lines lie close enough to cover every pixel solidly, away from their
// ends and from the sides of the hatch, an outline is filled instead of the
// lines' middles; every pixel that is not solid in the full drawing gets
// its lines as rasterLine lays them, so the picture is that of every line.

#include "drawing/graphics/device.h"
#include "render/rasterfill.h"

#include <QImage>
#include <QPointF>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace lobus {

class HatchLines {
public:
    // Pixel columns along a line's longer axis drawn at each of its ends.
    static constexpr int kEndColumns = 5;

    // Draws the hatch from[i] to to[i] (in order along its arc, at least
    // `linesPerPixel` to a pixel there; the lines may stand for more between
    // them) in `colour` on `image` (RGB32 or premultiplied ARGB32, of device
    // pixels), for a pen `penWidth` wide (1 to 1.5 pixels); lines within
    // `tolerance` pixels of each other merge. `fill` fills the middles.
    void draw(QImage& image, std::span<const PointF> from, std::span<const PointF> to, QRgb colour,
              double linesPerPixel, double penWidth, double tolerance, RasterFill& fill);

    // The same in two halves, which may run on two threads. plan() works out
    // the hatch: the middles it fills go to `fillMiddle` in turn (an outline
    // in pixels; false: too large to fill, and every line comes whole), then
    // groups() holds its lines; layGroups() lays them.
    struct Group {
        PointF a;
        PointF b;
        double lines; // how many lines it stands for
        double major; // its length along its longer axis, in pixels
        bool whole;   // drawn whole (not only its ends)
    };
    using FillMiddle = std::function<bool(std::span<const QPointF>)>;
    void plan(std::span<const PointF> from, std::span<const PointF> to, double linesPerPixel,
              double tolerance, const FillMiddle& fillMiddle);
    std::span<const Group> groups() const { return m_groups; }
    static void layGroups(QImage& image, std::span<const Group> groups, QRgb colour, double penWidth);

private:
    // The groups first..last (a piece of long lines that follow each other
    // closely): an outline over their middles, filled; those near the
    // piece's sides stay whole.
    bool fillPiece(std::size_t first, std::size_t last, const FillMiddle& fillMiddle);

    std::vector<Group> m_groups;
    std::vector<PointF> m_outline;
    std::vector<PointF> m_inner;
    std::vector<QPointF> m_filled;
};

} // namespace lobus
