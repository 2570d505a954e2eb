#include "tests/support/cases.h"

#include "datafiles/state.h"
#include "examples/fortrantext.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace lobus::test {

using casegen::asReal;
using casegen::fixed;

namespace {

// What a reader makes of the texts the writer gives these numbers.
float writtenE(double v) { return asReal(casegen::fortranE(v, 5)); }
float writtenFixed(double v, int decimals) { return asReal(fixed(v, decimals)); }

casegen::Lobe makeLobe(const LobeLayout& layout, float peak, float inletTemp)
{
    casegen::Lobe l;
    l.start = writtenFixed(layout.start, 1);
    l.end = writtenFixed(layout.end, 1);
    l.kla = writtenFixed(layout.kla, 4);
    l.klb = writtenFixed(layout.klb, 4);
    const int n = layout.points;
    for (int j = 1; j <= n; ++j) {
        const double s = n > 1 ? static_cast<double>(j - 1) / (n - 1) : 1.0;
        const float angle = j == n ? l.end : static_cast<float>(l.start + (l.end - l.start) * s);
        l.angle.push_back(angle);
        l.pressure.push_back(writtenE(peak * (0.1 + 0.9 * std::sin(0.75 * std::numbers::pi * s))));
        l.temAngle.push_back(j == n ? static_cast<int>(std::ceil(l.end))
                                    : static_cast<int>(std::floor(angle)));
        l.tem1.push_back(writtenFixed(inletTemp + j, 2));
        l.tem2.push_back(writtenFixed(inletTemp + j + 2.0, 2));
    }
    return l;
}

// Where record n (from 1) begins.
std::size_t recordStart(const std::string& text, int n)
{
    std::size_t at = 0;
    for (int i = 1; i < n; ++i) {
        at = text.find('\n', at);
        if (at == std::string::npos)
            throw std::logic_error("the text has fewer than " + std::to_string(n) + " records");
        ++at;
    }
    return at;
}

// Where the record beginning at `at` ends, before its CR LF or LF.
std::size_t recordEnd(const std::string& text, std::size_t at)
{
    const std::size_t end = std::min(text.find('\n', at), text.size());
    return end > at && end < text.size() && text[end - 1] == '\r' ? end - 1 : end;
}

} // namespace

SolverCase handCase(std::string name, int variant, const std::vector<LobeLayout>& lobes, float peak,
                    float inletTemp)
{
    SolverCase c;
    c.bearing.name = std::move(name);
    c.bearing.description = "przypadek testowy";
    c.bearing.solver = variant == kVariantSolako ? casegen::Solver::SOLAKO : casegen::Solver::MERANT;
    c.bearing.lobes = static_cast<int>(lobes.size());
    c.bearing.inletTemp = inletTemp;
    casegen::Solution& s = c.solution;
    for (const LobeLayout& layout : lobes) {
        s.lobes.push_back(makeLobe(layout, peak, inletTemp));
        s.pmax = std::max(s.pmax, *std::ranges::max_element(s.lobes.back().pressure));
        if (variant == kVariantSolako)
            s.tmax = std::max(s.tmax, *std::ranges::max_element(s.lobes.back().tem2));
    }
    s.ekscen = writtenFixed(0.4, 4);
    s.katekscen = writtenFixed(250.0, 3);
    s.load = writtenE(1200.0);
    s.powerLoss = writtenE(35.0);
    s.flow = writtenE(2.0e-5);
    s.minFilm = writtenE(1.5e-5);
    s.sommerfeld = writtenE(0.8);
    return c;
}

std::vector<LobeLayout> evenLayout(int lobes, int points)
{
    std::vector<LobeLayout> layout;
    const float span = 360.0f / static_cast<float>(lobes);
    for (int k = 0; k < lobes; ++k) {
        const float start = span * static_cast<float>(k) + 5.0f;
        const float end = span * static_cast<float>(k + 1) - 5.0f;
        const double mid = (start + end) / 2.0 * std::numbers::pi / 180.0;
        layout.push_back({start, end, points, static_cast<float>(0.1 * std::cos(mid)),
                          static_cast<float>(0.1 * std::sin(mid))});
    }
    return layout;
}

SolverCase evenCase(std::string name, int lobes, int points, int variant)
{
    return handCase(std::move(name), variant, evenLayout(lobes, points));
}

int pointRecord(const SolverCase& c, int lobe, int point)
{
    int r = 9 + point; // after the file's header records
    for (int k = 1; k < lobe; ++k)
        r += static_cast<int>(c.lobe(k).angle.size()) + 5; // a block and the next one's header
    return r;
}

CaseText caseText(const SolverCase& c) { return casegen::caseText(c.bearing, c.solution); }

std::filesystem::path writeCase(const std::filesystem::path& root, const CaseText& text)
{
    return casegen::writeCase(text, root);
}

std::filesystem::path writeCase(const std::filesystem::path& root, const SolverCase& c)
{
    return writeCase(root, caseText(c));
}

std::string record(const std::string& text, int n)
{
    const std::size_t at = recordStart(text, n);
    return text.substr(at, recordEnd(text, at) - at);
}

void replaceRecord(std::string& text, int n, const std::string& records)
{
    const std::size_t at = recordStart(text, n);
    text.replace(at, recordEnd(text, at) - at, records);
}

void keepRecords(std::string& text, int n) { text.resize(recordStart(text, n + 1)); }

namespace {

// The header and the value records of `r`, one a line, replacing `count`
// records of `text` from record `first`.
void putValueRecord(std::string& text, int first, int count, const ValueRecord& r)
{
    std::string records = r.header + "\n";
    for (std::size_t i = 0; i < r.values.size(); ++i)
        records += (i > 0 && i == r.split ? "\n" : "  ") + r.values[i];
    const std::size_t at = recordStart(text, first);
    const std::size_t end = recordEnd(text, recordStart(text, first + count - 1));
    text.replace(at, end - at, records);
}

} // namespace

void setConditions(CaseText& text, const ValueRecord& r) { putValueRecord(text.dan, 13, 2, r); }

void setCharacteristics(CaseText& text, const ValueRecord& r) { putValueRecord(text.cha, 6, 2, r); }

void setTemperatureHeader(CaseText& text, const std::string& header) { replaceRecord(text.tem, 9, header); }

} // namespace lobus::test
