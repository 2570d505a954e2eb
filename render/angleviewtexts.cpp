#include "render/angleviewtexts.h"

#include <QCoreApplication>

namespace lobus {

AngleViewTexts angleViewTexts()
{
    // Not named tr: lupdate would take it for Qt's and miss the markers inside.
    auto look = [](const char* text) { return QCoreApplication::translate("AngleView", text).toStdString(); };
    AngleViewTexts t;
    t.angleAxis = look(QT_TRANSLATE_NOOP("AngleView", "kąt [°]"));
    t.pressureAxis = look(QT_TRANSLATE_NOOP("AngleView", "ciśnienie [MPa]"));
    t.temperatureAxis = look(QT_TRANSLATE_NOOP("AngleView", "temperatura [°C]"));
    t.firstCurve = look(QT_TRANSLATE_NOOP("AngleView", "pierwsza temperatura"));
    t.secondCurve = look(QT_TRANSLATE_NOOP("AngleView", "druga temperatura"));
    return t;
}

} // namespace lobus
