#include "datafiles/scriptedpassui.h"

#include "resources/ids.h"

namespace lobus {

void ScriptedPassUi::WMESSAGEBOX(int, int, int, const std::string& text, const std::string&)
{
    m_warnings.push_back(text);
    m_confirmed = true; // its only button is OK
}

const std::string* ScriptedPassUi::choiceFor(int filter) const
{
    const std::string* choice = nullptr;
    switch (filter) {
    case kFilterCisSolako:
    case kFilterCisMerant:
        choice = &m_choices.cis;
        break;
    case kFilterChaSolako:
    case kFilterChaMerant:
        choice = &m_choices.cha;
        break;
    case kFilterTemSolako:
        choice = &m_choices.tem;
        break;
    default:
        break;
    }
    return choice;
}

std::string ScriptedPassUi::presetResultFile(int filter)
{
    const std::string* choice = choiceFor(filter);
    if (choice == nullptr || choice->empty())
        return {};
    m_answered.push_back(filter);
    return *choice;
}

// Every named file was used before a dialog could ask: nobody answers it.
void ScriptedPassUi::WSELECTFILE(int, int, std::string&, const std::string&) { m_confirmed = false; }

int ScriptedPassUi::WINFODIALOG(int what)
{
    if (what == 1)
        return m_confirmed ? 1 : 2;
    return m_confirmed ? 1 : 0;
}

} // namespace lobus
