#include "app/hardcopy.h"

#include "app/bmpname.h"
#include "app/menuids.h"
#include "app/shellstate.h"
#include "datafiles/texts.h"
#include "gui/windowlayer.h"

namespace lobus {

void saveBitmapCommand(ShellState& state)
{
    if (!state.loaded)
        return;
    WindowLayer& w = state.layer;
    state.bmpfile = trimTrailingBlanks(state.datafile);
    SPRNAZWAZBBMP(state.bmpfile);
    w.WSELECTFILE(kFilterBitmap, 11, state.bmpfile, texts::translate("Shell", "Zapisz mapę bitową"));
    if (w.WINFODIALOG(4) != 1)
        return;
    SPRNAZWAZBBMP(state.bmpfile);
    if (!w.IGRSAVEIMAGE(state.bmpfile))
        w.WMESSAGEBOX(
            0, kIconError, 1,
            texts::fillIn(texts::translate("Shell", "Nie można zapisać mapy bitowej %1"), {state.bmpfile}),
            texts::translate("Shell", "Błąd zapisu"));
}

void printCommand(ShellState& state)
{
    if (!state.loaded)
        return;
    WindowLayer& w = state.layer;
    w.WMENUSETSTATE(kCmdPrint, kMenuChecked, 1);
    w.IGRHARDCOPYSELECT(1, 10);
    w.IGRHARDCOPY(" ");
    drawCase(state);
    w.IGRHARDCOPY("S");
    w.WMENUSETSTATE(kCmdPrint, kMenuChecked, 0);
    redraw(state);
}

} // namespace lobus
