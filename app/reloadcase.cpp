#include "app/reloadcase.h"

#include "app/shellstate.h"
#include "app/windowlayer.h"
#include "datafiles/blanks.h"
#include "datafiles/filereplace.h"
#include "datafiles/loadcase.h"
#include "datafiles/readprogress.h"
#include "datafiles/solver.h"
#include "datafiles/texts.h"
#include "resources/ids.h"

#include <ctime>
#include <utility>

namespace lobus {

namespace {

// The passes' dialogs, answered without a window: every one is cancelled and
// remembered, as a question the reading would have had to ask. The result
// files are those the case was read from, chosen by hand at Open or not.
class NoQuestions : public PassUi {
public:
    explicit NoQuestions(const CaseFiles& files) : m_files(files) { }
    void WMESSAGEBOX(int, int, int, const std::string&, const std::string&) override { asked = true; }
    void WSELECTFILE(int, int, std::string&, const std::string&) override { asked = true; }
    int WINFODIALOG(int) override { return 0; }
    std::string presetResultFile(int filter) override
    {
        switch (filter) {
        case kFilterCisSolako:
        case kFilterCisMerant:
            return m_files.cis;
        case kFilterChaSolako:
        case kFilterChaMerant:
            return m_files.cha;
        case kFilterTemSolako:
            return m_files.tem;
        default:
            return {};
        }
    }
    bool asked = false;

private:
    CaseFiles m_files;
};

std::string clockNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    std::string text;
    for (int part : {local.tm_hour, local.tm_min, local.tm_sec}) {
        if (!text.empty())
            text += ':';
        text += static_cast<char>('0' + part / 10);
        text += static_cast<char>('0' + part % 10);
    }
    return text;
}

void say(ShellState& state, const std::string& text) { state.layer.WINDOWOUTSTATUSBAR(2, text); }

} // namespace

void reloadCase(ShellState& state)
{
    if (!state.loaded)
        return;
    const std::string datafile = state.datafile;
    const std::string needsOpen
        = texts::fillIn(texts::translate("Shell", "Zbiór %1 zmienił się; aby go przeczytać, użyj Otwórz"),
                        {displayName(trimTrailingBlanks(datafile))});
    const Solver solver = recogniseSolver(solverSigns(datafile));
    if (solver != Solver::Neither && static_cast<int>(solver) != state.variant()) {
        say(state, needsOpen);
        return;
    }

    Case next;
    next.dane = state.shown.dane;
    next.dane.variant = state.variant();
    RYSUJ settings = state.rysuj; // the automatic maxima read are not taken: the user's scales stay
    CaseFiles files;
    if (state.inputs.size() == 4)
        files = {state.inputs[0], state.inputs[1], state.inputs[2], state.inputs[3]};
    NoQuestions quiet(files);
    LoadOutcome outcome;
    if (!state.layer.runQuietly(
            [&] { outcome = loadCase(datafile, next, settings, quiet, state.trace.get()); },
            expectedReadBytes(datafile, files.cis, files.cha, files.tem)))
        return; // stopped by the user: the picture stays as it is
    if (outcome.end == PassEnd::Failed) {
        // One line: a taller status bar would shrink the picture.
        std::string report = outcome.report;
        for (char& c : report)
            if (c == '\n' || c == '\r')
                c = ' ';
        say(state, texts::fillIn(texts::translate("Shell", "Nie przeczytano ponownie: %1"), {report}));
        return;
    }
    if (quiet.asked || outcome.end != PassEnd::Completed) {
        say(state, needsOpen);
        return;
    }

    Case previous = std::move(state.shown);
    state.shown = std::move(next);
    if (!redraw(state)) {
        // The box has said what could not be drawn; the previous case comes back.
        state.shown = std::move(previous);
        redraw(state);
        return;
    }
    say(state, texts::fillIn(texts::translate("Shell", "Przeczytano ponownie %1"), {clockNow()}));
}

} // namespace lobus
