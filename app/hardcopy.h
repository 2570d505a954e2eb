#pragma once
// The File menu's picture commands: Save bitmap (40003), Print (40004) and
// Export picture (40101).

#include <string>

namespace lobus {

struct ShellState;

// Proposes the data file's name with ".bmp", asks for the name (filter 50007,
// flags 11, "Zapisz mapę bitową") and writes the picture now shown. A bitmap
// that cannot be written is reported in a message box.
void saveBitmapCommand(ShellState& state);

// Checks 40004 while printing, selects the system printer, draws the picture
// once to it, finishes the printout, unchecks and redraws on the screen.
void printCommand(ShellState& state);

// Export picture (40101): proposes the data file's name ending in ".png",
// shows a save dialog that asks before overwriting, lets the layer ask how
// the picture is to be written (cancelled there, nothing is), and writes the picture as
// lobus-render writes it in the format of the chosen name's extension (.png,
// .svg or .pdf; any other name gets ".png"). A failed write is said in a box.
void exportPictureCommand(ShellState& state);

// `name` ending in .png, .svg or .pdf (in any case) as it is; any other name
// with ".png" added.
std::string pictureFileName(const std::string& name);

} // namespace lobus
