#pragma once
// The main program of LOBUS as a function over a window layer: start-up, the
// one message loop and the end. The two programs call runLobus with their
// variant and the Qt window layer; the tests drive a Shell over a scripted one.

#include "app/shellstate.h"
#include "app/windowlayer.h"

#include <string>

namespace lobus {

struct ShellOptions {
    std::string tracePath = "wdr.txt"; // the trace file; relative to the working directory
    std::string openAtStart;           // a data file opened after start-up as Open opens it; empty: none
    // A start from the desktop: a trace that cannot be created is said in
    // the status bar, not in a box that would interrupt every start.
    bool quietTrace = false;
};

// "Graficzna interpretacja danych i wyników programu SOLAKO" for variant 1,
// "... MERANT" otherwise.
std::string windowTitle(int variant);

// The window record of the main window: options 47, centred, 80 % of the
// screen, menu 30001, the variant's title.
WindowRecord mainWindowRecord(int variant);

class Shell {
public:
    // variant 1: SOLAKO files (with temperatures), 2: MERANT files.
    Shell(WindowLayer& layer, int variant, ShellOptions options = {});
    ~Shell();

    // Starts the layer, opens the main window and the trace file, loads the
    // dialogs, sets the defaults and disables the commands that need a case.
    // When the trace file cannot be created, says so once and goes on without.
    // False when the window could not be opened: nothing else is done then.
    bool startUp();

    // Waits for one message and handles it completely; false once the
    // program has ended (Exit or the close box).
    bool step();

    // Handles one message already received; false when it ended the program.
    bool handle(int itype, const Message& msg);

    // startUp, the data file to open at start if any, then step until the
    // end; returns the exit status (0; 1 when the window could not be opened).
    int run();

    const ShellState& state() const { return m_state; }
    bool ended() const { return m_ended; }

private:
    void command(int id);
    // A trace that failed to write is reported once, in the box of a trace
    // that cannot be created, and the program goes on without it; after
    // every way a case is opened.
    void dropFailedTrace();
    void end();

    ShellState m_state;
    ShellOptions m_options;
    int m_variant;
    bool m_ended = false;
};

// The whole program: a Shell over `layer` run to its end.
int runLobus(WindowLayer& layer, int variant, const ShellOptions& options = {});

} // namespace lobus
