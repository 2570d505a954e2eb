#pragma once
// What the two window programs do around the shell: their command line
// (`lobus [FILE.dan]`, --help, --version, --lang pl|en), the language of the
// user interface and the Qt application with its window layer.

#include "gui/language.h"
#include "gui/windowlayer.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

namespace lobus {

struct WindowCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString file;                     // the data file to open at start (absolute), or empty
    std::optional<Language> language; // --lang
    QString text;                     // the help, version or error text to print
};

// Parses the arguments (the program's name first). Needs a QCoreApplication
// for the help text's program name; prints nothing.
WindowCommandLine parseWindowCommandLine(const QStringList& arguments, int variant);

// Runs a window program: reads the command line without a display (help,
// version and a bad command line print and end here, with status 0, 0 and 2),
// chooses the language, starts the Qt application and calls `run` with the
// window layer and the data file to open at start (empty for none); returns
// what `run` returns.
using ShellRun = std::function<int(WindowLayer& layer, const std::string& fileToOpen)>;
int runWindowProgram(int argc, char** argv, int variant, const ShellRun& run);

} // namespace lobus
