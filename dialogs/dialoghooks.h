#pragma once
// The system dialogs the window layer opens: file selection, colour choice,
// message box and print set-up. Each is a replaceable function so that the
// tests (and any scripted run) can answer them without a person; an empty
// function means the real Qt dialog.

#include "datafiles/passui.h"
#include "dialogs/exportdialog.h"

#include <QColor>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace lobus {

struct FileRequest {
    QString title;
    QString filter;        // Qt form: "Desc (*.x)" entries joined by ";;"
    QString initial;       // the default name handed in
    bool save = false;     // a save dialog, else an open dialog
    bool confirm = false;  // ask before overwriting (save) or creating (open)
    bool mustExist = true; // an open dialog whose file must exist
    bool folder = false;   // selectFiles: one folder rather than files
};

struct MessageBoxRequest {
    int buttons = kButtonsOk; // MessageButtons
    int icon = 0;             // MessageIcon; 0: none
    int defaultButton = kDefaultFirst;
    QString text;
    QString title;
};

struct DialogHooks {
    // The chosen path, or nullopt when cancelled.
    std::function<std::optional<QString>(QWidget* parent, const FileRequest&)> selectFile;
    // Existing files to open (or one folder, with `folder`); nullopt when cancelled.
    std::function<std::optional<QStringList>(QWidget* parent, const FileRequest&)> selectFiles;
    // The chosen colour, or nullopt when cancelled.
    std::function<std::optional<QColor>(QWidget* parent, QColor initial)> selectColour;
    // True when the box was confirmed (OK or Yes).
    std::function<bool(QWidget* parent, const MessageBoxRequest&)> messageBox;
    // Sets up the printer (or a PDF file); false when cancelled.
    std::function<bool(QWidget* parent, QPrinter& printer)> printSetup;
    // The size of a picture file, from the last choice, for a picture shown
    // at `shown`; nullopt when cancelled.
    std::function<std::optional<ExportChoice>(QWidget* parent, const ExportChoice& initial, QSize shown)>
        exportChoice;
};

// The real dialogs, used where a hook is empty.
std::optional<QString> systemSelectFile(QWidget* parent, const FileRequest& request);
std::optional<QStringList> systemSelectFiles(QWidget* parent, const FileRequest& request);
std::optional<QColor> systemSelectColour(QWidget* parent, QColor initial);
bool systemMessageBox(QWidget* parent, const MessageBoxRequest& request);
bool systemPrintSetup(QWidget* parent, QPrinter& printer);

// A warning box ("UWAGA") with `text`, through the hook when there is one.
void warningBox(const DialogHooks& hooks, QWidget* parent, const QString& text);

// A filter string of the string table ("Desc (*.x)|*.x|", the last character
// being the separator) in Qt's form ("Desc (*.x)"). A description without a
// pattern in brackets gets its pattern appended.
QString qtFileFilter(const QString& resourceFilter);

} // namespace lobus
