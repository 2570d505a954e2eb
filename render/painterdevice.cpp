#include "render/painterdevice.h"

#include "drawing/graphics/units.h"
#include "render/rasterfill.h"
#include "render/rasterline.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

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

// On an image, antialiased lines of a one-pixel pen are written straight
// into its pixels (see rasterLine); elsewhere the painter draws them.
void PainterDevice::drawBatch()
{
    if (!m_linesCrisp && m_penWidth <= 1.0) {
        if (QImage* image = directImage()) {
            const QRgb colour = toQColor(m_linesColour).rgb();
            for (const QLineF& l : std::as_const(m_lines))
                rasterLine(*image, l.p1(), l.p2(), colour);
            m_lines.clear();
            return;
        }
    }
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
// kept changes no pixel, so it is left out (unless a long edge starts from
// it, a corner of the outline): an outline of 100,000 points along an arc a
// few hundred pixels long costs what its pixels cost. Vector surfaces keep
// every point.
void PainterDevice::mapPoints(std::span<const PointF> points)
{
    m_buffer.resize(static_cast<qsizetype>(points.size()));
    QPointF* out = m_buffer.data();
    qsizetype n = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF p = map(points[i]);
        if (m_raster && n > 0 && i + 1 < points.size()) {
            const QPointF d = p - out[n - 1];
            if (d.x() * d.x() + d.y() * d.y() < 0.0625) {
                const QPointF e = map(points[i + 1]) - p;
                if (e.x() * e.x() + e.y() * e.y() < 1.0)
                    continue;
            }
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
// A filled outline on a raster surface keeps only the vertices that its
// edges need to pass within a fiftieth of a pixel of every vertex left out:
// along an arc of the bearing's size that is a vertex every few pixels, and
// the area's coverage of any pixel moves by less than a step of its colour.
// The vertices left out of a run are those a cone of ways on from the last
// vertex kept still passes near.
void PainterDevice::thinOutline()
{
    constexpr double kTolerance = 0.02;
    const qsizetype count = m_buffer.size();
    if (count < 4)
        return;
    QPointF* p = m_buffer.data();
    qsizetype kept = 1; // p[0] stays
    QPointF anchor = p[0];
    bool cone = false;
    QPointF low;
    QPointF high;
    const auto cross = [](QPointF a, QPointF b) { return a.x() * b.y() - a.y() * b.x(); };
    // Fits p[i] into the cone from the anchor; false when no way on is left.
    const auto fits = [&](QPointF q) {
        const QPointF v = q - anchor;
        const double r = std::sqrt(v.x() * v.x() + v.y() * v.y());
        if (!(r > kTolerance))
            return r <= kTolerance;
        const double sd = kTolerance / r;
        const double cd = std::sqrt(1.0 - sd * sd);
        const QPointF u = v / r;
        const QPointF lo(u.x() * cd + u.y() * sd, u.y() * cd - u.x() * sd);
        const QPointF hi(u.x() * cd - u.y() * sd, u.y() * cd + u.x() * sd);
        if (!cone) {
            low = lo;
            high = hi;
            cone = true;
            return true;
        }
        if (u.x() * (low.x() + high.x()) + u.y() * (low.y() + high.y()) <= 0.0 || cross(low, v) < 0.0
            || cross(v, high) < 0.0)
            return false;
        if (cross(low, lo) > 0.0)
            low = lo;
        if (cross(hi, high) > 0.0)
            high = hi;
        return true;
    };
    // The last vertex stays, but must fit too, or the one before it stays.
    for (qsizetype i = 1; i < count; ++i) {
        if (fits(p[i]))
            continue;
        // p[i] does not fit: the vertex before it is kept, and the cone
        // starts again from there.
        anchor = p[i - 1];
        p[kept++] = anchor;
        cone = false;
        fits(p[i]);
    }
    p[kept++] = p[count - 1];
    m_buffer.resize(kept);
}

void PainterDevice::polygon(std::span<const PointF> points, Rgb colour, bool filled)
{
    flush();
    if (points.empty())
        return;
    mapPoints(points);
    if (filled && m_raster)
        thinOutline();
    if (filled) {
        // On an image the outline is filled straight into its pixels.
        if (QImage* image = directImage(); image && m_fill.fill(*image, m_buffer, toQColor(colour).rgb()))
            return;
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

namespace {

double dot(QPointF a, QPointF b) { return a.x() * b.x() + a.y() * b.y(); }

} // namespace

// Hatch lines closer together than the pixels are drawn as the area they
// cover. A line of a one-pixel pen covers a band one pixel thick across its
// longer axis, reaching half a pixel past each end along that axis (the
// square cap); a pixel it covers by a fraction a grows to 1 - (1 - a)^n
// under n lines. So the band's outline is worked out from the lines' ends,
// its antialiased coverage drawn once into a mask, raised so and laid on
// the image: one pass over the area's pixels whatever the number of lines.
// A line of no length covers the one pixel nearest to it.
void PainterDevice::hatch(std::span<const PointF> from, std::span<const PointF> to, Rgb colour,
                          double linesPerPixel)
{
    QImage* image = directImage();
    const std::size_t count = std::min(from.size(), to.size());
    if (!image || count == 0 || !(m_penWidth < 1.5)) {
        Device::hatch(from, to, colour, linesPerPixel);
        return;
    }
    flush();
    // Lines whose arc ends lie within a quarter pixel of each other are
    // covered by the longest of them (and the first and the last line
    // stand for themselves, as the sides of the area).
    m_from.clear();
    m_to.clear();
    m_dots.clear();
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    QPointF origin;
    for (std::size_t i = 0; i < count; ++i) {
        const QPointF a = map(from[i]);
        const QPointF e = map(to[i]);
        x0 = std::min({x0, a.x(), e.x()});
        y0 = std::min({y0, a.y(), e.y()});
        x1 = std::max({x1, a.x(), e.x()});
        y1 = std::max({y1, a.y(), e.y()});
        if (a == e)
            m_dots.append(a);
        const QPointF da = a - origin;
        if (m_from.size() > 1 && i + 1 < count && dot(da, da) < 0.0625) {
            const QPointF kept = m_to.back() - m_from.back();
            const QPointF d = e - a;
            if (!tooShort(a, e) && (tooShort(m_from.back(), m_to.back()) || dot(d, d) > dot(kept, kept))) {
                m_from.back() = a;
                m_to.back() = e;
            }
            continue;
        }
        m_from.append(a);
        m_to.append(e);
        origin = a;
    }
    const double margin = m_penWidth + 2.0;
    const QRect box = QRectF(x0 - margin, y0 - margin, x1 - x0 + 2.0 * margin, y1 - y0 + 2.0 * margin)
                          .toAlignedRect()
                          .intersected(image->rect());
    if (box.isEmpty())
        return;
    if (m_mask.width() < box.width() || m_mask.height() < box.height())
        m_mask = QImage(std::max(m_mask.width(), box.width()), std::max(m_mask.height(), box.height()),
                        QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < box.height(); ++y)
        std::memset(m_mask.scanLine(y), 0, static_cast<std::size_t>(box.width()) * 4);

    const double half = m_penWidth / 2.0;
    {
        const QPointF corner = box.topLeft();
        // The corners of line j's band at its start (sign -1) or end (+1):
        // the one farther out, or both in order along the arc.
        struct Ends {
            QPointF base;
            QPointF across;
        };
        const auto ends = [&](int j, int side) {
            const QPointF a = m_from[j];
            const QPointF e = m_to[j];
            const QPointF d = e - a;
            const bool alongX = std::abs(d.x()) >= std::abs(d.y());
            const double major = alongX ? std::abs(d.x()) : std::abs(d.y());
            const QPointF reach = d * (half / major);
            const QPointF across = alongX ? QPointF(0.0, half) : QPointF(half, 0.0);
            return Ends {side < 0 ? a - reach : e + reach, across};
        };
        const auto outer = [&](const Ends& s, QPointF out) {
            return dot(s.across, out) >= 0.0 ? s.base + s.across : s.base - s.across;
        };
        QPolygonF arcSide;
        QPolygonF farSide;
        const auto drawPiece = [&](int first, int last) {
            if (first > last)
                return;
            QPointF along = m_from[last] - m_from[first];
            if (first == last || dot(along, along) == 0.0) {
                const QPointF d = m_to[first] - m_from[first];
                along = QPointF(-d.y(), d.x());
            }
            arcSide.clear();
            farSide.clear();
            for (int j = first; j <= last; ++j) {
                const QPointF d = m_to[j] - m_from[j];
                const Ends s = ends(j, -1);
                const Ends e = ends(j, +1);
                if (j == first || j == last) {
                    const bool forward = dot(s.across, along) >= 0.0;
                    arcSide << (forward ? s.base - s.across : s.base + s.across)
                            << (forward ? s.base + s.across : s.base - s.across);
                    const bool forwardE = dot(e.across, along) >= 0.0;
                    farSide << (forwardE ? e.base - e.across : e.base + e.across)
                            << (forwardE ? e.base + e.across : e.base - e.across);
                } else {
                    arcSide << outer(s, -d);
                    farSide << outer(e, d);
                }
            }
            for (auto it = farSide.crbegin(); it != farSide.crend(); ++it)
                arcSide << *it;
            for (QPointF& p : arcSide)
                p -= corner;
            if (!m_fill.fill(m_mask, arcSide, qRgba(0, 0, 0, 255))) {
                QPainter mask(&m_mask);
                mask.setRenderHint(QPainter::Antialiasing, true);
                mask.setPen(Qt::NoPen);
                mask.setBrush(Qt::black);
                mask.drawPolygon(arcSide, Qt::WindingFill);
            }
        };
        int first = 0;
        const int n = static_cast<int>(m_from.size());
        for (int j = 0; j < n; ++j) {
            if (tooShort(m_from[j], m_to[j])) {
                drawPiece(first, j - 1);
                first = j + 1;
            }
        }
        drawPiece(first, n - 1);
    }
    // Lines of no length: their pixel, whole.
    for (const QPointF& dotAt : m_dots) {
        const int px = static_cast<int>(std::lround(dotAt.x())) - box.x();
        const int py = static_cast<int>(std::lround(dotAt.y())) - box.y();
        if (px >= 0 && py >= 0 && px < box.width() && py < box.height())
            reinterpret_cast<QRgb*>(m_mask.scanLine(py))[px] = 0xff000000u;
    }
    // The coverage after as many lines as a pixel holds.
    const double n = std::max(1.0, linesPerPixel);
    if (n != m_raisedFor) {
        for (int a = 0; a < 256; ++a)
            m_raised[static_cast<std::size_t>(a)]
                = static_cast<std::uint8_t>(std::lround(255.0 * (1.0 - std::pow(1.0 - a / 255.0, n))));
        m_raisedFor = n;
    }
    const QRgb solid = toQColor(colour).rgb();
    for (int y = 0; y < box.height(); ++y) {
        const auto* m = reinterpret_cast<const QRgb*>(m_mask.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(image->scanLine(box.y() + y)) + box.x();
        for (int x = 0; x < box.width(); ++x) {
            const int a = m_raised[qAlpha(m[x])];
            if (a == 0)
                continue;
            if (a == 255) {
                d[x] = solid;
                continue;
            }
            d[x] = blendPixel(d[x], solid, static_cast<unsigned>(a));
        }
    }
}

// The image the painter draws on, when its pixels may be written directly:
// an opaque-or-plain 32-bit image of device pixels, drawn on without a
// transformation or clip.
QImage* PainterDevice::directImage() const
{
    QPaintDevice* device = m_painter.device();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format f = image->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32_Premultiplied)
        return nullptr;
    if (!m_painter.transform().isIdentity() || m_painter.hasClipping() || image->devicePixelRatio() != 1.0)
        return nullptr;
    return image;
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
