#pragma once
// The graphics layer's device over a QImage: antialiased lines, a scalable
// font, sizes from the image's own resolution. The painter is open for the
// lifetime of the device; make one per picture, the image lives on.

#include "gui/painterdevice.h"

#include <QPainter>

class QImage;

namespace lobus {

class ImageDevice : public Device {
public:
    explicit ImageDevice(QImage& image);
    ~ImageDevice() override;

    int width() const override { return m_device.width(); }
    int height() const override { return m_device.height(); }
    double dotsPerInch() const override { return m_device.dotsPerInch(); }
    // Writes the background straight into the image's memory: a clear is most
    // of a picture's pixels and needs no blending.
    void clear(int x0, int y0, int x1, int y1, Rgb background) override;
    void line(PointF a, PointF b, Rgb colour) override { m_device.line(a, b, colour); }
    void polyline(std::span<const PointF> p, Rgb colour) override { m_device.polyline(p, colour); }
    void polygon(std::span<const PointF> p, Rgb colour, bool filled) override { m_device.polygon(p, colour, filled); }
    void text(PointF at, std::string_view utf8, double h, Justify j, Rgb colour) override
    {
        m_device.text(at, utf8, h, j, colour);
    }

private:
    QImage& m_image;
    QPainter m_painter;
    PainterDevice m_device;
};

} // namespace lobus
