#include "render/painterdevice.h"

#include "drawing/graphics/units.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace lobus {

void PainterDevice::setRenderHints(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
}

QRectF PainterDevice::fitted(const QRectF& page, double aspect)
{
    if (!(aspect > 0.0) || page.isEmpty())
        return page;
    double w = page.width();
    double h = w / aspect;
    if (h > page.height()) {
        h = page.height();
        w = h * aspect;
    }
    return QRectF(page.x() + (page.width() - w) / 2.0, page.y() + (page.height() - h) / 2.0, w, h);
}

// A line is a quarter of a millimetre wide at the device's resolution, at
// least one pixel: one pixel on a screen image, about six on a 600-dpi page.
PainterDevice::PainterDevice(QPainter& painter, const QRectF& target, double dpi, double detailPixels)
    : m_painter(painter),
      m_target(target),
      m_origin(target.topLeft()),
      m_dpi(dpi > 0.0 ? dpi : kScreenDpi),
      m_detailPixels(detailPixels > 0.0 && std::isfinite(detailPixels) ? detailPixels : 0.0),
      m_merger(m_detailPixels / 2.0)
{
    m_penWidth = std::max(1.0, m_dpi * 0.25 / 25.4);
    setRenderHints(m_painter);
    // No pen until a line asks for one: a painter starts with a black pen,
    // which would otherwise outline a drawing's first filled polygon.
    m_painter.setPen(Qt::NoPen);
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setFamily(QStringLiteral("Sans Serif"));
    m_lines.reserve(1024);
}

PainterDevice::~PainterDevice()
{
    flush();
    if (m_brushSet && m_brushColour && m_painter.isActive())
        m_painter.setBrush(Qt::NoBrush); // the painter goes back as it came, without a fill
}

int PainterDevice::width() const { return static_cast<int>(std::lround(m_target.width())); }

int PainterDevice::height() const { return static_cast<int>(std::lround(m_target.height())); }

