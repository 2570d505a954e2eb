#include "gui/angleviewwidget.h"

#include "drawing/graphics/graphicsrecorder.h"
#include "drawing/graphics/units.h"

#include "drawing/casefigures.h"
#include "render/angleviewtexts.h"
#include "render/renderimage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace lobus {

namespace {

// Zoomed in no further than half a degree; panned no further than a turn
// either side of 0..360, where a lobe's extent may reach.
constexpr float kNarrowest = 0.5f;
constexpr float kLowest = -360.0f;
constexpr float kHighest = 720.0f;

} // namespace

AngleViewWidget::AngleViewWidget(QWidget* parent) : QWidget(parent), m_texts(angleViewTexts())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(200, 120);
}

void AngleViewWidget::setCase(const Case* c, const RYSUJ* rysuj)
{
    m_case = c;
    m_rysuj = rysuj;
    redraw();
}

void AngleViewWidget::setComparison(const ComparedCase& compared)
{
    const bool same = compared.other == m_compared.other && compared.otherScales == m_compared.otherScales
        && compared.names.shown == m_compared.names.shown && compared.names.other == m_compared.names.other;
    m_compared = compared;
    if (!same && isVisible())
        redraw();
}

void AngleViewWidget::setUnits(const ReadoutUnits& units)
{
    if (units == m_texts.units)
        return;
    m_texts = angleViewTexts(units);
    redraw();
}

void AngleViewWidget::setCursorAngle(std::optional<float> angle)
{
    if (angle == m_cursor)
        return;
    m_cursor = angle;
    update();
}

void AngleViewWidget::setMark(int lobe, int point)
{
    if (lobe == m_markLobe && point == m_markPoint)
        return;
    m_markLobe = lobe;
    m_markPoint = point;
    update();
}

void AngleViewWidget::setVisibleAngles(float from, float to)
{
    const float span = std::clamp(to - from, kNarrowest, kHighest - kLowest);
    from = std::clamp(from, kLowest, kHighest - span);
    m_view.from = from;
    m_view.to = from + span;
    redraw();
}

// The image has the widget's size in device pixels and says the screen's
// resolution, as the picture's image does.
void AngleViewWidget::redraw()
{
    fitScreenImage(m_image, size(), devicePixelRatioF());
    if (!m_case || !m_rysuj) {
        m_image.fill(Qt::white);
        m_layout = AngleViewLayout();
    } else {
        renderToImage(
            m_image, m_graphics,
            [this](Graphics& g, PictureMemory&) {
                m_layout = drawAngleViewCompared(g, *m_case, *m_rysuj, m_view, m_texts, m_compared);
            },
            m_cache);
    }
    update();
}

QPointF AngleViewWidget::devicePoint(QPointF logical) const { return logical * devicePixelRatioF(); }

std::optional<float> AngleViewWidget::angleAt(QPointF logical)
{
    if (!m_case)
        return std::nullopt;
    // A device of the image's size that draws nothing: what the graphics layer
    // needs to map between the plot's user units and the image's pixels.
    RecordingDevice surface(m_image.width(), m_image.height(), kScreenDpi * devicePixelRatioF());
    m_graphics.setDevice(&surface);
    const QPointF d = devicePoint(logical);
    float angle = 0.0f;
    const bool inside = angleAtDevice(m_graphics, m_layout, PointF {d.x(), d.y()}, angle);
    m_graphics.setDevice(nullptr);
    return inside ? std::optional<float>(angle) : std::nullopt;
}

std::optional<QPointF> AngleViewWidget::logicalPoint(const AnglePanel& panel, float angle, float value)
{
    if (!panel.present)
        return std::nullopt;
    // A device of the image's size that draws nothing: what the graphics layer
    // needs to map between the plot's user units and the image's pixels.
    RecordingDevice surface(m_image.width(), m_image.height(), kScreenDpi * devicePixelRatioF());
    m_graphics.setDevice(&surface);
    m_graphics.IGRAREA(panel.area[0], panel.area[1], panel.area[2], panel.area[3]);
    m_graphics.IGRUNITS(panel.units[0], panel.units[1], panel.units[2], panel.units[3]);
    PointF p;
    const bool mapped = m_graphics.unitsToDevice(angle, value, p);
    m_graphics.setDevice(nullptr);
    if (!mapped)
        return std::nullopt;
    return QPointF(p.x, p.y) / devicePixelRatioF();
}

void AngleViewWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QImage shown = m_image;
    shown.setDevicePixelRatio(devicePixelRatioF());
    painter.drawImage(QPointF(0, 0), shown);
    if (!m_case)
        return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (m_cursor && *m_cursor >= m_view.from && *m_cursor <= m_view.to) {
        painter.setPen(QPen(QColor(90, 90, 90), 1.0, Qt::DashLine));
        for (const AnglePanel* panel : {&m_layout.pressure, &m_layout.temperature}) {
            const auto low = logicalPoint(*panel, *m_cursor, panel->units[1]);
            const auto high = logicalPoint(*panel, *m_cursor, panel->units[3]);
            if (low && high)
                painter.drawLine(*low, *high);
        }
    }
    const Case& c = *m_case;
    if (m_markLobe >= 1 && m_markLobe <= lobeCount(c.dane) && m_markPoint >= 1
        && m_markPoint <= pointCount(c.dane, c.results, m_markLobe)) {
        const float a = element(c.results.katcis, m_markLobe, m_markPoint);
        painter.setPen(QPen(Qt::black, 2.0));
        painter.setBrush(Qt::NoBrush);
        auto ring = [&](const AnglePanel& panel, float value) {
            for (float shift : {-360.0f, 0.0f, 360.0f})
                if (a + shift >= m_view.from && a + shift <= m_view.to)
                    if (const auto p = logicalPoint(panel, a + shift, value))
                        painter.drawEllipse(*p, 5.0, 5.0);
        };
        const ReadoutUnits& units = m_texts.units;
        ring(m_layout.pressure,
             static_cast<float>(pressureIn(units.pressure, element(c.results.cis, m_markLobe, m_markPoint))));
        if (m_layout.temperature.present)
            ring(m_layout.temperature,
                 static_cast<float>(
                     temperatureIn(units.temperature, element(c.results.tem1, m_markLobe, m_markPoint))));
    }
}

void AngleViewWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    redraw();
}

void AngleViewWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragFrom && (event->buttons() & Qt::LeftButton)) {
        const double plotWidth = (m_layout.pressure.area[2] - m_layout.pressure.area[0]) * width();
        if (plotWidth > 0.0) {
            const double span = double(m_dragStart.to) - m_dragStart.from;
            const double shift = -(event->position().x() - m_dragFrom->x()) * span / plotWidth;
            setVisibleAngles(static_cast<float>(m_dragStart.from + shift),
                             static_cast<float>(m_dragStart.to + shift));
        }
    }
    emit angleHovered(angleAt(event->position()));
}

void AngleViewWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = event->position();
        m_dragStart = m_view;
    }
}

void AngleViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragFrom.reset();
}

void AngleViewWidget::mouseDoubleClickEvent(QMouseEvent*)
{
    m_view.from = 0.0f;
    m_view.to = 360.0f;
    redraw();
}

void AngleViewWidget::wheelEvent(QWheelEvent* event)
{
    const std::optional<float> at = angleAt(event->position());
    const int steps = event->angleDelta().y();
    if (!at || steps == 0)
        return;
    // One notch of the wheel shows a fifth less (or a quarter more).
    const double factor = std::pow(0.8, steps / 120.0);
    const double from = *at - (double(*at) - m_view.from) * factor;
    const double to = *at + (double(m_view.to) - *at) * factor;
    setVisibleAngles(static_cast<float>(from), static_cast<float>(to));
    event->accept();
}

void AngleViewWidget::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    emit angleHovered(std::nullopt);
}

} // namespace lobus
