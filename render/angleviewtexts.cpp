#include "render/angleviewtexts.h"

#include <QCoreApplication>

#include <string_view>

namespace lobus {

AngleViewTexts angleViewTexts(const ReadoutUnits& units)
{
    // Not named tr: lupdate would take it for Qt's and miss the markers inside.
    auto look = [](const char* text) { return QCoreApplication::translate("AngleView", text).toStdString(); };
    auto withUnit = [](const char* text, std::string_view unit) {
        return QCoreApplication::translate("AngleView", text)
            .arg(QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())))
            .toStdString();
    };
    AngleViewTexts t;
    t.angleAxis = look(QT_TRANSLATE_NOOP("AngleView", "kąt [°]"));
    t.pressureAxis = withUnit(QT_TRANSLATE_NOOP("AngleView", "ciśnienie [%1]"), symbol(units.pressure));
    t.temperatureAxis
        = withUnit(QT_TRANSLATE_NOOP("AngleView", "temperatura [%1]"), symbol(units.temperature));
    t.firstCurve = look(QT_TRANSLATE_NOOP("AngleView", "pierwsza temperatura"));
    t.secondCurve = look(QT_TRANSLATE_NOOP("AngleView", "druga temperatura"));
    t.units = units;
    return t;
}

} // namespace lobus
