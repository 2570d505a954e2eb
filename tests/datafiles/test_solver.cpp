#include "datafiles/solver.h"
#include "datafiles/state.h"
#include "tests/support/cases.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

namespace lobus::test {
namespace {

TEST(Solver, TheBundledExamplesAreTold)
{
    const struct {
        const char* name;
        Solver solver;
    } examples[] = {
        {"merant3", Solver::Merant},
        {"cytryna2", Solver::Merant},
        {"solako4", Solver::Solako},
        {"solako3w", Solver::Solako},
    };
    for (const auto& e : examples) {
        const std::string dan = std::string(LOBUS_EXAMPLES_DIR) + "/DANE/" + e.name + ".dan";
        EXPECT_EQ(recogniseSolver(solverSigns(dan)), e.solver) << e.name;
    }
}

// Record 7 of the characteristics file and the temperature file on the
// edges of the rule: eight values are the thermal solver's with or without
// the .tem (a missing one is then reported as missing); six values are the
// isothermal solver's only without one.
TEST(Solver, ACaseOnTheEdgesOfTheRuleIsTold)
{
    const struct {
        const char* record7; // after the 6 header records
        bool tem;
        Solver solver;
    } cases[] = {
        {"0.4 311 1 2 3 6.9e6", false, Solver::Merant},
        {"0.4 311 1 2 3 4 5 6.9e6", true, Solver::Solako},
        {"0.4 311 1 2 3 4 5 6.9e6\r", true, Solver::Solako},
        {"0.4 311 1 2 3 4 6.9e6", false, Solver::Neither},
        {"0.4 311 1 2 3 4 6.9e6", true, Solver::Neither},
        {"0.4 311 1 2 3 4 5 6.9e6", false, Solver::Solako}, // the thermal record without its .tem
        {"0.4 311 1 2 3 6.9e6", true, Solver::Neither},     // a stray .tem beside the isothermal record
        {"0.4 311 1 2 3 4 5 6 6.9e6", true, Solver::Neither},
        {"0.4 311 1 2\n3 4 5 6.9e6", true, Solver::Neither},  // values that run over into record 8
        {"0.4, 311, 3*0.0, 2*, 6.9e6", true, Solver::Solako}, // repeats and nulls count as a read takes them
        {",,,,,6.9e6", false, Solver::Merant},
        {"0.4 311 1 2 3 6.9e6 / 7 8", false, Solver::Merant}, // a slash ends the values
        {"0.4 311 1 2 3 x", false, Solver::Merant},           // nothing is decoded here
    };
    TempDir dir;
    CaseText files = caseText(evenCase("E", 1, 5, kVariantSolako));
    const std::string dan = writeCase(dir.path() / "P", files).string();
    const std::string tem = (dir.path() / "P/WYN/E.tem").string();
    for (const auto& c : cases) {
        std::string cha = files.cha;
        replaceRecord(cha, 7, c.record7);
        dir.write("P/WYN/E.cha", cha);
        std::filesystem::remove(tem);
        if (c.tem)
            dir.write("P/WYN/E.tem", files.tem);
        EXPECT_EQ(recogniseSolver(solverSigns(dan)), c.solver) << c.record7 << (c.tem ? " with .tem" : "");
    }

    // Anything under the .tem name is there: the reading pass says what it is.
    std::filesystem::remove(tem);
    std::filesystem::create_directory(tem);
    replaceRecord(files.cha, 7, "0.4 311 1 2 3 6.9e6");
    dir.write("P/WYN/E.cha", files.cha);
    EXPECT_TRUE(solverSigns(dan).temFile);
    EXPECT_EQ(recogniseSolver(solverSigns(dan)), Solver::Neither);
    std::filesystem::remove(tem);

    // A characteristics file that cannot be read is no sign of either.
    dir.write("P/WYN/E.cha", "1\n2\n3\n");
    EXPECT_EQ(solverSigns(dan).chaValues, -1);
    std::filesystem::remove(dir.path() / "P/WYN/E.cha");
    EXPECT_EQ(recogniseSolver(solverSigns(dan)), Solver::Neither);
    // Files named in place of the case's own are the ones looked at.
    const std::string other = dir.write("elsewhere/x.cha", caseText(evenCase("x", 1, 5)).cha);
    EXPECT_EQ(recogniseSolver(solverSigns(dan, other)), Solver::Merant);
    EXPECT_EQ(recogniseSolver(solverSigns(dan, other, other)), Solver::Neither) << "a .tem is named";
}

} // namespace
} // namespace lobus::test
