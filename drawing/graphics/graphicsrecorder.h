#pragma once
// Keeps the drawing operations of a Graphics in user units, so that tests can
// check the geometry of a picture with numbers instead of pixels. Attach with
// Graphics::setRecorder; the device behind the Graphics still decides the
// pixel mapping (see RecordingDevice for one that draws nothing).

#include "drawing/graphics/device.h"
#include "drawing/graphics/units.h"

#include <string>
#include <vector>

namespace lobus {

struct DrawOp {
    enum class Kind { Clear, Join, Polyline, Polygon, Arrow, Text };
    Kind kind = Kind::Join;
    std::vector<float> x; // user-unit points (Join: two; Arrow, Text: one)
    std::vector<float> y;
    int colourNumber = 0;
    Rgb colour;          // palette entry of colourNumber when drawn
    bool filled = false; // Polygon: solid fill style in force
    int fillStyle = 0;
    std::string text; // Text
    Justify justify = Justify::Left;
    float charWidth = 0.0f; // Text: character width and height in user units
    float charHeight = 0.0f;
    double lineWidth = 0.0; // Polyline: device pixels, 0 for the device's own pen
    float length = 0.0f;    // Arrow
    float direction = 0.0f; // Arrow, degrees
    int style = 0;          // Arrow
};

class GraphicsRecorder {
public:
    virtual ~GraphicsRecorder() = default;
    virtual void record(DrawOp op) { m_ops.push_back(std::move(op)); }

    const std::vector<DrawOp>& ops() const { return m_ops; }
    void clearOps() { m_ops.clear(); }

private:
    std::vector<DrawOp> m_ops;
};

// A device of a given size and resolution that draws nothing and records the
// operations it is given in user units (it is its own recorder).
class RecordingDevice : public Device, public GraphicsRecorder {
public:
    RecordingDevice(int width, int height, double dpi = kScreenDpi)
        : m_width(width), m_height(height), m_dpi(dpi)
    { }

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    double dotsPerInch() const override { return m_dpi; }
    void clear(int, int, int, int, Rgb) override { }
    void line(PointF, PointF, Rgb) override { }
    void polyline(std::span<const PointF>, Rgb) override { }
    void polygon(std::span<const PointF>, Rgb, bool) override { }
    void text(PointF, std::string_view, double, Justify, Rgb) override { }

private:
    int m_width;
    int m_height;
    double m_dpi;
};

} // namespace lobus
