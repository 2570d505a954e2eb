#pragma once
// What the application shell owns between messages: the settings, the shown
// case with its result arrays, the file names and the trace file. The command
// handlers take it by reference; nothing else reaches it.

#include "datafiles/blanks.h"
#include "datafiles/state.h"

#include <memory>
#include <string>
#include <vector>

namespace lobus {

class Trace;
class WindowLayer;

struct ShellState {
    ShellState(WindowLayer& layer, int variant);
    ~ShellState();
    ShellState(const ShellState&) = delete;
    ShellState& operator=(const ShellState&) = delete;

    WindowLayer& layer;
    RYSUJ rysuj;                     // the drawing settings
    Case shown;                      // the case on the screen; dane.variant is the program's variant
    bool loaded = false;             // a case has been read; never goes back
    std::string datafile;            // the data file of the shown case
    std::string cisfile;             // its pressure file
    std::vector<std::string> inputs; // every file it was read from: no output is written over one
    std::string bmpfile;             // the last bitmap name proposed or chosen
    std::unique_ptr<Trace> trace;    // null when running without a trace
    std::string tracePath;           // where the trace is written
    bool drawFailed = false;         // the last drawing ran out of memory and said so
    bool desktopStart = false;       // started from the desktop: a program it starts is too

    int variant() const { return shown.dane.variant; }
};

// Draws the shown case on the layer's graphics when one is loaded; before the
// first case it draws nothing. False when memory ran out while drawing.
bool redraw(ShellState& state);

// Draws the shown case whatever device the graphics now has (the printer
// during a printout). When memory runs out the box says what could not be
// drawn, once until a drawing succeeds again (a box over the window brings an
// expose, which must not bring another box), and false is returned.
bool drawCase(ShellState& state);

} // namespace lobus
