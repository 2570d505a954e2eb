#include "gui/painterdevice.h"

#include "drawing/graphics/units.h"

#include <QPainter>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cmath>

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
PainterDevice::PainterDevice(QPainter& painter, const QRectF& target, double dpi)
    : m_painter(painter), m_target(target), m_origin(target.topLeft()), m_dpi(dpi > 0.0 ? dpi : kScreenDpi)
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
    closeGroup();
    if (!m_lines.isEmpty())
        drawBatch();
}

void PainterDevice::drawBatch()
{
    usePen(m_linesColour);
    if (m_linesCrisp) {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.drawLines(m_lines);
        m_painter.setRenderHint(QPainter::Antialiasing, true);
    } else {
        m_painter.drawLines(m_lines);
    }
    m_lines.clear();
}

void PainterDevice::clear(int x0, int y0, int x1, int y1, Rgb background)
{
    flush();
    m_painter.fillRect(QRectF(map(PointF {double(x0), double(y0)}), QSizeF(x1 - x0, y1 - y0)),
                       toQColor(background));
}

// Consecutive lines of one colour (the hatch lines of a pressure diagram) are
// collected and drawn in one call; any other operation draws them first, so
// the order of the picture is kept. Snapped lines lie on whole pixel rows or
// columns and are drawn without antialiasing, which gives the same pixels and
// spares the antialiasing of long axis-parallel lines, the slowest case.
void PainterDevice::line(PointF a, PointF b, Rgb colour)
{
    QLineF l(map(a), map(b));
    bool crisp = false;
    if (m_raster && m_penWidth < 1.5) {
        if (l.y1() == l.y2()) {
            const double y = std::floor(l.y1()) + 0.5;
            l.setLine(l.x1(), y, l.x2(), y);
            crisp = true;
        } else if (l.x1() == l.x2()) {
            const double x = std::floor(l.x1()) + 0.5;
            l.setLine(x, l.y1(), x, l.y2());
            crisp = true;
        }
    }
    if (m_levelOfDetail && !crisp && m_penWidth < 1.5) {
        if (joinGroup(l, colour))
            return;
        closeGroup();
        m_group.count = 1;
        m_group.first = l;
        m_group.colour = colour;
        const QPointF d = l.p2() - l.p1();
        const double length = std::sqrt(d.x() * d.x() + d.y() * d.y());
        m_group.directed = length > 0.25 && std::isfinite(length);
        if (m_group.directed) {
            m_group.unit = d / length;
            m_group.from = 0.0;
            m_group.to = length;
        }
        return;
    }
    closeGroup();
    batchLine(l, colour, crisp);
}

// With merging, a line that went into the open group brings its copies
// along (they would all join it); otherwise each copy is drawn.
void PainterDevice::lines(PointF a, PointF b, Rgb colour, int count)
{
    if (count < 1)
        return;
    line(a, b, colour);
    if (m_group.count > 0) {
        m_group.count += std::min(count - 1, 8);
        return;
    }
    for (int i = 1; i < count; ++i)
        line(a, b, colour);
}

void PainterDevice::batchLine(const QLineF& l, Rgb colour, bool crisp)
{
    if (!m_lines.isEmpty() && (!(colour == m_linesColour) || crisp != m_linesCrisp))
        drawBatch();
    m_linesColour = colour;
    m_linesCrisp = crisp;
    m_lines.append(l);
}

// A line joins the open group when it starts within a quarter pixel of the
// group's first line and its end lies within a quarter pixel of the group's
// direction: every pixel it would cover is then covered by the group's line.
bool PainterDevice::joinGroup(const QLineF& l, Rgb colour)
{
    if (m_group.count == 0 || !(colour == m_group.colour))
        return false;
    const QPointF origin = m_group.first.p1();
    const QPointF start = l.p1() - origin;
    if (!(start.x() * start.x() + start.y() * start.y() <= 0.0625))
        return false;
    const QPointF end = l.p2() - origin;
    if (!m_group.directed) {
        const QPointF d = l.p2() - l.p1();
        const double length = std::sqrt(d.x() * d.x() + d.y() * d.y());
        if (!std::isfinite(length))
            return false;
        if (length > 0.25) {
            m_group.directed = true;
            m_group.unit = d / length;
            m_group.from = 0.0;
            m_group.to = 0.0;
            // The lines so far all lie within a quarter pixel of the origin.
        } else {
            ++m_group.count;
            return true;
        }
    }
    const double along = end.x() * m_group.unit.x() + end.y() * m_group.unit.y();
    const double across = end.x() * m_group.unit.y() - end.y() * m_group.unit.x();
    if (!(std::abs(across) <= 0.25))
        return false;
    m_group.from = std::min(m_group.from, along);
    m_group.to = std::max(m_group.to, along);
    ++m_group.count;
    return true;
}

void PainterDevice::closeGroup()
{
    if (m_group.count == 0)
        return;
    QLineF l = m_group.first;
    if (m_group.count > 1 && m_group.directed) {
        const QPointF origin = l.p1();
        l = QLineF(origin + m_group.unit * m_group.from, origin + m_group.unit * m_group.to);
    }
    // Lines drawn over each other darken the antialiased edge they share:
    // the merged line is drawn as often as that shows, up to eight times.
    const int times = std::min(m_group.count, 8);
    m_group.count = 0;
    for (int i = 0; i < times; ++i)
        batchLine(l, m_group.colour, false);
}

// On a raster surface a vertex closer than a quarter pixel to the last one
// kept changes no pixel, so it is left out: an outline of 100,000 points along
// an arc a few hundred pixels long costs what its pixels cost. Vector
// surfaces keep every point.
void PainterDevice::mapPoints(std::span<const PointF> points)
{
    m_buffer.resize(static_cast<qsizetype>(points.size()));
    QPointF* out = m_buffer.data();
    qsizetype n = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF p = map(points[i]);
        if (m_raster && n > 0 && i + 1 < points.size()) {
            const QPointF d = p - out[n - 1];
            if (d.x() * d.x() + d.y() * d.y() < 0.0625)
                continue;
        }
        out[n++] = p;
    }
    m_buffer.resize(n);
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
    mapPoints(points);
    m_painter.drawPolyline(m_buffer.constData(), static_cast<int>(m_buffer.size()));
}

// Self-crossing outlines are filled by the winding rule, so a pressure
// diagram that folds over itself stays filled where it overlaps.
void PainterDevice::polygon(std::span<const PointF> points, Rgb colour, bool filled)
{
    flush();
    if (points.empty())
        return;
    mapPoints(points);
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
