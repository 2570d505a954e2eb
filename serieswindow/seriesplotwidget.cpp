#include "serieswindow/seriesplotwidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace lobus {

namespace {

// A point is hit within this many logical pixels.
constexpr double kReach = 8.0;

} // namespace

SeriesPlotWidget::SeriesPlotWidget(Draw draw, QWidget* parent) : QWidget(parent), m_draw(std::move(draw))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 160);
}

// The image has the widget's size in device pixels and says the screen's
// resolution, as the picture's image does.
void SeriesPlotWidget::redraw()
{
    fitScreenImage(m_image, size(), devicePixelRatioF());
    renderToImage(
        m_image, m_graphics, [this](Graphics& g, PictureMemory&) { m_points = m_draw(g); }, m_cache);
    update();
}

QPointF SeriesPlotWidget::pointOf(int caseIndex) const
{
    for (std::size_t i = 0; i < m_points.cases.size(); ++i)
        if (m_points.cases[i] == caseIndex)
            return QPointF(m_points.at[i].x, m_points.at[i].y) / devicePixelRatioF();
    return {-1.0, -1.0};
}

void SeriesPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QImage shown = m_image;
    shown.setDevicePixelRatio(devicePixelRatioF());
    painter.drawImage(QPointF(0, 0), shown);
}

void SeriesPlotWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    redraw();
}

void SeriesPlotWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const double ratio = devicePixelRatioF();
    const QPointF at = event->position() * ratio;
    const int hit = m_points.caseAt(PointF {at.x(), at.y()}, kReach * ratio);
    if (hit >= 0)
        emit caseClicked(hit);
}

} // namespace lobus
