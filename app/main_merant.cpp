// lobus: the viewer for the isothermal solver's files (MERANT, variant 2).

#include "app/shell.h"
#include "gui/dialoghooks.h"
#include "gui/qtwindowlayer.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    lobus::usePolishSystemDialogs();
    lobus::QtWindowLayer layer;
    return lobus::runLobus(layer, 2);
}
