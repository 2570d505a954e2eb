#pragma once
// Level of detail: what a picture may leave out where its device cannot show
// it. Every rule takes a tolerance in device pixels, the distance by which
// what is drawn may stray from what was asked (a quarter pixel for the lines
// of an image). A device that draws with a level of detail answers
// Device::detail() with a DetailTarget; the drawing then draws curves denser
// than that from their summaries (drawing/curvesummary.h) and hands it dense
// hatch lines whole. The rules below are for any device to use on what it
// is given: the image device uses them all.

#include "drawing/graphics/device.h"

#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace lobus {

// Hatch lines this many to a pixel cover their area solidly.
constexpr double kSolidHatchLinesPerPixel = 16.0;

class DetailTarget {
public:
    virtual ~DetailTarget() = default;

    // How far, in device pixels, what the device draws may stray from the
    // points it is given; above 0.
    virtual double tolerance() const = 0;
    // `count` lines drawn over each other from a to b: the lines of many
    // points that fall within the tolerance of one another. Drawn as `count`
    // separate lines would be.
    virtual void lines(PointF a, PointF b, Rgb colour, int count) = 0;
    // Hatch lines from[i] to to[i], in order along their arc and lying
    // closer together than the pixels (`linesPerPixel` to a pixel): the
    // device may draw the area they cover instead of each line. The lines
    // may stand for more between them.
    virtual void hatch(std::span<const PointF> from, std::span<const PointF> to, Rgb colour,
                       double linesPerPixel)
        = 0;
    // The density (lines to a pixel) from which the device takes a hatch
    // whole; below it the lines come one by one.
    virtual double hatchWholeFrom() const { return kSolidHatchLinesPerPixel; }
};

namespace lod {

// Ends that fall on one point of the 1/64-pixel grid on which lines are
// placed: such a line is drawn as nothing, or as the one pixel it lies in
// when its ends are equal.
inline bool tooShort(PointF a, PointF b)
{
    return std::lround(a.x * 64.0) == std::lround(b.x * 64.0)
        && std::lround(a.y * 64.0) == std::lround(b.y * 64.0);
}

// The vertices of `in` into `out`, without each one closer than `tolerance`
// to the last one kept, unless an edge of four tolerances or more starts
// from it (a corner of the outline); the first and the last always stay.
// What is left out changes no pixel that a line of the tolerance's device
// draws.
void dropNearVertices(std::span<const PointF> in, std::vector<PointF>& out, double tolerance);

// Thins `points` in place to the vertices its edges need to pass within
// `tolerance` of every vertex left out; returns how many stay. The first
// and the last stay; fewer than four points stay all.
std::size_t thinOutline(std::span<PointF> points, double tolerance);

// Merges consecutive lines of one colour that start within `tolerance` of
// the group's first line and end within `tolerance` of the group's
// direction into the one line that covers them all: the cost of a dense
// hatch then follows its pixels, not its points.
class LineMerger {
public:
    // Lines drawn over each other darken the antialiased edge they share: a
    // merged line is drawn as often as that shows, up to this many times.
    static constexpr int kMostTimes = 8;

    struct Merged {
        PointF a;
        PointF b;
        Rgb colour;
        int times = 0; // how often to draw it
        int lines = 0; // how many lines joined it
    };

    explicit LineMerger(double tolerance) : m_tolerance(tolerance) { }

    // Adds the line: true when it joined the open group.
    bool join(PointF a, PointF b, Rgb colour);
    // Closes the open group (returned) and opens one with the line.
    std::optional<Merged> restart(PointF a, PointF b, Rgb colour);
    // Closes the open group, if one is open.
    std::optional<Merged> close();
    bool open() const { return m_count > 0; }
    // The open group holds `copies` more lines (they would all join it).
    void repeat(int copies) { m_count += copies; }

private:
    double m_tolerance;
    int m_count = 0; // 0: no group open
    PointF m_a;      // the group's first line
    PointF m_b;
    Rgb m_colour;
    bool m_directed = false; // a line longer than the tolerance gave the direction
    PointF m_unit;           // the direction
    double m_from = 0.0;     // reach along it from m_a, m_from <= 0 <= m_to
    double m_to = 0.0;
};

} // namespace lod
} // namespace lobus
