#include "app/opencase.h"

#include "app/shellstate.h"
#include "app/windowlayer.h"
#include "datafiles/fileidentity.h"
#include "datafiles/filereplace.h"
#include "datafiles/loadcase.h"
#include "datafiles/readprogress.h"
#include "datafiles/solver.h"
#include "datafiles/texts.h"
#include "resources/ids.h"

#include <utility>

namespace lobus {

namespace {

void reportFailure(ShellState& state, const std::string& text)
{
    state.layer.WMESSAGEBOX(kButtonsOk, kIconError, kDefaultFirst, text,
                            texts::translate("Shell", "Błąd odczytu"));
}

// The other solver's case would be read with the wrong layout of its result
// files: named on the command line or dropped, it goes to the program that
// reads it. Otherwise, or when that program cannot be started, the box says
// whose case it is and which program reads it; after the file dialog it
// asks whether to open it there. True when the case was handed over.
bool handOverOtherSolver(ShellState& state, Solver solver, const std::string& datafile, bool fromDialog)
{
    const int other = solver == Solver::Solako ? kVariantSolako : kVariantMerant;
    if (!fromDialog && state.layer.startProgram(other, datafile, state.desktopStart))
        return true;
    const char* text = solver == Solver::Solako
        ? QT_TRANSLATE_NOOP("lobus",
                            "Zbiór %1 jest przypadkiem programu SOLAKO (z rozkładem temperatur). "
                            "Ten program czyta przypadki programu MERANT; "
                            "przypadek otworzy program lobus-solako.")
        : QT_TRANSLATE_NOOP("lobus",
                            "Zbiór %1 jest przypadkiem programu MERANT (bez rozkładu temperatur). "
                            "Ten program czyta przypadki programu SOLAKO; "
                            "przypadek otworzy program lobus.");
    std::string said = texts::fillIn(texts::translate("lobus", text), {displayName(datafile)});
    if (!fromDialog) {
        state.layer.WMESSAGEBOX(kButtonsOk, kIconWarning, kDefaultFirst, said,
                                texts::translate("DataFiles", "UWAGA"));
        return false;
    }
    said += texts::translate("lobus", " Otworzyć go teraz w tamtym programie?");
    state.layer.WMESSAGEBOX(kButtonsYesNo, kIconQuestion, kDefaultFirst, said,
                            texts::translate("DataFiles", "UWAGA"));
    if (state.layer.WINFODIALOG(kInfoConfirmed) != 1)
        return false;
    if (state.layer.startProgram(other, datafile, state.desktopStart))
        return true;
    reportFailure(state,
                  texts::fillIn(texts::translate("lobus", "Nie można uruchomić programu, który czyta %1."),
                                {displayName(datafile)}));
    return false;
}

} // namespace

void enableCaseCommands(ShellState& state)
{
    WindowLayer& w = state.layer;
    w.WMENUSETSTATE(kCmdSaveBitmap, kMenuEnabled, 1);
    w.WMENUSETSTATE(kCmdPrint, kMenuEnabled, 1);
    w.WMENUSETSTATE(kCmdDrawingScale, kMenuEnabled, 1);
    w.WMENUSETSTATE(kCmdPressureScale, kMenuEnabled, 1);
    if (state.variant() == kVariantSolako)
        w.WMENUSETSTATE(kCmdTemperatureScale, kMenuEnabled, 1);
    w.WMENUSETSTATE(kMenuColours, kMenuEnabled, 1);

    const int ikm = state.shown.dane.ikm;
    if (ikm < 0 || ikm > 6)
        return;
    for (int id = kCmdColourFirst; id <= kCmdColourLast; ++id)
        w.WMENUSETSTATE(id, kMenuEnabled, id <= kCmdColourFirst - 1 + ikm ? 1 : 0);
}

void openCommand(ShellState& state)
{
    WindowLayer& w = state.layer;
    const int filter = state.variant() == kVariantSolako ? kFilterSolakoData : kFilterMerantData;

    // The names of the shown case stay until a new case is taken, so a
    // cancelled Open leaves the bitmap proposal and the status bar right.
    std::string datafile;
    w.WSELECTFILE(filter, kSelectKeepDirectory, datafile, texts::translate("Shell", "Wybor zbioru danych"));
    if (w.WINFODIALOG(kInfoConfirmed) != 1)
        return;
    openDataFile(state, datafile, true);
}

bool openDataFile(ShellState& state, const std::string& datafile, bool fromDialog)
{
    WindowLayer& w = state.layer;
    // Read with the other solver's layout a case draws nonsense: refuse it
    // and keep what is shown. A case that cannot be told is read as ours.
    const Solver solver = recogniseSolver(solverSigns(datafile));
    if (solver != Solver::Neither && static_cast<int>(solver) != state.variant())
        return handOverOtherSolver(state, solver, trimTrailingBlanks(datafile), fromDialog);

    // The case block carries over from case to case: what a file leaves
    // unread (a null value, the angle slots of wedges it does not have, the
    // temperature maximum of an isothermal case) keeps its value. Only the
    // result arrays start afresh.
    Case next;
    next.dane = state.shown.dane;
    next.dane.variant = state.variant();
    RYSUJ settings = state.rysuj; // receives the automatic maxima
    LoadOutcome outcome;
    const bool finished
        = w.runLoad([&](PassUi& ui) { outcome = loadCase(datafile, next, settings, ui, state.trace.get()); },
                    expectedReadBytes(datafile, state.variant()));
    if (!finished)
        return false; // the user stopped it: the shown case stays, and there is nothing to report
    if (outcome.end == PassEnd::Failed)
        reportFailure(state, outcome.report);
    // A result-file dialog cancelled in the reading pass: what was read
    // stands and is shown.
    if (!outcome.caseStands())
        return false;
    const std::vector<std::string> inputs
        = {outcome.files.dan, outcome.files.cis, outcome.files.cha, outcome.files.tem};
    // The trace, written since the start, cannot also have been a file of the case.
    if (const auto input = inputWrittenOver(state.tracePath, inputs); input && state.trace) {
        reportFailure(state, outputIsInputText(state.tracePath, *input));
        return false;
    }

    // Kept until the new case is drawn: memory may still run out there.
    Case previous = std::move(state.shown);
    const RYSUJ previousSettings = state.rysuj;
    std::string previousData = std::move(state.datafile);
    std::string previousCis = std::move(state.cisfile);
    const bool previousLoaded = state.loaded;

    state.shown = std::move(next);
    state.rysuj = settings;
    state.datafile = datafile;
    state.cisfile = outcome.cisfile;
    w.WINDOWOUTSTATUSBAR(1, trimTrailingBlanks(datafile));
    state.loaded = true;
    enableCaseCommands(state);
    if (redraw(state)) {
        state.inputs = inputs;
        w.caseFiles(inputs);
        w.noteOpenedFile(state.datafile);
        // What the case lacks, said where the mouse's read-outs go.
        std::vector<std::string> notes = outcome.notes;
        for (std::string& note : pictureNotes(outcome.files, state.shown, state.rysuj))
            notes.push_back(std::move(note));
        std::string text;
        for (const std::string& note : notes)
            text += (text.empty() ? "" : "; ") + note;
        if (!text.empty())
            w.WINDOWOUTSTATUSBAR(2, texts::fillIn(texts::translate("Shell", "Uwaga: %1"), {text}));
        return false;
    }

    // The box has said what could not be drawn; the previous case comes back.
    state.shown = std::move(previous);
    state.rysuj = previousSettings;
    state.datafile = std::move(previousData);
    state.cisfile = std::move(previousCis);
    state.loaded = previousLoaded;
    w.WINDOWOUTSTATUSBAR(1, trimTrailingBlanks(state.datafile));
    if (state.loaded) {
        enableCaseCommands(state);
        redraw(state);
        return false;
    }
    for (int id :
         {kCmdDrawingScale, kCmdPressureScale, kCmdTemperatureScale, kMenuColours, kCmdSaveBitmap, kCmdPrint})
        w.WMENUSETSTATE(id, kMenuEnabled, 0);
    return false;
}

} // namespace lobus
