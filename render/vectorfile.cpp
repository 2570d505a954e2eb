#include "render/vectorfile.h"

#include <QPaintEngine>
#include <QPainter>

namespace lobus {

void abandonPainter(QPainter& painter)
{
    if (!painter.isActive())
        return;
    // An inactive engine is not asked to end: the painter only lets go of it.
    if (QPaintEngine* engine = painter.paintEngine())
        engine->setActive(false);
    painter.end();
}

} // namespace lobus
