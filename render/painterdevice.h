#pragma once
// The graphics layer's device over any QPainter: an image, a printer or PDF
// page, an SVG generator. The picture occupies a target rectangle of the
// painter's surface; pen widths and font sizes follow the given resolution.

#include "drawing/graphics/device.h"
#include "render/rasterfill.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QVector>

#include <array>
#include <cstdint>
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
    void lines(PointF a, PointF b, Rgb colour, int count) override;
    void hatch(std::span<const PointF> from, std::span<const PointF> to, Rgb colour,
               double linesPerPixel) override;
    bool levelOfDetail() const override { return m_levelOfDetail; }

    // For raster surfaces (images): horizontal and vertical lines of a
    // one-pixel pen are moved (by at most half a pixel) onto the middle of
    // their pixel row or column, so that axes, ticks and bars come out crisp
    // instead of as two half-grey rows; outline vertices closer than a
    // quarter pixel to the previous one are left out.
    //
    // With `levelOfDetail` as well, consecutive lines of one colour that start
    // within a quarter pixel of each other and run along one direction to
    // within a quarter pixel (the hatch lines of a diagram denser than the
    // pixels) are drawn as the one line that covers them all: the cost of a
    // diagram then follows its pixels, not its points.
    void setRaster(bool snap, bool levelOfDetail = true)
    {
        m_raster = snap;
        m_levelOfDetail = snap && levelOfDetail;
    }

    // Draws what is still batched; called by every other operation and at the end.
    void flush();

    // The render hints of every picture, set in this one place.
    static void setRenderHints(QPainter& painter);

    // The largest rectangle of the given aspect (width / height) centred in
    // `page`: how a picture is fitted to a printed or PDF page.
    static QRectF fitted(const QRectF& page, double aspect);

private:
    void usePen(Rgb colour);
    void batchLine(const QLineF& l, Rgb colour, bool crisp);
    // Draws the batched lines in their colour and empties the batch.
    void drawBatch();
    bool joinGroup(const QLineF& l, Rgb colour);
    void closeGroup();
    void useBrush(std::optional<Rgb> colour);       // none: no brush
    void mapPoints(std::span<const PointF> points); // into m_buffer
    void thinOutline();                             // of m_buffer
    QPointF map(PointF p) const { return QPointF(m_origin.x() + p.x, m_origin.y() + p.y); }

    QPainter& m_painter;
    QRectF m_target;
    QPointF m_origin;
    double m_dpi;
    double m_penWidth;
    bool m_penSet = false;
    bool m_raster = false;
    Rgb m_penColour;
    bool m_brushSet = false;
    std::optional<Rgb> m_brushColour;
    QVector<QLineF> m_lines; // consecutive lines of one colour, drawn in one call
    Rgb m_linesColour;
    bool m_linesCrisp = false; // the batch holds snapped lines, drawn without antialiasing
    bool m_levelOfDetail = false;
    // Lines merged into one while they start at one place and run one way.
    struct LineGroup {
        int count = 0; // 0: no group open
        QLineF first;
        Rgb colour;
        bool directed = false; // a line longer than a quarter pixel gave the direction
        QPointF unit;          // the direction
        double from = 0.0;     // reach along it from first.p1(), from <= 0 <= to
        double to = 0.0;
    };
    LineGroup m_group;
    QVector<QPointF> m_buffer; // reused for polylines and polygons
    QImage* directImage() const;
    RasterFill m_fill; // filled outlines on a direct image
    QImage m_mask;     // a hatch area's coverage in its alpha, kept for the next one
    QVector<QPointF> m_from;
    QVector<QPointF> m_to;
    QVector<QPointF> m_dots; // hatch lines of no length
    std::array<std::uint8_t, 256> m_raised {};
    double m_raisedFor = -1.0;
    QFont m_font;
    double m_fontPixels = -1.0;
    bool m_fontSet = false;                 // the painter holds m_font
    std::optional<QFontMetricsF> m_metrics; // of m_font on this surface
};

} // namespace lobus
