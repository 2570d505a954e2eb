#include "gui/picturewidget.h"

#include "drawing/graphics/units.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace lobus {

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent)
{
    // Every pixel comes from the image or the background fill.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);
    setMouseTracking(true);
}

namespace {
constexpr double kMarkerRadius = 6.0; // logical pixels
} // namespace

void PictureWidget::setMarker(std::optional<QPointF> at)
{
    if (at == m_marker)
        return;
    const auto dirty = [this](const std::optional<QPointF>& p) {
        if (p) {
            const int r = static_cast<int>(kMarkerRadius) + 3;
            update(QRect(static_cast<int>(p->x()) - r, static_cast<int>(p->y()) - r, 2 * r + 1, 2 * r + 1));
        }
    };
    dirty(m_marker);
    m_marker = at;
    dirty(m_marker);
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    emit pointerMoved(event->position());
}

void PictureWidget::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    emit pointerLeft();
}

void PictureWidget::setImage(const QImage* image, QColor background)
{
    m_image = image;
    m_background = background;
    update();
}

QSize PictureWidget::deviceSize() const
{
    const double ratio = devicePixelRatioF();
    return QSize(std::max(1, static_cast<int>(std::lround(width() * ratio))),
                 std::max(1, static_cast<int>(std::lround(height() * ratio))));
}

double PictureWidget::deviceDpi() const { return kScreenDpi * devicePixelRatioF(); }

// The image is placed by device pixels: the dirty rectangle, in logical
// coordinates, is scaled by the ratio to the image's pixels and drawn back
// into itself. With a whole-number ratio every image pixel meets exactly one
// screen pixel, so nothing is resampled.
void PictureWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    if (!m_image || m_image->isNull()) {
        painter.fillRect(dirty, m_background);
        return;
    }
    const double ratio = devicePixelRatioF();
    const QRectF covered(0.0, 0.0, m_image->width() / ratio, m_image->height() / ratio);
    // Whole logical pixels the image covers; the fringe of a fractional
    // ratio is filled first and then painted over by the image.
    const QRect inner(0, 0, static_cast<int>(std::floor(covered.width())),
                      static_cast<int>(std::floor(covered.height())));
    if (!inner.contains(dirty)) {
        const QRegion rest = QRegion(dirty).subtracted(inner);
        for (const QRect& r : rest)
            painter.fillRect(r, m_background);
    }
    const QRectF target = QRectF(dirty) & covered;
    if (!target.isEmpty()) {
        const QRectF source(target.x() * ratio, target.y() * ratio, target.width() * ratio,
                            target.height() * ratio);
        painter.drawImage(target, *m_image, source);
    }
    if (m_marker) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 4.0));
        painter.drawEllipse(*m_marker, kMarkerRadius, kMarkerRadius);
        painter.setPen(QPen(Qt::black, 2.0));
        painter.drawEllipse(*m_marker, kMarkerRadius, kMarkerRadius);
    }
}

void PictureWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_ratio = devicePixelRatioF();
    emit resized(event->size());
}

// A window moved to a screen of another ratio keeps its logical size, so no
// resize event comes; the image must still be made anew for the new pixels.
bool PictureWidget::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    bool screenChanged = event->type() == QEvent::ScreenChangeInternal;
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    screenChanged = screenChanged || event->type() == QEvent::DevicePixelRatioChange;
#endif
    if (screenChanged && devicePixelRatioF() != m_ratio) {
        m_ratio = devicePixelRatioF();
        emit resized(size());
    }
    return handled;
}

void PictureWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    emit exposed();
}

} // namespace lobus
