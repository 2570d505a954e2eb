// lobus-solako: the viewer for the thermal solver's files (SOLAKO, variant 1),
// with temperatures and the temperature-scale command.

#include "app/shell.h"
#include "gui/dialoghooks.h"
#include "gui/qtwindowlayer.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    lobus::usePolishSystemDialogs();
    lobus::QtWindowLayer layer;
    return lobus::runLobus(layer, 1);
}
