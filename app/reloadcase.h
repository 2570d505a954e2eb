#pragma once
// Reading the shown case again when the solver has written its files anew:
// nothing is asked and nothing greyed; the settings (scales, colours) stay.

namespace lobus {

struct ShellState;

// Reads the shown case's data file again and shows it, saying so in the
// status bar ("Przeczytano ponownie HH:MM:SS"). A reading that fails keeps
// the picture and says why in the status bar; a reading that would ask a
// question (a result file gone, the other solver's case) is not done, and the
// status bar says the case needs Open. No box comes up either way.
void reloadCase(ShellState& state);

} // namespace lobus
