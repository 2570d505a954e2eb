#pragma once
// What the examining and reading passes need from the window layer: the
// warning box and the file-selection dialog. The passes get it handed in, so
// they run without a window (the command-line tool and the tests script it).

#include "datafiles/texts.h"

#include <string>

namespace lobus {

// Icon codes of WMESSAGEBOX as the program uses them.
enum MessageIcon : int {
    kIconError = 1,    // a failure the user must know about
    kIconQuestion = 2, // a question before something is replaced
    kIconWarning = 3,  // the icon of UWAGA's warnings
    kIconInformation = 4,
};

// Button codes of WMESSAGEBOX (WINFODIALOG(kInfoConfirmed) is 1 after OK or Yes).
enum MessageButtons : int {
    kButtonsOk = 0,
    kButtonsOkCancel = 1,
    kButtonsYesNo = 2,
    kButtonsYesNoCancel = 3,
    kButtonsRetryCancel = 4,
};

// The default button of WMESSAGEBOX: the first (OK, Yes) or the second (No).
enum MessageDefault : int {
    kDefaultFirst = 1,
    kDefaultSecond = 2,
};

// Flags of WSELECTFILE, added together.
enum SelectFileFlag : int {
    kSelectSave = 1,          // a file to write, not to read
    kSelectConfirm = 2,       // ask before an existing file is replaced
    kSelectMayBeNew = 4,      // the file need not exist
    kSelectKeepDirectory = 8, // the working directory stays where it was
};

// What WINFODIALOG tells.
enum DialogInfo : int {
    kInfoLastButton = 1, // the button that closed the last modal dialog
    kInfoConfirmed = 4,  // 1 when the last file, colour or message dialog was confirmed, 0 when cancelled
};

// Every method is pure: a window reading on a thread of its own hands each
// over to its window's thread through a proxy, which the build then makes
// sure covers every one.
class PassUi {
public:
    virtual ~PassUi() = default;

    // The layer's message box: button code, icon code, default button, text, title.
    virtual void WMESSAGEBOX(int buttons, int icon, int defaultButton, const std::string& text,
                             const std::string& title)
        = 0;

    // The file-selection dialog. `filter` is the number of a filter string,
    // `flags` SelectFileFlags added together. `name` goes in as the default
    // and comes back as the choice, changed only when the user confirms.
    virtual void WSELECTFILE(int filter, int flags, std::string& name, const std::string& title) = 0;

    // See DialogInfo; 0 for anything else.
    virtual int WINFODIALOG(int what) = 0;

    // A result file named before the pass looked for one, for the
    // file-selection filter that would ask for it (the command line's
    // --cis, --cha, --tem). When not empty it is used in place of the located
    // file, with no warning and no dialog.
    virtual std::string presetResultFile(int filter) = 0;
};

// The program's warning box: a single OK button, icon `kind`, title "UWAGA".
inline void UWAGA(PassUi& ui, int kind, const std::string& text)
{
    ui.WMESSAGEBOX(kButtonsOk, kind, kDefaultFirst, text, texts::translate("DataFiles", "UWAGA"));
}

} // namespace lobus
