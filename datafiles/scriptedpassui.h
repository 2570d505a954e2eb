#pragma once
// The window layer of the passes as the command line plays it: no dialog is
// ever shown. A result file named on the command line is used in place of
// the located one, as if the user had picked it; a file-selection dialog is
// otherwise cancelled. The warning box's text is kept so that the command can
// print it when the pass then gave up.

#include "datafiles/passui.h"

#include <string>
#include <vector>

namespace lobus {

struct ResultFileChoices {
    std::string cis; // answers the .cis filters
    std::string cha; // the .cha filters
    std::string tem; // the .tem filter
};

class ScriptedPassUi : public PassUi {
public:
    explicit ScriptedPassUi(ResultFileChoices choices) : m_choices(std::move(choices)) { }

    void WMESSAGEBOX(int buttons, int icon, int defaultButton, const std::string& text,
                     const std::string& title) override;
    void WSELECTFILE(int filter, int flags, std::string& name, const std::string& title) override;
    int WINFODIALOG(int what) override;
    std::string presetResultFile(int filter) override;

    // Texts of the warning boxes shown so far, oldest first.
    const std::vector<std::string>& warnings() const { return m_warnings; }
    // Filters for which a named result file was used.
    const std::vector<int>& answered() const { return m_answered; }

private:
    const std::string* choiceFor(int filter) const;

    ResultFileChoices m_choices;
    std::vector<std::string> m_warnings;
    std::vector<int> m_answered;
    bool m_confirmed = false;
};

} // namespace lobus
