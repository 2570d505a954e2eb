#include "app/opencase.h"

#include "app/menuids.h"
#include "app/shellstate.h"
#include "datafiles/loadcase.h"
#include "gui/windowlayer.h"

#include <utility>

namespace lobus {

namespace {

constexpr const char* kReadErrorTitle = "Błąd odczytu";

void reportFailure(ShellState& state, const std::string& text)
{
    state.layer.WMESSAGEBOX(0, kIconError, 1, text, kReadErrorTitle);
}

} // namespace

void enableCaseCommands(ShellState& state)
{
    WindowLayer& w = state.layer;
    w.WMENUSETSTATE(kCmdSaveBitmap, kMenuEnabled, 1);
    w.WMENUSETSTATE(kCmdPrint, kMenuEnabled, 1);
    w.WMENUSETSTATE(kCmdDrawingScale, kMenuEnabled, 1);
    w.WMENUSETSTATE(kCmdPressureScale, kMenuEnabled, 1);
    if (state.variant() == 1)
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
    const int filter = state.variant() == 1 ? kFilterSolakoData : kFilterMerantData;

    // The names of the shown case stay until a new case is taken, so a
    // cancelled Open leaves the bitmap proposal and the status bar right.
    std::string datafile;
    w.WSELECTFILE(filter, 8, datafile, "Wybor zbioru danych");
    if (w.WINFODIALOG(4) != 1)
        return;

    // The case block carries over from case to case: what a file leaves
    // unread (a null value, the angle slots of wedges it does not have, the
    // temperature maximum of an isothermal case) keeps its value. Only the
    // result arrays start afresh.
    Case next;
    next.dane = state.shown.dane;
    next.dane.variant = state.variant();
    RYSUJ settings = state.rysuj; // receives the automatic maxima
    const LoadOutcome outcome = loadCase(datafile, next, settings, w, state.trace.get());
    if (outcome.end == PassEnd::Failed)
        reportFailure(state, outcome.report);
    // A result-file dialog cancelled in the reading pass: what was read
    // stands and is shown.
    if (!outcome.caseStands())
        return;

    state.shown = std::move(next);
    state.rysuj = settings;
    state.datafile = datafile;
    state.cisfile = outcome.cisfile;
    w.WINDOWOUTSTATUSBAR(1, trimTrailingBlanks(datafile));
    state.loaded = true;
    enableCaseCommands(state);
    redraw(state);
}

} // namespace lobus
