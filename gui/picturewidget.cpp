#include "gui/picturewidget.h"

#include <QImage>
#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>

namespace lobus {

PictureWidget::PictureWidget(QWidget* parent)
    : QWidget(parent)
{
    // Every pixel comes from the image or the background fill.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);
}

void PictureWidget::setImage(const QImage* image, QColor background)
{
    m_image = image;
    m_background = background;
    update();
}

void PictureWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    if (m_image && !m_image->isNull()) {
        painter.drawImage(dirty.topLeft(), *m_image, dirty);
        const QRect covered = m_image->rect();
        if (!covered.contains(dirty)) {
            const QRegion rest = QRegion(dirty).subtracted(covered);
            for (const QRect& r : rest)
                painter.fillRect(r, m_background);
        }
    } else {
        painter.fillRect(dirty, m_background);
    }
}

void PictureWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized(event->size());
}

void PictureWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    emit exposed();
}

} // namespace lobus
