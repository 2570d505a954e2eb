#pragma once
// What the two window programs do around the shell: their command line
// (`lobus [--desktop] [FILE.dan]`, --help, --version, --lang pl|en), the
// language of the user interface and the Qt application with its window
// layer.

#include "app/program.h"
#include "translations/language.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lobus {

struct WindowCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString file;                     // the data file to open at start (absolute), or empty
    std::optional<Language> language; // --lang
    bool desktop = false;             // --desktop: the trace goes to desktopTracePath()
    QString text;                     // the help, version or error text to print
};

// The trace of a start from the desktop, whose working folder is the
// user's home or one not theirs: $XDG_STATE_HOME/lobus/wdr.txt
// (~/.local/state when the variable is unset or not absolute); the folder
// is made.
QString desktopTracePath();

// Parses the arguments (the program's name first). Needs a QCoreApplication
// for the help text's program name; prints nothing.
WindowCommandLine parseWindowCommandLine(const QStringList& arguments, int variant);

} // namespace lobus
