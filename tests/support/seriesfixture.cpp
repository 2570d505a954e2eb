#include "tests/support/seriesfixture.h"

#include "tests/support/cases.h"

namespace lobus::test {

casegen::Bearing seriesBearing(std::string name, casegen::Solver solver, double speed, double ekscen)
{
    casegen::Bearing b;
    b.name = std::move(name);
    b.description = "seria testowa";
    b.solver = solver;
    b.speed = speed;
    b.ekscen = ekscen;
    b.points = 13;
    b.model = casegen::PressureModel::ShortBearing;
    return b;
}

SeriesFixture writeSeries(const std::filesystem::path& root)
{
    SeriesFixture f;
    // "n500" before "n1000": natural order, not the bytes'.
    const double speeds[] = {500.0, 1000.0, 2000.0, 4000.0};
    for (int i = 0; i < 4; ++i) {
        const casegen::Bearing b = seriesBearing("n" + std::to_string(int(speeds[i])),
                                                 casegen::Solver::MERANT, speeds[i], 0.5 - 0.08 * i);
        f.solved.push_back(casegen::solve(b));
        casegen::writeCase(b, f.solved.back(), root);
        f.names.push_back(b.name);
        f.speeds.push_back(speeds[i]);
    }
    const casegen::Bearing s = seriesBearing("solako", casegen::Solver::SOLAKO, 3000.0, 0.3);
    f.solako = casegen::solve(s);
    casegen::writeCase(s, f.solako, root);
    f.names.push_back(s.name);

    SolverCase broken = evenCase("zepsuty", 3, 5);
    CaseText text = caseText(broken);
    replaceRecord(text.cis, pointRecord(broken, 2, 3), "to nie liczba");
    writeCase(root, text);
    f.broken = broken.bearing.name;
    f.names.push_back(f.broken);
    return f;
}

} // namespace lobus::test
