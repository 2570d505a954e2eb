#pragma once
// The window program around the shell, as the two mains see it. The Qt
// window layer defines it (gui/windowprogram.cpp); the mains name only this
// declaration, so the shell's folder needs nothing from the window's.

#include "app/shell.h"
#include "app/windowlayer.h"

#include <functional>
#include <string>

namespace lobus {

// Runs a window program: reads the command line without a display (help,
// version and a bad command line print and end here, with status 0, 0 and 2),
// chooses the language, starts the Qt application and calls `run` with the
// window layer and the shell's options (the data file to open at start, the
// trace file); returns what `run` returns.
using ShellRun = std::function<int(WindowLayer& layer, const ShellOptions& options)>;
int runWindowProgram(int argc, char** argv, int variant, const ShellRun& run);

} // namespace lobus
