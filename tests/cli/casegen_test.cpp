// The example-case generator: its Reynolds solver against the short-bearing
// limit, and the physical sense of the bundled cases.

#include "examples/casegen.h"
#include "examples/fortrantext.h"
#include "examples/reynolds.h"
#include "numbers/numberparse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace lobus::casegen {
namespace {

TEST(Reynolds, NarrowLobeApproachesTheShortBearingSolution)
{
    LobeFilm f;
    f.ex = 0.3;
    f.ey = -0.2;
    f.start = -2.5; // the pressure peak well inside, the film ruptures before the end
    f.end = 0.5;
    f.points = 121;
    f.diameterToWidth = 8.0; // L/D = 1/8: the width term dominates
    f.widthPoints = 21;
    const LobePressure fd = solveLobe(f, PressureModel::FiniteDifference);
    const LobePressure sb = solveLobe(f, PressureModel::ShortBearing);
    const double peak = *std::max_element(sb.midPlane.begin(), sb.midPlane.end());
    ASSERT_GT(peak, 0.0);
    // The short-bearing solution ignores the circumferential pressure flow,
    // which a narrow lobe makes small: away from the lobe's edges (where it
    // also ignores the boundary condition) peaks and loads agree within a
    // few percent, single points (near where the film ruptures) within 15 %.
    double sumFd = 0.0;
    double sumSb = 0.0;
    for (std::size_t i = 10; i + 10 < fd.angle.size(); ++i) {
        EXPECT_NEAR(fd.midPlane[i], sb.midPlane[i], 0.15 * peak) << "point " << i;
        sumFd += fd.midPlane[i];
        sumSb += sb.midPlane[i];
    }
    EXPECT_NEAR(*std::max_element(fd.midPlane.begin(), fd.midPlane.end()), peak, 0.05 * peak);
    EXPECT_NEAR(sumFd, sumSb, 0.05 * sumSb);
    EXPECT_EQ(fd.midPlane.front(), 0.0);
    EXPECT_EQ(fd.midPlane.back(), 0.0);
}

TEST(Reynolds, CentredJournalInAConcentricLobeCarriesNoPressure)
{
    LobeFilm f;
    f.start = 0.0;
    f.end = 2.0;
    f.points = 41;
    for (const PressureModel m : {PressureModel::FiniteDifference, PressureModel::ShortBearing}) {
        const LobePressure p = solveLobe(f, m);
        for (double v : p.midPlane)
            EXPECT_EQ(v, 0.0);
    }
}

TEST(FortranText, ExponentFormMatchesTheSolversOutput)
{
    EXPECT_EQ(fortranE(1234500.0, 5), "0.12345E+07");
    EXPECT_EQ(fortranE(0.0, 5), "0.00000E+00");
    EXPECT_EQ(fortranE(9.99996e5, 5), "0.10000E+07"); // rounding carries into the exponent
    EXPECT_EQ(fortranE(6e-5, 5), "0.60000E-04");
    EXPECT_EQ(fortranE(-2.5, 3), "-0.250E+01");
    EXPECT_EQ(fixed(-0.00001, 4), "0.0000"); // no negative zero in the files
    EXPECT_EQ(asReal("0.12345E+07"), 1234500.0f);
}

// What a solver's result must satisfy, lobe by lobe.
TEST(BundledExamples, ArePhysicallyPlausibleAndCloseEachBlockAtItsEndAngle)
{
    for (const Bearing& b : bundledExamples()) {
        SCOPED_TRACE(b.name);
        const Solution s = solve(b);
        ASSERT_EQ(static_cast<int>(s.lobes.size()), b.lobes);
        EXPECT_GT(s.ekscen, 0.0f);
        EXPECT_LT(s.ekscen + b.preload, 1.0);
        EXPECT_GE(s.katekscen, 0.0f);
        EXPECT_LT(s.katekscen, 360.0f);
        EXPECT_GT(s.load, 0.0f);
        EXPECT_GT(s.minFilm, 0.0f);
        EXPECT_LT(s.minFilm, b.clearance);
        EXPECT_GE(s.pmax, 1e6f);
        EXPECT_LE(s.pmax, 1e7f);

        float largest = 0.0f;
        for (const Lobe& l : s.lobes) {
            ASSERT_EQ(l.angle.size(), static_cast<std::size_t>(b.points));
            EXPECT_EQ(l.angle.back(), l.end);
            EXPECT_EQ(l.angle.front(), l.start);
            for (std::size_t i = 0; i + 1 < l.angle.size(); ++i) {
                EXPECT_LT(l.angle[i], l.angle[i + 1]);
                EXPECT_LT(l.angle[i], l.end);
            }
            // The lobe centre lies opposite the lobe, preload away.
            const double mid = 0.5 * (l.start + l.end) * 3.14159265358979 / 180.0;
            EXPECT_NEAR(l.kla, -b.preload * std::cos(mid), 1e-4);
            EXPECT_NEAR(l.klb, -b.preload * std::sin(mid), 1e-4);
            for (float p : l.pressure)
                EXPECT_GE(p, 0.0f);
            largest = std::max(largest, *std::max_element(l.pressure.begin(), l.pressure.end()));

            if (b.solver != Solver::SOLAKO) {
                EXPECT_TRUE(l.tem1.empty());
                continue;
            }
            ASSERT_EQ(l.temAngle.size(), l.angle.size());
            EXPECT_GE(l.temAngle.back(), l.end);
            for (std::size_t i = 0; i + 1 < l.temAngle.size(); ++i) {
                EXPECT_LT(l.temAngle[i], l.end);
                EXPECT_LE(l.tem1[i], l.tem1[i + 1]); // the film heats up along the lobe
            }
            EXPECT_FLOAT_EQ(l.tem1.front(), static_cast<float>(b.inletTemp));
            for (std::size_t i = 0; i < l.tem1.size(); ++i) {
                EXPECT_LE(l.tem1[i], 85.0f);
                EXPECT_LE(std::fabs(l.tem2[i] - l.tem1[i]), 10.0f);
            }
        }
        EXPECT_EQ(s.pmax, largest);
        if (b.solver == Solver::SOLAKO) {
            EXPECT_GE(s.tmax, 60.0f);
            EXPECT_LE(s.tmax, 85.0f);
        }
    }
}

// A fine grid (36 degree lobes of 800,000 points: steps below what four
// decimals or a REAL near the end angle resolve) still closes every block on
// its last line, as the reader parses the written angles.
TEST(StressCase, EveryBlockClosesOnItsLastLineAtAnySize)
{
    const Solution s = solve(stressCase(6, 800000));
    ASSERT_EQ(s.lobes.size(), 6u);
    for (const Lobe& l : s.lobes) {
        ASSERT_EQ(l.angle.size(), 800000u);
        float previous = -std::numeric_limits<float>::infinity();
        std::size_t early = 0;
        for (std::size_t i = 0; i < l.angle.size(); ++i) {
            ASSERT_GE(l.angle[i], previous) << "line " << i;
            previous = l.angle[i];
            if (i + 1 < l.angle.size() && l.angle[i] >= l.end)
                ++early;
        }
        // The written text reads back as these values: the lines next to the
        // end angle, where the grid is finest for a REAL, decide it.
        for (std::size_t i = l.angle.size() - 2000; i < l.angle.size(); ++i) {
            float read = 0.0f;
            ASSERT_EQ(parseReal(fixedReal(l.angle[i], 4), read), NumberStatus::Ok);
            ASSERT_EQ(read, l.angle[i]) << "line " << i;
        }
        EXPECT_EQ(early, 0u) << "lobe ending at " << l.end;
        EXPECT_GE(l.angle.back(), l.end);
        EXPECT_EQ(l.temAngle.size(), l.angle.size());
        EXPECT_LT(l.temAngle[l.temAngle.size() - 2], l.end);
    }
}

} // namespace
} // namespace lobus::casegen
