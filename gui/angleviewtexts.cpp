#include "gui/angleviewtexts.h"

#include <QCoreApplication>

namespace lobus {

AngleViewTexts angleViewTexts()
{
    auto tr = [](const char* text) { return QCoreApplication::translate("AngleView", text).toStdString(); };
    AngleViewTexts t;
    t.angleAxis = tr(QT_TRANSLATE_NOOP("AngleView", "kąt [°]"));
    t.pressureAxis = tr(QT_TRANSLATE_NOOP("AngleView", "ciśnienie [MPa]"));
    t.temperatureAxis = tr(QT_TRANSLATE_NOOP("AngleView", "temperatura [°C]"));
    t.firstCurve = tr(QT_TRANSLATE_NOOP("AngleView", "pierwsza temperatura"));
    t.secondCurve = tr(QT_TRANSLATE_NOOP("AngleView", "druga temperatura"));
    return t;
}

} // namespace lobus
