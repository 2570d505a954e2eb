#pragma once
// The main window's client area: shows the picture image that the graphics
// layer draws into. It never draws by itself; it reports its size changes and
// its first showing so the owner can make a new image and have it drawn.

#include <QColor>
#include <QWidget>

class QImage;

namespace lobus {

class PictureWidget : public QWidget {
    Q_OBJECT
public:
    explicit PictureWidget(QWidget* parent = nullptr);

    // The image shown; not owned, may be null. Parts the image does not
    // cover are filled with `background`.
    void setImage(const QImage* image, QColor background);

signals:
    void resized(QSize size);
    void exposed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    const QImage* m_image = nullptr;
    QColor m_background = Qt::white;
};

} // namespace lobus
