// libFuzzer target for both passes over a case held in memory. The input is
// a control byte and up to five files, each after the separator byte 0x1E:
// the data file, the pressure, characteristics and temperature files, and the
// file a result-file dialog answers with. The case is loaded as every program
// loads it, from the memory files (no file is touched), so a run takes
// microseconds. A failure must come with the reading layer's numbered report
// or an allocation's; whatever is read must stay inside the arrays and be
// finite, and what the read record says must agree with the arrays.
//
// The control byte: bit 0 the thermal solver, bit 1 the solver recognised
// from the files instead, bits 2-4 the pressure, characteristics and
// temperature files present, bit 5 a trace, bits 6-7 the answers (OK or
// Cancel) of the first and of every further result-file dialog.

#include "datafiles/loadcase.h"
#include "datafiles/memoryfiles.h"
#include "datafiles/solver.h"
#include "datafiles/trace.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace lobus;

namespace {

constexpr char kSeparator = '\x1e';
const std::string kDan = "/P/DANE/F.dan";
const std::string kChosen = "/chosen.txt";

class FuzzUi : public PassUi {
public:
    explicit FuzzUi(std::uint8_t control) : m_control(control) { }
    void WMESSAGEBOX(int, int, int, const std::string& text, const std::string&) override
    {
        if (text.rfind("Brak zbioru ", 0) != 0)
            __builtin_trap();
    }
    void WSELECTFILE(int, int, std::string& name, const std::string&) override
    {
        m_ok = (m_control & (m_dialogs++ == 0 ? 0x40 : 0x80)) != 0;
        if (m_ok)
            name = kChosen;
    }
    int WINFODIALOG(int) override { return m_ok ? 1 : 0; }
    std::string presetResultFile(int) override { return {}; }

private:
    std::uint8_t m_control;
    int m_dialogs = 0;
    bool m_ok = false;
};

void check(const DANE& dane, const Results& results)
{
    for (int k = 1; k <= 6; ++k) {
        const float n = dane.ilcis(k);
        if (!std::isfinite(n) || n < 0 || n > static_cast<float>(results.ilkat))
            __builtin_trap();
        if (results.read.temLines[static_cast<std::size_t>(k - 1)] > results.ilkat)
            __builtin_trap();
    }
    for (int j = 1; j <= results.ilkat; ++j)
        for (int k = 1; k <= 6; ++k)
            if (!std::isfinite(results.katcis(k, j)) || !std::isfinite(results.cis(k, j))
                || !std::isfinite(results.tem1(k, j)) || !std::isfinite(results.tem2(k, j)))
                __builtin_trap();
    if (!results.read.nulls.empty()
        && results.read.nulls.size() != 6u * static_cast<std::size_t>(results.ilkat))
        __builtin_trap();
    // A temperature counts as read only on a line the .tem gave.
    const bool any = anyTemperatureRead(dane, results);
    if (any && (!dane.thermal() || dane.tmax == -9999.0f))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string_view parts[5];
    for (std::string_view& part : parts) {
        if (rest.empty() || rest.front() != kSeparator)
            break;
        rest.remove_prefix(1);
        const std::size_t end = rest.find(kSeparator);
        part = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    }

    MemoryFiles files;
    files.put(kDan, std::string(parts[0]));
    const char* extensions[] = {".cis", ".cha", ".tem"};
    for (int i = 0; i < 3; ++i)
        if (control & (4 << i))
            files.put(std::string("/P/WYN/F") + extensions[i], std::string(parts[i + 1]));
    files.put(kChosen, std::string(parts[4]));
    setThreadMemoryFiles(&files);

    Case c;
    c.dane.variant = (control & 1) ? kVariantSolako : kVariantMerant;
    if (control & 2) {
        const Solver solver = recogniseSolver(solverSigns(kDan));
        if (solver != Solver::Neither)
            c.dane.variant = static_cast<int>(solver);
    }
    Trace trace(4096);
    char* traceText = nullptr;
    std::size_t traceSize = 0;
    if (control & 0x20)
        trace.attach(open_memstream(&traceText, &traceSize));
    RYSUJ rysuj;
    FuzzUi ui(control);
    const LoadOutcome o = loadCase(kDan, c, rysuj, ui, trace.isOpen() ? &trace : nullptr);
    trace.close();
    std::free(traceText);
    setThreadMemoryFiles(nullptr);

    // A failure comes with the reading layer's numbered report, or says
    // what memory could not be had, nothing else.
    if (o.end == PassEnd::Failed && o.report.rfind("Error #", 0) != 0
        && o.report.rfind("Brak pamięci", 0) != 0)
        __builtin_trap();
    if (o.stage == LoadStage::Examining) {
        if (c.results.ilkat != 0) // the arrays are not touched before the examining pass completes
            __builtin_trap();
        return 0;
    }
    if (o.ilkat < 0 || c.dane.ikm > 6 || c.results.ilkat != o.ilkat)
        __builtin_trap();
    check(c.dane, c.results);
    return 0;
}
