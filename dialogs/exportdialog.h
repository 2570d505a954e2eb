#pragma once
// How large a picture file is made: the picture as shown (the default), one
// of the common screen sizes, an A4 landscape page at 300 dpi, or a width
// and height of the user's own; and whether an SVG or PDF keeps every point
// or only what its medium shows. Export picture and the angle view's save
// ask for it, and the window remembers the last choice.

#include <QSize>
#include <QString>

#include <optional>

class QWidget;

namespace lobus {

struct ExportChoice {
    enum class Size { Shown, FullHd, UltraHd, A4Landscape, Custom };
    Size size = Size::Shown;
    QSize custom {1600, 1000}; // the width and height of Size::Custom
    bool fullDetail = false;   // an SVG or PDF keeps every point
};

// The pixels of the choice for a picture now shown at `shown`.
QSize exportPixels(const ExportChoice& choice, QSize shown);

// The size as the settings keep it ("shown", "1920x1080", "3840x2160",
// "a4-300" or "custom:WxH"), and back; an unknown text gives nothing.
QString exportChoiceText(const ExportChoice& choice);
std::optional<ExportChoice> exportChoiceFromText(const QString& text);

// The dialog: the choice, starting from `initial`, or nothing when cancelled.
std::optional<ExportChoice> systemExportChoice(QWidget* parent, const ExportChoice& initial, QSize shown);

} // namespace lobus
