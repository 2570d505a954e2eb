#pragma once
// What the two window programs do around the shell: their command line
// (`lobus [FILE.dan]`, --help, --version, --lang pl|en), the language of the
// user interface and the Qt application with its window layer.

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
    QString text;                     // the help, version or error text to print
};

// Parses the arguments (the program's name first). Needs a QCoreApplication
// for the help text's program name; prints nothing.
WindowCommandLine parseWindowCommandLine(const QStringList& arguments, int variant);

} // namespace lobus
