#pragma once
// The angle-base view on the screen: the plot drawn through the graphics
// layer into an image of the widget's device pixels, redrawn when the case,
// the settings, the size or the visible angles change. The linked cursor
// line and the marked point are drawn over the image, so the mouse moving
// costs no redraw of the plot. The wheel zooms about the angle under the
// mouse, a drag pans, a double click shows 0..360 again.

#include "drawing/angleview.h"
#include "drawing/compare.h"
#include "drawing/graphics/graphics.h"
#include "render/renderimage.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace lobus {

class AngleViewWidget : public QWidget {
    Q_OBJECT
public:
    explicit AngleViewWidget(QWidget* parent = nullptr);

    // The case to plot; not owned, null for none. Redraws the plot.
    void setCase(const Case* c, const RYSUJ* rysuj);
    // The case drawn over the plot while a comparison is on (pointers not
    // owned, valid until the next call); redraws a shown plot when it changes.
    void setComparison(const ComparedCase& compared);
    // The units of the plot's values; redraws the plot when they change.
    void setUnits(const ReadoutUnits& units);
    // The linked cursor at this angle, or none.
    void setCursorAngle(std::optional<float> angle);
    std::optional<float> cursorAngle() const { return m_cursor; }
    // A grid point marked with a dot (lobe 0: none).
    void setMark(int lobe, int point);

    const AngleViewState& view() const { return m_view; }
    void setVisibleAngles(float from, float to);
    const QImage& plot() const { return m_image; }

signals:
    // The angle under the mouse inside an axis, or none.
    void angleHovered(std::optional<float> angle);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void redraw();
    std::optional<float> angleAt(QPointF logical);
    QPointF devicePoint(QPointF logical) const;
    // The logical point of (angle, value) in one of the axes, or none.
    std::optional<QPointF> logicalPoint(const AnglePanel& panel, float angle, float value);

    const Case* m_case = nullptr;
    const RYSUJ* m_rysuj = nullptr;
    ComparedCase m_compared;
    AngleViewTexts m_texts;
    AngleViewState m_view;
    AngleViewLayout m_layout;
    Graphics m_graphics;
    QImage m_image;
    PictureCache m_cache; // what each plot into m_image keeps for the next
    std::optional<float> m_cursor;
    int m_markLobe = 0;
    int m_markPoint = 0;
    std::optional<QPointF> m_dragFrom;
    AngleViewState m_dragStart;
};

} // namespace lobus
