#include "series/seriesread.h"

#include "datafiles/fileaccess.h"
#include "datafiles/loadcase.h"
#include "datafiles/scriptedpassui.h"
#include "datafiles/solver.h"
#include "datafiles/texts.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <system_error>
#include <thread>

namespace lobus {

namespace {

std::string absoluteName(const std::string& name)
{
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::absolute(pathFromUtf8(name), ec);
    return ec ? name : p.string();
}

void readInto(SeriesCase& sc)
{
    const std::string file = absoluteName(sc.file);
    auto c = std::make_shared<Case>();
    const Solver solver = recogniseSolver(solverSigns(file));
    c->dane.variant = solver == Solver::Neither ? kVariantMerant : static_cast<int>(solver);
    ScriptedPassUi ui({});
    const LoadOutcome o = loadCase(file, *c, sc.rysuj, ui, nullptr);
    sc.inputs.clear();
    for (const std::string* f : {&o.files.dan, &o.files.cis, &o.files.cha, &o.files.tem})
        if (!f->empty())
            sc.inputs.push_back(*f);
    if (sc.inputs.empty())
        sc.inputs.push_back(file);
    if (o.end == PassEnd::Failed) {
        sc.error = o.report;
        return;
    }
    if (o.end == PassEnd::Cancelled) {
        sc.error = ui.warnings().empty()
            ? texts::fillIn(texts::translate("lobus::Series", "%1: nie znaleziono zbioru wyników"), {sc.file})
            : ui.warnings().back();
        return;
    }
    sc.notes = o.notes;
    sc.figures = caseFigures(*c);
    sc.data = std::move(c);
    nameValues(sc);
}

} // namespace

void nameValues(SeriesCase& sc)
{
    sc.conditions.clear();
    sc.characteristics.clear();
    if (!sc.data)
        return;
    sc.conditions = sc.data->results.named.conditions;
    sc.characteristics = sc.data->results.named.characteristics;
}

SeriesCase readSeriesCase(const SeriesInput& input)
{
    SeriesCase sc;
    sc.file = input.file;
    sc.name = caseName(input.file);
    sc.error = input.error;
    if (!sc.error.empty())
        return sc;
    try {
        readInto(sc);
    } catch (const std::bad_alloc&) {
        sc.data.reset();
        sc.error = texts::fillIn(texts::translate("lobus", "Brak pamięci na %1"), {sc.file});
    }
    return sc;
}

Series readSeries(const std::vector<SeriesInput>& inputs, int threads, const std::atomic<bool>* cancel,
                  std::atomic<std::size_t>* done)
{
    Series series(inputs.size());
    std::atomic<std::size_t> next {0};
    const auto work = [&] {
        for (std::size_t i = next++; i < inputs.size(); i = next++) {
            if (cancel && cancel->load()) {
                series[i].file = inputs[i].file;
                series[i].name = caseName(inputs[i].file);
                series[i].error = texts::translate("lobus::Series", "przerwano czytanie serii");
            } else {
                series[i] = readSeriesCase(inputs[i]);
            }
            if (done)
                ++*done;
        }
    };
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    threads = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(threads), inputs.size()));
    std::vector<std::jthread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    return series;
}

} // namespace lobus
