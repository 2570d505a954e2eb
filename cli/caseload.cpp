#include "cli/caseload.h"

#include "datafiles/fileidentity.h"
#include "datafiles/filereplace.h"
#include "datafiles/loadcase.h"
#include "datafiles/resultlocation.h"
#include "datafiles/solver.h"
#include "datafiles/texts.h"
#include "datafiles/trace.h"
#include "resources/ids.h"

#include <algorithm>
#include <initializer_list>

namespace lobus {

namespace {

// The pass gave up after a warning box: the warning says which file is missing.
RenderLoad missing(const ScriptedPassUi& ui)
{
    RenderLoad o;
    o.status = kExitMissingFile;
    o.message = ui.warnings().empty() ? texts::translate("lobus::Render", "nie wybrano zbioru wyników")
                                      : ui.warnings().back();
    return o;
}

void noteUnused(const LoadRequest& r, const ScriptedPassUi& ui, RenderLoad& o)
{
    // Whether the pass asked for a file with one of these filters.
    const auto asked = [&](std::initializer_list<int> filters) {
        const auto& v = ui.answered();
        return std::find_first_of(v.begin(), v.end(), filters.begin(), filters.end()) != v.end();
    };
    const struct {
        const std::string& file;
        const char* option;
        bool used;
    } all[] = {
        {r.choices.cis, "--cis", asked({kFilterCisSolako, kFilterCisMerant})},
        {r.choices.cha, "--cha", asked({kFilterChaSolako, kFilterChaMerant})},
        {r.choices.tem, "--tem", asked({kFilterTemSolako})},
    };
    for (const auto& a : all)
        if (!a.file.empty() && !a.used)
            o.notes.push_back(texts::fillIn(
                texts::translate("lobus::Render", "%1 %2 pominięto: przypadek nie ma takiego zbioru wyników"),
                {a.option, a.file}));
}

} // namespace

std::vector<std::string> requestInputs(const LoadRequest& request)
{
    const ResultLocation loc = locateResults(request.dataFile);
    const auto result = [&](const std::string& named, const char* extension) {
        return !named.empty() ? named : loc.projectDir ? loc.path(extension) : std::string();
    };
    return {request.dataFile, result(request.choices.cis, ".cis"), result(request.choices.cha, ".cha"),
            result(request.choices.tem, ".tem")};
}

RenderLoad loadForRender(const LoadRequest& request, Case& c, RYSUJ& rysuj)
{
    RenderLoad outcome;
    const std::vector<std::string> inputs = requestInputs(request);
    std::vector<std::string> outputs = request.outputs;
    outputs.push_back(request.tracePath);
    for (const std::string& output : outputs)
        if (const auto input = inputWrittenOver(output, inputs)) {
            outcome.status = kExitUsage;
            outcome.message = outputIsInputText(output, *input);
            return outcome;
        }

    ScriptedPassUi ui(request.choices);
    Trace trace;
    Trace* tracePtr = nullptr;
    if (!request.tracePath.empty()) {
        if (!trace.open(request.tracePath)) {
            outcome.status = kExitReadFailed;
            outcome.message
                = texts::fillIn(texts::translate("lobus::Render", "Nie można utworzyć zbioru śladu %1: %2"),
                                {displayName(request.tracePath), trace.error()});
            return outcome;
        }
        tracePtr = &trace;
    }

    c.dane.variant = request.variant;
    if (c.dane.variant == 0) {
        const Solver solver
            = recogniseSolver(solverSigns(request.dataFile, request.choices.cha, request.choices.tem));
        c.dane.variant = solver == Solver::Neither ? kVariantMerant : static_cast<int>(solver);
    }
    const LoadOutcome loaded = loadCase(request.dataFile, c, rysuj, ui, tracePtr);
    if (loaded.end == PassEnd::Cancelled)
        return missing(ui);
    if (loaded.end == PassEnd::Failed) {
        outcome.status = kExitReadFailed;
        outcome.message = loaded.report;
        return outcome;
    }
    trace.close();
    if (tracePtr && !trace.good()) {
        outcome.status = kExitReadFailed;
        outcome.message = texts::fillIn(
            texts::translate("lobus::Render", "Nie udało się zapisać w całości zbioru śladu %1: %2"),
            {displayName(request.tracePath), trace.error()});
        return outcome;
    }
    outcome.notes = loaded.notes;
    outcome.files = loaded.files;
    noteUnused(request, ui, outcome);
    return outcome;
}

} // namespace lobus
