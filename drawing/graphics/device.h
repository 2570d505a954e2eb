#pragma once
// A drawing surface in device pixels. The graphics layer maps user units to
// pixels and calls these; the image, printer/PDF, SVG and the test recorder
// are devices. What only some devices do lies behind detail(). Coordinates are pixel positions (x right, y down), as doubles
// so that vector devices keep sub-pixel precision.

#include <span>
#include <string_view>

namespace lobus {

struct PointF {
    double x = 0.0;
    double y = 0.0;
};

// A rectangle of device pixels, x0 <= x1, y0 <= y1.
struct BoxF {
    double x0 = 0.0;
    double y0 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;
    bool overlaps(const BoxF& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};

enum class Justify { Left, Centre };

class DetailTarget;

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
    // An open line `width` pixels wide; a device that has one pen only draws
    // it as polyline does.
    virtual void widePolyline(std::span<const PointF> points, Rgb colour, double width)
    {
        (void)width;
        polyline(points, colour);
    }
    // A closed polygon, outlined or filled; the outline may cross itself.
    virtual void polygon(std::span<const PointF> points, Rgb colour, bool filled) = 0;
    // Text whose reference point is `at`; `pixelHeight` is the character height.
    virtual void text(PointF at, std::string_view utf8, double pixelHeight, Justify justify, Rgb colour) = 0;

    // The level of detail the device draws with (see levelofdetail.h);
    // null when every point must be drawn (a vector file, a printer).
    virtual DetailTarget* detail() { return nullptr; }
};

} // namespace lobus
