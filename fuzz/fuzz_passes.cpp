// libFuzzer target for both passes over a case tree. The input gives the
// variant, the dialog answers and the contents of the data, pressure,
// characteristics and temperature files, written to a scratch tree in the
// DANE/ + WYN/ layout, and loaded as every program loads a case. A failure
// must come with the reading layer's numbered report; whatever is read must
// stay inside the arrays and be finite.

#include "datafiles/loadcase.h"
#include "datafiles/trace.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace lobus;

namespace {

class FuzzUi : public PassUi {
public:
    explicit FuzzUi(FuzzedDataProvider& fdp, std::string other) : m_fdp(fdp), m_other(std::move(other)) { }
    void WMESSAGEBOX(int, int, int, const std::string& text, const std::string&) override
    {
        if (text.rfind("Brak zbioru ", 0) != 0)
            __builtin_trap();
    }
    void WSELECTFILE(int, int, std::string& name, const std::string&) override
    {
        m_ok = m_fdp.ConsumeBool();
        if (m_ok)
            name = m_other;
    }
    int WINFODIALOG(int) override { return m_ok ? 1 : 0; }
    std::string presetResultFile(int) override { return {}; }

private:
    FuzzedDataProvider& m_fdp;
    std::string m_other;
    bool m_ok = false;
};

const std::filesystem::path& root()
{
    static const std::filesystem::path r
        = std::filesystem::temp_directory_path() / ("lobus-fuzz-passes-" + std::to_string(::getpid()));
    return r;
}

void put(const std::filesystem::path& p, const std::string& bytes, bool present)
{
    std::error_code ec;
    std::filesystem::remove(p, ec);
    if (!present)
        return;
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

void check(const DANE& dane, const Results& results)
{
    for (int k = 1; k <= 6; ++k) {
        const float n = dane.ilcis(k);
        if (!std::isfinite(n) || n < 0 || n > static_cast<float>(results.ilkat))
            __builtin_trap();
    }
    for (int j = 1; j <= results.ilkat; ++j)
        for (int k = 1; k <= 6; ++k)
            if (!std::isfinite(results.katcis(k, j)) || !std::isfinite(results.cis(k, j))
                || !std::isfinite(results.tem1(k, j)) || !std::isfinite(results.tem2(k, j)))
                __builtin_trap();
}

std::string headers(int n, const char* eol)
{
    std::string t;
    for (int i = 0; i < n; ++i)
        t += std::string("naglowek") + eol;
    return t;
}

// A well-formed case whose shape the fuzzer chooses (wedge count, end
// angles, block lengths, cut-off points, line ends), so that the passes'
// deeper steps are reached; a random splice then damages one file.
void structured(FuzzedDataProvider& fdp, std::string& dan, std::string& cis, std::string& cha,
                std::string& tem)
{
    const char* eol = fdp.ConsumeBool() ? "\r\n" : "\n";
    const int ikm = fdp.ConsumeIntegralInRange<int>(-1, 7);
    std::vector<int> ends;
    dan = headers(13, eol) + "0.1 0.2 0.3 0.4 0.5 " + std::to_string(ikm) + eol + headers(2, eol);
    int angle = 0;
    for (int k = 0; k < std::max(ikm, 0); ++k) {
        dan += std::to_string(angle) + " ";
        angle += fdp.ConsumeIntegralInRange<int>(0, 90);
        ends.push_back(angle);
        dan += std::to_string(angle) + (fdp.ConsumeBool() ? " " : std::string(eol));
    }
    dan += std::string(eol) + headers(2, eol);
    for (int k = 0; k < std::max(ikm, 0); ++k)
        dan += "0.25 -0.5 ";
    dan += eol;

    cha = headers(6, eol) + "0.5 210 1 2 3 4 5 3.5e6" + eol;
    cis = headers(9, eol);
    tem = headers(9, eol);
    for (std::size_t k = 0; k < ends.size(); ++k) {
        if (k > 0) {
            cis += headers(5, eol);
            tem += headers(5, eol);
        }
        const int lines = fdp.ConsumeIntegralInRange<int>(0, 40);
        int a = ends[k] - lines;
        for (int j = 0; j < lines; ++j, ++a) {
            cis += std::to_string(a) + ".5 " + std::to_string(1000 * j) + eol;
            tem += std::to_string(a) + " " + std::to_string(40 + j) + ".5 " + std::to_string(41 + j) + eol;
        }
        if (fdp.ConsumeBool()) {
            cis += std::to_string(ends[k]) + " 0" + eol;
            tem += std::to_string(ends[k]) + " 45 46" + eol;
        }
    }
    std::string* files[] = {&dan, &cis, &cha, &tem};
    std::string& target = *files[fdp.ConsumeIntegralInRange<int>(0, 3)];
    const std::size_t at = fdp.ConsumeIntegralInRange<std::size_t>(0, target.size());
    const std::size_t cut = fdp.ConsumeIntegralInRange<std::size_t>(0, 8);
    target = target.substr(0, at) + fdp.ConsumeRandomLengthString(16)
        + target.substr(std::min(target.size(), at + cut));
    if (fdp.ConsumeBool())
        target.resize(fdp.ConsumeIntegralInRange<std::size_t>(0, target.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider fdp(data, size);
    const int variant = fdp.ConsumeBool() ? kVariantSolako : kVariantMerant;
    const std::uint8_t present = fdp.ConsumeIntegral<std::uint8_t>();
    std::string dan, cis, cha, tem;
    if (fdp.ConsumeBool()) {
        structured(fdp, dan, cis, cha, tem);
    } else {
        dan = fdp.ConsumeRandomLengthString(4096);
        cis = fdp.ConsumeRandomLengthString(8192);
        cha = fdp.ConsumeRandomLengthString(1024);
        tem = fdp.ConsumeRandomLengthString(8192);
    }

    const auto base = root() / "P";
    std::filesystem::create_directories(base / "DANE");
    std::filesystem::create_directories(base / "WYN");
    put(base / "DANE" / "F.dan", dan, true);
    put(base / "WYN" / "F.cis", cis, (present & 2) != 0);
    put(base / "WYN" / "F.cha", cha, (present & 4) != 0);
    put(base / "WYN" / "F.tem", tem, (present & 8) != 0);
    // What a user picks in a dialog: another copy of the file asked for is
    // not known here, so the choice is the pressure file's bytes.
    put(root() / "chosen.txt", (present & 16) ? cis : tem, true);

    FuzzUi ui(fdp, (root() / "chosen.txt").string());
    Trace trace(4096);
    if (present & 32)
        trace.open((root() / "wdr.txt").string());
    Case c;
    c.dane.variant = variant;
    RYSUJ rysuj;
    const LoadOutcome o
        = loadCase((base / "DANE" / "F.dan").string(), c, rysuj, ui, trace.isOpen() ? &trace : nullptr);
    // A failure comes with the reading layer's numbered report, nothing else.
    if (o.end == PassEnd::Failed && o.report.rfind("Error #", 0) != 0)
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
