#pragma once
// A drawing surface in device pixels. The graphics layer maps user units to
// pixels and calls these; the image, printer/PDF, SVG and the test recorder
// are devices. Coordinates are pixel positions (x right, y down), as doubles
// so that vector devices keep sub-pixel precision.

#include <cstddef>
#include <span>
#include <string_view>

namespace lobus {

struct PointF {
    double x = 0.0;
    double y = 0.0;
};

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};

enum class Justify { Left, Centre };

class Device {
public:
    virtual ~Device() = default;

    virtual int width() const = 0;  // pixels
    virtual int height() const = 0; // pixels
    virtual double dotsPerInch() const = 0;

    // Fills the rectangle [x0, x1) x [y0, y1) with the background colour.
    virtual void clear(int x0, int y0, int x1, int y1, Rgb background) = 0;
    virtual void line(PointF a, PointF b, Rgb colour) = 0;
    virtual void polyline(std::span<const PointF> points, Rgb colour) = 0;
    // A closed polygon, outlined or filled; the outline may cross itself.
    virtual void polygon(std::span<const PointF> points, Rgb colour, bool filled) = 0;
    // Text whose reference point is `at`; `pixelHeight` is the character height.
    virtual void text(PointF at, std::string_view utf8, double pixelHeight, Justify justify, Rgb colour) = 0;

    // `count` lines drawn over each other from a to b: the lines of many
    // points that fall on one pixel column. A device that merges such lines
    // draws them as it would draw `count` separate ones.
    virtual void lines(PointF a, PointF b, Rgb colour, int count)
    {
        for (int i = 0; i < count; ++i)
            line(a, b, colour);
    }
    // Hatch lines from[i] to to[i], in order along their arc and lying
    // closer together than the pixels (`linesPerPixel` to a pixel): a device
    // that takes a picture with its level of detail may draw the area they
    // cover instead of each line. The lines may stand for more between them.
    virtual void hatch(std::span<const PointF> from, std::span<const PointF> to, Rgb colour,
                       double linesPerPixel)
    {
        (void)linesPerPixel;
        for (std::size_t i = 0; i < from.size() && i < to.size(); ++i)
            line(from[i], to[i], colour);
    }
    // True when a picture may be drawn from a summary of points that fall
    // within a quarter pixel of each other (an image); false when every point
    // must be drawn (a vector file, a printer).
    virtual bool levelOfDetail() const { return false; }
};

} // namespace lobus
