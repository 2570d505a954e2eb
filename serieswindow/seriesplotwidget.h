#pragma once
// A plot of the series on the screen (the locus or the chart): drawn through
// the graphics layer into an image of the widget's device pixels, again when
// the series, the highlighted case or the size change. A click on a case's
// point names the case.

#include "drawing/graphics/graphics.h"
#include "render/renderimage.h"
#include "series/seriesplot.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace lobus {

class SeriesPlotWidget : public QWidget {
    Q_OBJECT
public:
    using Draw = std::function<PlotPoints(Graphics&)>;

    explicit SeriesPlotWidget(Draw draw, QWidget* parent = nullptr);

    void redraw();
    const QImage& plot() const { return m_image; }
    // Where each case landed, in the widget's logical pixels.
    QPointF pointOf(int caseIndex) const;

signals:
    void caseClicked(int caseIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Draw m_draw;
    Graphics m_graphics;
    QImage m_image;
    PictureCache m_cache;
    PlotPoints m_points;
};

} // namespace lobus
