#pragma once
// The main window's client area: shows the picture image that the graphics
// layer draws into. It never draws by itself; it reports its size changes and
// its first showing so the owner can make a new image and have it drawn.
//
// The image is in device pixels: on a screen with a device pixel ratio of 2
// it has twice the widget's logical width and height, and each of its pixels
// lands on one pixel of the screen, so the picture is as sharp as the screen.

#include <QColor>
#include <QPointF>
#include <QWidget>

#include <optional>

class QImage;

namespace lobus {

class PictureWidget : public QWidget {
    Q_OBJECT
public:
    explicit PictureWidget(QWidget* parent = nullptr);

    // The image shown; not owned, may be null. Its pixels are device pixels
    // (its own devicePixelRatio is ignored): it covers the logical rectangle
    // of its size divided by devicePixelRatioF(). Parts the image does not
    // cover are filled with `background`.
    void setImage(const QImage* image, QColor background);

    // The size in device pixels an image needs to fill the widget: the
    // logical size times devicePixelRatioF(), rounded, at least 1 x 1.
    QSize deviceSize() const;
    // The resolution of a screen pixel in dots per inch: a logical pixel is
    // 1/96 inch, so 96 times devicePixelRatioF().
    double deviceDpi() const;

    // A small ring drawn over the image at this logical point (the point the
    // angle view points at), or none. Never part of the image itself.
    void setMarker(std::optional<QPointF> at);
    std::optional<QPointF> marker() const { return m_marker; }

signals:
    // The logical size; also sent, with the size unchanged, when the device
    // pixel ratio changes (the window moved to another screen).
    void resized(QSize size);
    void exposed();
    // The mouse over the picture, in logical coordinates; and its leaving.
    void pointerMoved(QPointF at);
    void pointerLeft();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const QImage* m_image = nullptr;
    QColor m_background = Qt::white;
    double m_ratio = 0.0; // devicePixelRatioF() when resized was last sent
    std::optional<QPointF> m_marker;
};

} // namespace lobus
