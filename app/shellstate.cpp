#include "app/shellstate.h"

#include "datafiles/trace.h"
#include "drawing/rysunek.h"
#include "gui/windowlayer.h"

namespace lobus {

ShellState::ShellState(WindowLayer& l, int variant) : layer(l) { shown.dane.variant = variant; }

// Out of line so that Trace is complete where the unique_ptr deletes it.
ShellState::~ShellState() = default;

void drawCase(ShellState& state)
{
    RYSUNEK(state.layer.graphics(), state.shown, state.rysuj);
    state.layer.caseDrawn(state.shown, state.rysuj, state.datafile);
}

void redraw(ShellState& state)
{
    if (state.loaded)
        drawCase(state);
}

std::string trimTrailingBlanks(const std::string& name)
{
    const auto last = name.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : name.substr(0, last + 1);
}

} // namespace lobus
