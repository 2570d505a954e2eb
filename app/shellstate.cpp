#include "app/shellstate.h"

#include "app/windowlayer.h"
#include "datafiles/filereplace.h"
#include "datafiles/texts.h"
#include "datafiles/trace.h"
#include "drawing/rysunek.h"
#include "resources/ids.h"

#include <new>

namespace lobus {

ShellState::ShellState(WindowLayer& l, int variant) : layer(l) { shown.dane.variant = variant; }

// Out of line so that Trace is complete where the unique_ptr deletes it.
ShellState::~ShellState() = default;

bool drawCase(ShellState& state)
{
    try {
        state.layer.drawPicture(
            [&](Graphics& g, PictureMemory& memory) { RYSUNEK(g, state.shown, state.rysuj, memory); });
        state.layer.caseDrawn(state.shown, state.rysuj, state.datafile);
    } catch (const std::bad_alloc&) {
        if (!state.drawFailed)
            state.layer.WMESSAGEBOX(
                kButtonsOk, kIconError, kDefaultFirst,
                texts::fillIn(texts::translate("lobus", "Brak pamięci na %1"),
                              {texts::fillIn(texts::translate("lobus", "rysunek zbioru %1"),
                                             {displayName(trimTrailingBlanks(state.datafile))})}),
                texts::translate("DataFiles", "UWAGA"));
        state.drawFailed = true;
        return false;
    }
    state.drawFailed = false;
    return true;
}

bool redraw(ShellState& state) { return !state.loaded || drawCase(state); }

} // namespace lobus
