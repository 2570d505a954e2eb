#include "render/angleviewtexts.h"

#include <QCoreApplication>

#include <string>

namespace lobus {

AngleViewTexts angleViewTexts(const ReadoutUnits& units)
{
    // Not named tr: lupdate would take it for Qt's and miss the markers inside.
    auto look = [](const char* text, std::string_view unit) {
        return QCoreApplication::translate("AngleView", text)
            .arg(QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())))
            .toStdString();
    };
    AngleViewTexts t;
    t.angleAxis = QCoreApplication::translate("AngleView", "kąt [°]").toStdString();
    t.pressureAxis = look(QT_TRANSLATE_NOOP("AngleView", "ciśnienie [%1]"), symbol(units.pressure));
    t.temperatureAxis = look(QT_TRANSLATE_NOOP("AngleView", "temperatura [%1]"), symbol(units.temperature));
    t.units = units;
    return t;
}

} // namespace lobus
