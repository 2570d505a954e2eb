#include "app/hardcopy.h"

#include "app/bmpname.h"
#include "app/shellstate.h"
#include "app/windowlayer.h"
#include "datafiles/fileaccess.h"
#include "datafiles/fileidentity.h"
#include "datafiles/filereplace.h"
#include "datafiles/texts.h"
#include "resources/ids.h"

#include <cctype>

namespace lobus {

namespace {

// An output that is one of the shown case's files is refused with a box;
// nothing is written.
bool writesOverAnInput(ShellState& state, const std::string& output, const char* title)
{
    const auto input = inputWrittenOver(output, state.inputs);
    if (!input)
        return false;
    state.layer.WMESSAGEBOX(kButtonsOk, kIconError, kDefaultFirst, outputIsInputText(output, *input),
                            texts::translate("Shell", title));
    return true;
}

} // namespace

void saveBitmapCommand(ShellState& state)
{
    if (!state.loaded)
        return;
    WindowLayer& w = state.layer;
    state.bmpfile = trimTrailingBlanks(state.datafile);
    SPRNAZWAZBBMP(state.bmpfile);
    w.WSELECTFILE(kFilterBitmap, kSelectSave + kSelectConfirm + kSelectKeepDirectory, state.bmpfile,
                  texts::translate("Shell", "Zapisz mapę bitową"));
    if (w.WINFODIALOG(kInfoConfirmed) != 1)
        return;
    const std::string confirmed = trimTrailingBlanks(state.bmpfile);
    SPRNAZWAZBBMP(state.bmpfile);
    // The dialog asked before replacing the name it was given; a file that the
    // extension rule picks in its place is asked about here.
    if (state.bmpfile != confirmed && !fileMissing(state.bmpfile)) {
        w.WMESSAGEBOX(kButtonsYesNo, kIconQuestion, kDefaultSecond,
                      texts::fillIn(texts::translate("Shell", "Zbiór %1 już istnieje.\nCzy zastąpić go?"),
                                    {displayName(state.bmpfile)}),
                      texts::translate("Shell", "Zapisz mapę bitową"));
        if (w.WINFODIALOG(kInfoConfirmed) != 1)
            return;
    }
    if (writesOverAnInput(state, state.bmpfile, "Zapisz mapę bitową"))
        return;
    if (w.IGRSAVEIMAGE(state.bmpfile))
        return;
    const std::string reason = w.saveImageError();
    w.WMESSAGEBOX(kButtonsOk, kIconError, kDefaultFirst,
                  reason.empty()
                      ? texts::fillIn(texts::translate("Shell", "Nie można zapisać mapy bitowej %1"),
                                      {displayName(state.bmpfile)})
                      : texts::fillIn(texts::translate("Shell", "Nie można zapisać mapy bitowej %1:\n%2"),
                                      {displayName(state.bmpfile), reason}),
                  texts::translate("Shell", "Błąd zapisu"));
}

std::string pictureFileName(const std::string& name)
{
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of("/\\");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        std::string ext = name.substr(dot);
        for (char& ch : ext)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (ext == ".png" || ext == ".svg" || ext == ".pdf")
            return name;
    }
    return name + ".png";
}

void exportPictureCommand(ShellState& state)
{
    if (!state.loaded)
        return;
    WindowLayer& w = state.layer;
    std::string name = trimTrailingBlanks(state.datafile);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && name.find_first_of("/\\", dot) == std::string::npos)
        name.erase(dot);
    name += ".png";
    w.WSELECTFILE(kFilterPictures, kSelectSave + kSelectConfirm + kSelectKeepDirectory, name,
                  texts::translate("Shell", "Eksportuj rysunek"));
    if (w.WINFODIALOG(kInfoConfirmed) != 1 || !w.chooseExportOptions())
        return;
    name = pictureFileName(trimTrailingBlanks(name));
    if (writesOverAnInput(state, name, "Eksportuj rysunek"))
        return;
    std::string error;
    if (!w.exportPicture(name, state.shown, state.rysuj, error))
        w.WMESSAGEBOX(kButtonsOk, kIconError, kDefaultFirst,
                      texts::fillIn(texts::translate("Shell", "Nie można zapisać rysunku %1:\n%2"),
                                    {displayName(name), error}),
                      texts::translate("Shell", "Błąd zapisu"));
}

void printCommand(ShellState& state)
{
    if (!state.loaded)
        return;
    WindowLayer& w = state.layer;
    w.WMENUSETSTATE(kCmdPrint, kMenuChecked, 1);
    w.IGRHARDCOPYSELECT(kHardcopyOption, kHardcopyPrinter);
    w.IGRHARDCOPY(" ");
    drawCase(state);
    w.IGRHARDCOPY("S");
    w.WMENUSETSTATE(kCmdPrint, kMenuChecked, 0);
    redraw(state);
}

} // namespace lobus
