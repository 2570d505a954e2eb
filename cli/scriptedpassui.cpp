#include "cli/scriptedpassui.h"

namespace lobus {

void ScriptedPassUi::WMESSAGEBOX(int, int, int, const std::string& text, const std::string&)
{
    m_warnings.push_back(text);
    m_confirmed = true;   // its only button is OK
}

void ScriptedPassUi::WSELECTFILE(int filter, int, std::string& name, const std::string&)
{
    const std::string* choice = nullptr;
    switch (filter) {
    case 50003:
    case 50006:
        choice = &m_choices.cis;
        break;
    case 50002:
    case 50005:
        choice = &m_choices.cha;
        break;
    case 50008:
        choice = &m_choices.tem;
        break;
    default:
        break;
    }
    m_confirmed = choice != nullptr && !choice->empty();
    if (m_confirmed) {
        name = *choice;
        m_answered.push_back(filter);
    }
}

int ScriptedPassUi::WINFODIALOG(int what)
{
    if (what == 1)
        return m_confirmed ? 1 : 2;
    return m_confirmed ? 1 : 0;
}

} // namespace lobus
