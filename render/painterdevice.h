#pragma once
// The graphics layer's device over any QPainter: a printer or PDF page, an
// SVG generator, and the painter under an image device. The picture occupies
// a target rectangle of the painter's surface; pen widths and font sizes
// follow the given resolution. Every point it is given is drawn: what only
// an image may leave out is the image device's (imagedevice.h).

#include "drawing/graphics/device.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QVector>

#include <optional>

class QPainter;

namespace lobus {

inline QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

class PainterDevice : public Device {
public:
    // `painter` must be active and outlive this device. `target` is the
    // rectangle of the picture in the painter's coordinates; `dpi` its
    // resolution in dots per inch.
    PainterDevice(QPainter& painter, const QRectF& target, double dpi);
    ~PainterDevice() override;

    PainterDevice(const PainterDevice&) = delete;
    PainterDevice& operator=(const PainterDevice&) = delete;

    int width() const override;
    int height() const override;
    double dotsPerInch() const override { return m_dpi; }
    double penWidth() const { return m_penWidth; } // pixels

    void clear(int x0, int y0, int x1, int y1, Rgb background) override;
    void line(PointF a, PointF b, Rgb colour) override;
    void polyline(std::span<const PointF> points, Rgb colour) override;
    void polygon(std::span<const PointF> points, Rgb colour, bool filled) override;
    void text(PointF at, std::string_view utf8, double pixelHeight, Justify justify, Rgb colour) override;

    // Draws `lines` (in the painter's coordinates) at once in the colour,
    // after what is batched; without antialiasing when not `antialiased`.
    void drawLines(const QVector<QLineF>& lines, Rgb colour, bool antialiased);

    // Draws what is still batched; called by every other operation and at the end.
    void flush();

    // The render hints of every picture, set in this one place.
    static void setRenderHints(QPainter& painter);

    // The largest rectangle of the given aspect (width / height) centred in
    // `page`: how a picture is fitted to a printed or PDF page.
    static QRectF fitted(const QRectF& page, double aspect);

private:
    void usePen(Rgb colour);
    void useBrush(std::optional<Rgb> colour);       // none: no brush
    void mapPoints(std::span<const PointF> points); // into m_buffer
    QPointF map(PointF p) const { return QPointF(m_origin.x() + p.x, m_origin.y() + p.y); }

    QPainter& m_painter;
    QRectF m_target;
    QPointF m_origin;
    double m_dpi;
    double m_penWidth;
    bool m_penSet = false;
    Rgb m_penColour;
    bool m_brushSet = false;
    std::optional<Rgb> m_brushColour;
    QVector<QLineF> m_lines; // consecutive lines of one colour, drawn in one call
    Rgb m_linesColour;
    QVector<QPointF> m_buffer; // reused for polylines and polygons
    QFont m_font;
    double m_fontPixels = -1.0;
    bool m_fontSet = false;                 // the painter holds m_font
    std::optional<QFontMetricsF> m_metrics; // of m_font on this surface
};

} // namespace lobus