void PainterDevice::usePen(Rgb colour)
{
    if (m_penSet && colour == m_penColour)
        return;
    // Square caps make a line between two pixel centres cover both end pixels.
    QPen pen(toQColor(colour), m_penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    m_painter.setPen(pen);
    m_penSet = true;
    m_penColour = colour;
}

// Only outlined polygons need the painter's brush empty: lines, polylines,
// points and text do not use it, so a fill's brush stays until one comes.
void PainterDevice::useBrush(std::optional<Rgb> colour)
{
    if (m_brushSet && colour == m_brushColour)
        return;
    if (colour)
        m_painter.setBrush(toQColor(*colour));
    else
        m_painter.setBrush(Qt::NoBrush);
    m_brushSet = true;
    m_brushColour = colour;
}

void PainterDevice::flush()
{
    closeMerger();
    if (m_lines.isEmpty())
        return;
    usePen(m_linesColour);
    m_painter.drawLines(m_lines);
    m_lines.clear();
}

void PainterDevice::drawLines(const QVector<QLineF>& lines, Rgb colour, bool antialiased)
{
    flush();
    usePen(colour);
    if (antialiased) {
        m_painter.drawLines(lines);
        return;
    }
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.drawLines(lines);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
}

void PainterDevice::clear(int x0, int y0, int x1, int y1, Rgb background)
{
    flush();
    m_painter.fillRect(QRectF(map(PointF {double(x0), double(y0)}), QSizeF(x1 - x0, y1 - y0)),
                       toQColor(background));
}

// Consecutive lines of one colour (the hatch lines of a pressure diagram) are
// collected and drawn in one call; any other operation draws them first, so
// the order of the picture is kept.
void PainterDevice::line(PointF a, PointF b, Rgb colour)
{
    if (m_detailPixels == 0.0) {
        batchLine(a, b, colour);
        return;
    }
    // Lines within half the level of detail of one another become the one
    // line that covers them.
    if (m_merger.join(a, b, colour))
        return;
    if (const auto merged = m_merger.restart(a, b, colour))
        batchLine(merged->a, merged->b, merged->colour);
}

void PainterDevice::batchLine(PointF a, PointF b, Rgb colour)
{
    if (!m_lines.isEmpty() && !(colour == m_linesColour)) {
        usePen(m_linesColour);
        m_painter.drawLines(m_lines);
        m_lines.clear();
    }
    m_linesColour = colour;
    m_lines.append(QLineF(map(a), map(b)));
}

void PainterDevice::closeMerger()
{
    if (const auto merged = m_merger.close())
        batchLine(merged->a, merged->b, merged->colour);
}

// A vector surface antialiases as it is shown: lines over each other need
// not darken, one stands for all.
void PainterDevice::lines(PointF a, PointF b, Rgb colour, int) { line(a, b, colour); }

// Hatch lines this dense cover their area solidly: the area is filled and
// outlined with the lines' pen, which covers what its lines would.
void PainterDevice::hatch(std::span<const PointF> from, std::span<const PointF> to, Rgb colour, double)
{
    flush();
    const std::size_t n = std::min(from.size(), to.size());
    if (n == 0)
        return;
    m_area.clear();
    m_area.reserve(2 * n);
    m_area.insert(m_area.end(), from.begin(), from.begin() + static_cast<std::ptrdiff_t>(n));
    m_area.insert(m_area.end(), std::make_reverse_iterator(to.begin() + static_cast<std::ptrdiff_t>(n)),
                  std::make_reverse_iterator(to.begin()));
    mapPoints(thinned(m_area, m_detailPixels / 4.0));
    usePen(colour);
    useBrush(colour);
    m_painter.drawPolygon(m_buffer.constData(), static_cast<int>(m_buffer.size()), Qt::WindingFill);
}

std::span<const PointF> PainterDevice::thinned(std::span<const PointF> points, double tolerance)
{
    if (m_detailPixels == 0.0)
        return points;
    m_thin.assign(points.begin(), points.end());
    m_thin.resize(lod::thinOutline(m_thin, tolerance));
    return m_thin;
}

void PainterDevice::mapPoints(std::span<const PointF> points)
{
    m_buffer.resize(static_cast<qsizetype>(points.size()));
    QPointF* out = m_buffer.data();
    for (std::size_t i = 0; i < points.size(); ++i)
        out[i] = map(points[i]);
}

void PainterDevice::polyline(std::span<const PointF> points, Rgb colour)
{
    flush();
    if (points.empty())
        return;
    usePen(colour);
    if (points.size() == 1) {
        m_painter.drawPoint(map(points[0]));
        return;
    }
    mapPoints(thinned(points, m_detailPixels / 2.0));
    m_painter.drawPolyline(m_buffer.constData(), static_cast<int>(m_buffer.size()));
}

// Bevelled joins keep a curve of many short steps its width without the
// spikes of mitres or the cost of rounds.
void PainterDevice::widePolyline(std::span<const PointF> points, Rgb colour, double width)
{
    flush();
    if (points.size() < 2 || !(width > 0.0)) {
        polyline(points, colour);
        return;
    }
    mapPoints(points);
    m_painter.setPen(QPen(toQColor(colour), width, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
    m_penSet = false; // the next line sets its own
    m_painter.drawPolyline(m_buffer.constData(), static_cast<int>(m_buffer.size()));
}

bool PainterDevice::wideOutline(std::span<const PointF> points, double width,
                                std::vector<PointF>& outline) const
{
    if (points.size() < 2 || !(width > 0.0))
        return false;
    QPainterPath line;
    line.moveTo(map(points[0]));
    for (std::size_t i = 1; i < points.size(); ++i)
        line.lineTo(map(points[i]));
    QPainterPathStroker stroker(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
    const QPainterPath stroke = stroker.createStroke(line);
    const int n = stroke.elementCount();
    if (n < 3)
        return false;
    outline.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element e = stroke.elementAt(i);
        if (e.isMoveTo() != (i == 0) || !(e.isMoveTo() || e.isLineTo()))
            return false;
        outline[static_cast<std::size_t>(i)] = {e.x - m_origin.x(), e.y - m_origin.y()};
    }
    return true;
}

// Self-crossing outlines are filled by the winding rule, so a pressure
// diagram that folds over itself stays filled where it overlaps.
void PainterDevice::polygon(std::span<const PointF> points, Rgb colour, bool filled)
{
    flush();
    if (points.empty())
        return;
    // A filled outline's edge shows a shift as a shade of its pixels: it
    // keeps more of its points than a line does.
    mapPoints(thinned(points, filled ? m_detailPixels / 4.0 : m_detailPixels / 2.0));
    if (filled) {
        if (m_penSet) {
            m_painter.setPen(Qt::NoPen);
            m_penSet = false;
        }
        useBrush(colour);
    } else {
        usePen(colour);
        useBrush(std::nullopt);
    }
    m_painter.drawPolygon(m_buffer.constData(), static_cast<int>(m_buffer.size()), Qt::WindingFill);
}

// The text's reference point is the middle of its capital letters: left
// justified text starts there, centred text is centred on it.
void PainterDevice::text(PointF at, std::string_view utf8, double pixelHeight, Justify justify, Rgb colour)
{
    flush();
    if (utf8.empty() || !(pixelHeight > 0.0))
        return;
    const double pixels = std::clamp(pixelHeight, 1.0, 1.0e5);
    // The font and its metrics change only with the size: a picture's labels
    // all share one, so they are set up once rather than for every label.
    if (pixels != m_fontPixels || !m_metrics) {
        m_font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
        m_fontPixels = pixels;
        m_metrics.emplace(m_font, m_painter.device());
        m_fontSet = false;
    }
    if (!m_fontSet) {
        m_painter.setFont(m_font);
        m_fontSet = true;
    }
    const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QPointF p = map(at);
    if (justify == Justify::Centre)
        p.rx() -= m_metrics->horizontalAdvance(s) / 2.0;
    p.ry() += m_metrics->capHeight() / 2.0;
    usePen(colour);
    m_painter.drawText(p, s);
}

} // namespace lobus
