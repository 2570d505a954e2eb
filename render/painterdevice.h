#pragma once
// The graphics layer's device over any QPainter: a printer or PDF page, an
// SVG generator, and the painter under an image device. The picture occupies
// a target rectangle of the painter's surface; pen widths and font sizes
// follow the given resolution.
//
// Given a level of detail (a distance in device pixels), it leaves out what
// would move no drawn line by more than that distance: vertices of outlines
// and lines (lod::thinOutline), lines lying closer together
// (lod::LineMerger), and, through detail(), the points of dense curves that
// the drawing then hands it as summaries; a hatch dense enough to cover its
// area solidly becomes that area, filled and outlined with the lines' pen. A vector file
// of a million points a lobe then holds what its medium can show. Without
// one, every point it is given is drawn; what only an image leaves out is
// the image device's (imagedevice.h).

#include "drawing/graphics/device.h"
#include "drawing/graphics/levelofdetail.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QVector>

#include <optional>
#include <vector>

class QPainter;

namespace lobus {

inline QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

class PainterDevice : public Device, private DetailTarget {
public:
    // `painter` must be active and outlive this device. `target` is the
    // rectangle of the picture in the painter's coordinates; `dpi` its
    // resolution in dots per inch. `detailPixels` above 0: the level of
    // detail, the farthest a drawn line may stray from the points given.
    PainterDevice(QPainter& painter, const QRectF& target, double dpi, double detailPixels = 0.0);
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
    void widePolyline(std::span<const PointF> points, Rgb colour, double width) override;
    void polygon(std::span<const PointF> points, Rgb colour, bool filled) override;
    void text(PointF at, std::string_view utf8, double pixelHeight, Justify justify, Rgb colour) override;
    DetailTarget* detail() override { return m_detailPixels > 0.0 ? this : nullptr; }

    // The level of detail of a vector file: a tenth of a pixel of an SVG at
    // its nominal size; 1/1200 inch on a PDF page or a printer.
    static constexpr double kSvgDetailPixels = 0.1;
    static double pageDetailPixels(double dpi) { return dpi / 1200.0; }

    // Draws `lines` (in the painter's coordinates) at once in the colour,
    // after what is batched; without antialiasing when not `antialiased`.
    void drawLines(const QVector<QLineF>& lines, Rgb colour, bool antialiased);

    // Draws what is still batched; called by every other operation and at the end.
    void flush();

    // The outline widePolyline()'s pen strokes, into `outline` when it is
    // one closed outline of straight edges (false: it is not); it touches
    // nothing the painter draws with.
    bool wideOutline(std::span<const PointF> points, double width, std::vector<PointF>& outline) const;

    // The render hints of every picture, set in this one place.
    static void setRenderHints(QPainter& painter);

    // The largest rectangle of the given aspect (width / height) centred in
    // `page`: how a picture is fitted to a printed or PDF page.
    static QRectF fitted(const QRectF& page, double aspect);

private:
    // The drawing's summaries run two tolerances long and stray by up to a
    // run's length; the device's own thinning strays by half the level of
    // detail: together no more than the level of detail.
    double tolerance() const override { return m_detailPixels / 4.0; }
    void lines(PointF a, PointF b, Rgb colour, int count) override;
    void hatch(std::span<const PointF> from, std::span<const PointF> to, Rgb colour,
               double linesPerPixel) override;
    void batchLine(PointF a, PointF b, Rgb colour); // into m_lines
    void closeMerger();                             // the merged group into m_lines
    std::span<const PointF> thinned(std::span<const PointF> points, double tolerance); // into m_thin
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
    double m_detailPixels = 0.0;
    lod::LineMerger m_merger;
    std::vector<PointF> m_thin; // a thinned outline
    std::vector<PointF> m_area; // a dense hatch's outline
    QFont m_font;
    double m_fontPixels = -1.0;
    bool m_fontSet = false;                 // the painter holds m_font
    std::optional<QFontMetricsF> m_metrics; // of m_font on this surface
};

} // namespace lobus
