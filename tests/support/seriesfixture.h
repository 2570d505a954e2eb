#pragma once
// One series as an engineer's folder holds it, shared by the command-line and
// the window tests: MERANT cases of one bearing at rising speeds (the journal
// centre moving in as the speed rises), named so that natural order differs
// from byte order, then one SOLAKO case and one case whose pressure file is
// damaged. Written with the shared case writer into <root>/DANE + WYN.

#include "examples/casegen.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lobus::test {

struct SeriesFixture {
    std::vector<std::string> names;        // every case, in natural order
    std::vector<casegen::Solution> solved; // of the MERANT cases, in that order
    std::vector<double> speeds;            // of the MERANT cases
    casegen::Solution solako;
    std::string broken; // the name of the unreadable case
};

SeriesFixture writeSeries(const std::filesystem::path& root);

// A bearing of the series: the one whose cases it writes, at `speed` with
// the journal centre at `ekscen`; written again, it is the solver rewriting a case.
casegen::Bearing seriesBearing(std::string name, casegen::Solver solver, double speed, double ekscen);

} // namespace lobus::test
