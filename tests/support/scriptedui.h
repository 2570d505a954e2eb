#pragma once
// The passes' dialogs answered from a script, every call recorded: the
// message box, the file-selection dialog and what WINFODIALOG says of them.

#include "datafiles/passui.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace lobus::test {

class ScriptedUi : public PassUi {
public:
    struct Box {
        int buttons = 0;
        int icon = 0;
        int defaultButton = 0;
        std::string text;
        std::string title;
    };
    struct FileDialog {
        int filter = 0;
        int flags = 0;
        std::string name; // the default handed in
        std::string title;
    };

    // The next file dialog: confirmed with `name`, or cancelled (nullopt). A
    // file dialog with no answer left is a fault of the code under test.
    void answerFile(std::optional<std::string> name) { m_files.push_back(std::move(name)); }
    // The answers to the next message boxes (true: OK or Yes); none left means OK.
    std::deque<bool> boxAnswers;
    // What WINFODIALOG(4) says after another dialog (the window's colour dialog).
    void noteConfirmed(bool confirmed) { m_confirmed = confirmed; }
    // Every box's text, one a line.
    std::string boxTexts() const;

    std::vector<Box> boxes;
    std::vector<FileDialog> fileDialogs;

    void WMESSAGEBOX(int buttons, int icon, int defaultButton, const std::string& text,
                     const std::string& title) override;
    void WSELECTFILE(int filter, int flags, std::string& name, const std::string& title) override;
    int WINFODIALOG(int what) override { return what == 4 && m_confirmed ? 1 : 0; }
    std::string presetResultFile(int) override { return {}; }

private:
    std::deque<std::optional<std::string>> m_files;
    bool m_confirmed = false;
};

} // namespace lobus::test
