#pragma once
// The File menu's picture commands: Save bitmap (40003) and Print (40004).

namespace lobus {

struct ShellState;

// Proposes the data file's name with ".bmp", asks for the name (filter 50007,
// flags 11, "Zapisz mapę bitową") and writes the picture now shown. A bitmap
// that cannot be written is reported in a message box.
void saveBitmapCommand(ShellState& state);

// Checks 40004 while printing, selects the system printer, draws the picture
// once to it, finishes the printout, unchecks and redraws on the screen.
void printCommand(ShellState& state);

} // namespace lobus
