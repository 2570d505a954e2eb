#include "tests/support/scriptedui.h"

#include <stdexcept>

namespace lobus::test {

std::string ScriptedUi::boxTexts() const
{
    std::string all;
    for (const Box& b : boxes)
        all += b.text + "\n";
    return all;
}

void ScriptedUi::WMESSAGEBOX(int buttons, int icon, int defaultButton, const std::string& text,
                             const std::string& title)
{
    boxes.push_back({buttons, icon, defaultButton, text, title});
    m_confirmed = true;
    if (!boxAnswers.empty()) {
        m_confirmed = boxAnswers.front();
        boxAnswers.pop_front();
    }
}

void ScriptedUi::WSELECTFILE(int filter, int flags, std::string& name, const std::string& title)
{
    fileDialogs.push_back({filter, flags, name, title});
    if (m_files.empty())
        throw std::logic_error("unexpected file dialog: " + title);
    const std::optional<std::string> answer = m_files.front();
    m_files.pop_front();
    m_confirmed = answer.has_value();
    if (answer)
        name = *answer;
}

} // namespace lobus::test
