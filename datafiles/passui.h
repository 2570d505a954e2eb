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
};

// Button codes of WMESSAGEBOX (WINFODIALOG(4) is 1 after OK or Yes).
enum MessageButtons : int {
    kButtonsOk = 0,
    kButtonsYesNo = 2,
};

class PassUi {
public:
    virtual ~PassUi() = default;

    // The layer's message box: button code, icon code, default button, text, title.
    virtual void WMESSAGEBOX(int buttons, int icon, int defaultButton, const std::string& text,
                             const std::string& title)
        = 0;

    // The file-selection dialog. `filter` is the number of a filter string,
    // `flags` as the layer defines them (1 save, 2 confirm, 4 need not exist,
    // 8 keep the working directory). `name` goes in as the default and comes
    // back as the choice, changed only when the user confirms.
    virtual void WSELECTFILE(int filter, int flags, std::string& name, const std::string& title) = 0;

    // WINFODIALOG(4): 1 when the last file-selection, colour or message-box
    // dialog was confirmed, 0 when cancelled. WINFODIALOG(1): the button that
    // closed the last modal dialog.
    virtual int WINFODIALOG(int what) = 0;

    // A result file named before the pass looked for one, for the
    // file-selection filter that would ask for it (the command line's
    // --cis, --cha, --tem). When not empty it is used in place of the located
    // file, with no warning and no dialog. The window names none.
    virtual std::string presetResultFile(int filter)
    {
        (void)filter;
        return {};
    }
};

// The program's warning box: a single OK button, icon `kind`, title "UWAGA".
inline void UWAGA(PassUi& ui, int kind, const std::string& text)
{
    ui.WMESSAGEBOX(0, kind, 1, text, texts::translate("DataFiles", "UWAGA"));
}

} // namespace lobus
