#pragma once
// The benchmarks' cases: what the reading passes would fill from the
// generator's files, made directly from its solution (no files), kept for
// the whole run; and the stand-in for the window the passes get when a
// benchmark reads the generator's files.

#include "datafiles/passui.h"
#include "datafiles/state.h"
#include "examples/casegen.h"

#include <algorithm>
#include <map>
#include <string>

namespace lobus::bench {

// The case of a generated bearing.
inline Case caseOf(const casegen::Bearing& bearing)
{
    const casegen::Solution s = casegen::solve(bearing);
    Case c;
    c.dane.variant = bearing.solver == casegen::Solver::SOLAKO ? kVariantSolako : kVariantMerant;
    c.dane.ikm = static_cast<int>(s.lobes.size());
    c.dane.ekscen = s.ekscen;
    c.dane.katekscen = s.katekscen;
    c.dane.pmax = s.pmax;
    c.dane.tmax = s.tmax;
    c.results.allocate(s.longestBlock());
    for (int k = 1; k <= c.dane.ikm; ++k) {
        const casegen::Lobe& lobe = s.lobes[static_cast<std::size_t>(k - 1)];
        c.dane.tabpsi(2 * k - 1) = lobe.start;
        c.dane.tabpsi(2 * k) = lobe.end;
        c.dane.tabkla(k) = lobe.kla;
        c.dane.tabklb(k) = lobe.klb;
        const int n = std::min(static_cast<int>(lobe.angle.size()), c.results.ilkat);
        c.dane.ilcis(k) = static_cast<float>(n);
        for (int j = 1; j <= n; ++j) {
            const auto i = static_cast<std::size_t>(j - 1);
            c.results.katcis(k, j) = lobe.angle[i];
            c.results.cis(k, j) = lobe.pressure[i];
            if (!lobe.tem1.empty()) {
                const std::size_t t = std::min(i, lobe.tem1.size() - 1);
                c.results.tem1(k, j) = lobe.tem1[t];
                c.results.tem2(k, j) = lobe.tem2[t];
            }
        }
    }
    return c;
}

// The generator's stress case of 6 lobes of `points` points, made once a run.
inline const Case& stress(int points)
{
    static std::map<int, Case> cases;
    auto it = cases.find(points);
    if (it == cases.end())
        it = cases.emplace(points, caseOf(casegen::stressCase(6, points))).first;
    return it->second;
}

// The passes never ask anything of a complete generated case: a warning
// throws (std::runtime_error naming it), a dialog is left as it is.
class NoDialogs : public PassUi {
public:
    void WMESSAGEBOX(int, int, int, const std::string& text, const std::string&) override;
    void WSELECTFILE(int, int, std::string&, const std::string&) override;
    int WINFODIALOG(int) override;
    std::string presetResultFile(int) override;
};

} // namespace lobus::bench
