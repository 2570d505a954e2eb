#pragma once
// The Open command (40002): choose a data file, run the examining and the
// reading pass into a new case, and show it.

#include <string>

namespace lobus {

struct ShellState;

// A case that the other solver wrote (datafiles/solver.h) is refused with a
// box (title "UWAGA") naming the program that reads it; nothing changes.
// The passes fill a new case and a copy of the settings (for the automatic
// maxima); the shell takes both only when the passes have ended. Cancelling
// the data-file or pressure-file dialog changes nothing. A reading failure is
// shown in a message box (title "Błąd odczytu") and everything stays as it
// was: the case, the picture, the file names, the menu states, the settings.
// A result-file dialog cancelled inside the reading pass keeps what was read.
void openCommand(ShellState& state);

// The rest of Open for a data file the user named another way (on the
// command line, by dropping it on the window, from the recent files): the
// same passes, dialogs and failure handling as after the file dialog. A
// case of the other solver is handed to the other program (after the file
// dialog: when the user asks for it in the refusal box); true then.
bool openDataFile(ShellState& state, const std::string& datafile, bool fromDialog = false);

// Enables the commands that need a case and the colour items of the wedges
// that exist, as after every completed Open.
void enableCaseCommands(ShellState& state);

} // namespace lobus
