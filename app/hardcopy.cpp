#include "app/hardcopy.h"

#include "app/bmpname.h"
#include "app/menuids.h"
#include "app/shellstate.h"
#include "datafiles/fileaccess.h"
#include "datafiles/filereplace.h"
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
    const std::string confirmed = trimTrailingBlanks(state.bmpfile);
    SPRNAZWAZBBMP(state.bmpfile);
    // The dialog asked before replacing the name it was given; a file that the
    // extension rule picks in its place is asked about here.
    if (state.bmpfile != confirmed && !fileMissing(state.bmpfile)) {
        w.WMESSAGEBOX(kButtonsYesNo, kIconQuestion, 2,
                      texts::fillIn(texts::translate("Shell", "Zbiór %1 już istnieje.\nCzy zastąpić go?"),
                                    {displayName(state.bmpfile)}),
                      texts::translate("Shell", "Zapisz mapę bitową"));
        if (w.WINFODIALOG(4) != 1)
            return;
    }
    if (w.IGRSAVEIMAGE(state.bmpfile))
        return;
    const std::string reason = w.saveImageError();
    w.WMESSAGEBOX(
        0, kIconError, 1,
        reason.empty()
            ? texts::fillIn(texts::translate("Shell", "Nie można zapisać mapy bitowej %1"), {state.bmpfile})
            : texts::fillIn(texts::translate("Shell", "Nie można zapisać mapy bitowej %1:\n%2"),
                            {displayName(state.bmpfile), reason}),
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
