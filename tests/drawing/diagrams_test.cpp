// The pressure and temperature diagrams: radii, colours, and what happens
// with unusable scales, too many points and values that overflow.

#include "recordedpicture.h"
#include "samplecase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lobus::test {
namespace {

constexpr float kDeg = 3.141592f / 180.0f;

std::vector<const DrawOp*> pressureDiagrams(const RecordedPicture& pic)
{
    std::vector<const DrawOp*> found;
    for (const DrawOp* op : pic.find(DrawOp::Kind::Polygon, colours::kWedge))
        found.push_back(op);
    return found;
}

TEST(PressureDiagram, PointsLieAtTheScaledDepthInsideTheArc)
{
    RecordedPicture pic;
    Case c = sampleCase(kVariantMerant, 3, 30);
    c.results.cis(2, 5) = 0.0f;                // on the arc
    c.results.cis(2, 6) = -0.2f * c.dane.pmax; // outside it
    c.results.cis(2, 7) = 2.0f * c.dane.pmax;  // twice plen deep
    RYSUJ r = sampleSettings(c);
    r.pscale = 0.5f * c.dane.pmax; // a manual maximum of half pmax doubles the depth
    pic.draw(c, r);
    const auto diagrams = pressureDiagrams(pic);
    ASSERT_EQ(diagrams.size(), 3u);
    for (int k = 1; k <= 3; ++k) {
        const DrawOp& d = *diagrams[static_cast<std::size_t>(k - 1)];
        EXPECT_TRUE(d.filled);
        EXPECT_EQ(d.colour, (Rgb {r.colour(1, k), r.colour(2, k), r.colour(3, k)}));
        ASSERT_EQ(d.x.size(), 60u);
        const double cx = c.dane.tabkla(k), cy = c.dane.tabklb(k);
        for (int j = 1; j <= 30; ++j) {
            const float a = c.results.katcis(k, j) * kDeg;
            const double depth = 1.0 - c.results.cis(k, j) * r.plen / r.pscale;
            const std::size_t q = static_cast<std::size_t>(60 - j);
            EXPECT_NEAR(d.x[static_cast<std::size_t>(j - 1)], cx + std::cos(a), 1e-5);
            EXPECT_NEAR(d.x[q], cx + depth * std::cos(a), 1e-5);
            EXPECT_NEAR(d.y[q], cy + depth * std::sin(a), 1e-5);
        }
    }
    const DrawOp& second = *diagrams[1];
    const double cx = c.dane.tabkla(2), cy = c.dane.tabklb(2);
    EXPECT_NEAR(distance(cx, cy, second.x[60 - 5], second.y[60 - 5]), 1.0, 1e-5);
    EXPECT_NEAR(distance(cx, cy, second.x[60 - 6], second.y[60 - 6]), 1.0 + 0.2 * 2 * 0.7, 1e-5);
    // 2 pmax at a scale of pmax/2 is 4 plen = 2.8 deep: across the centre.
    EXPECT_NEAR(distance(cx, cy, second.x[60 - 7], second.y[60 - 7]), 2.8 - 1.0, 1e-5);

    // Hatch lines join each arc point to its pressure point.
    const auto hatch = pic.find(DrawOp::Kind::Join, colours::kHatch);
    ASSERT_EQ(hatch.size(), 90u);
    const DrawOp& h = *hatch[30 + 4]; // wedge 2, grid point 5: zero length
    EXPECT_NEAR(h.x[0], h.x[1], 1e-6);
    EXPECT_NEAR(h.y[0], h.y[1], 1e-6);
}

TEST(TemperatureDiagram, RadiiAboutTheOriginAndTheThreeQuarterShade)
{
    RecordedPicture pic;
    Case c = sampleCase(kVariantSolako, 6, 20);
    c.results.tem1(3, 4) = 0.0f;
    RYSUJ r = sampleSettings(c);
    pic.draw(c, r);
    const auto polygons = pressureDiagrams(pic); // colour 1: six bands, then six pressure diagrams
    ASSERT_EQ(polygons.size(), 12u);
    const auto curves = pic.find(DrawOp::Kind::Polyline, colours::kOutline);
    ASSERT_EQ(curves.size(), 12u); // six extents, then six second curves
    for (int k = 1; k <= 6; ++k) {
        const DrawOp& band = *polygons[static_cast<std::size_t>(k - 1)];
        const DrawOp& curve = *curves[static_cast<std::size_t>(5 + k)];
        EXPECT_EQ(band.colour.r, static_cast<int>(std::lround(0.75 * r.colour(1, k))));
        EXPECT_EQ(band.colour.g, static_cast<int>(std::lround(0.75 * r.colour(2, k))));
        ASSERT_EQ(band.x.size(), 40u);
        ASSERT_EQ(curve.x.size(), 20u);
        for (int j = 1; j <= 20; ++j) {
            const std::size_t i = static_cast<std::size_t>(j - 1);
            EXPECT_NEAR(distance(0, 0, band.x[i], band.y[i]), 1.0, 1e-5);
            EXPECT_NEAR(distance(0, 0, band.x[39 - i], band.y[39 - i]),
                        1.0 + c.results.tem1(k, j) * r.tlen / r.tscale, 1e-5);
            EXPECT_NEAR(distance(0, 0, curve.x[i], curve.y[i]),
                        1.0 + c.results.tem2(k, j) * r.tlen / r.tscale, 1e-5);
        }
    }
    EXPECT_EQ(polygons[5]->colour, (Rgb {191, 0, 0}));
    EXPECT_NEAR(distance(0, 0, polygons[2]->x[39 - 3], polygons[2]->y[39 - 3]), 1.0, 1e-6);

    // A temperature file that was not read gives a negative scale: inside the circle.
    r.tscale = -9999.0f;
    pic.draw(c, r);
    const auto inward = pic.find(DrawOp::Kind::Polygon, colours::kWedge);
    EXPECT_LT(distance(0, 0, inward[0]->x[39], inward[0]->y[39]), 1.0);
}

TEST(TemperatureDiagram, NothingOfItForAnIsothermalCase)
{
    RecordedPicture pic;
    Case c = sampleCase(kVariantMerant, 6, 20);
    RYSUJ r = sampleSettings(c);
    pic.draw(c, r);
    EXPECT_EQ(pic.find(DrawOp::Kind::Polygon, colours::kWedge).size(), 6u);    // pressure only
    EXPECT_EQ(pic.find(DrawOp::Kind::Polyline, colours::kOutline).size(), 6u); // extents only
    for (const DrawOp* op : pic.find(DrawOp::Kind::Polygon, colours::kWedge))
        EXPECT_NE(op->colour, (Rgb {191, 0, 0}));
}

TEST(DiagramScales, ZeroScalesLayTheDiagramsFlatAndNothingNonFiniteIsDrawn)
{
    RecordedPicture pic;
    Case c = sampleCase(kVariantSolako, 3, 16);
    c.results.cis(1, 3) = 3.0e38f; // overflows against a tiny scale
    RYSUJ r = sampleSettings(c);
    r.pscale = 0.0f;
    r.tscale = 0.0f;
    pic.draw(c, r);
    const auto polys = pic.find(DrawOp::Kind::Polygon, colours::kWedge);
    ASSERT_EQ(polys.size(), 6u);
    for (std::size_t i = 0; i < 32; ++i) {
        EXPECT_NEAR(distance(0, 0, polys[0]->x[i], polys[0]->y[i]), 1.0, 1e-5); // temperatures on the circle
        EXPECT_NEAR(distance(c.dane.tabkla(1), c.dane.tabklb(1), polys[3]->x[i], polys[3]->y[i]), 1.0, 1e-5);
    }
    EXPECT_TRUE(pic.text("0.0000E+00 N/m2"));
    EXPECT_TRUE(pic.text("  0.0 st.C"));

    r.pscale = 1.0e-30f;
    pic.draw(c, r);
    for (const DrawOp& op : pic.ops())
        for (std::size_t i = 0; i < op.x.size(); ++i)
            ASSERT_TRUE(std::isfinite(op.x[i]) && std::isfinite(op.y[i]));
}

TEST(DiagramPoints, CountLimitedToTheArraysAndLargeCountsDrawnWhole)
{
    RecordedPicture pic;
    Case c = sampleCase(kVariantSolako, 2, 10);
    c.dane.ilcis(1) = 1000.4f; // more lines counted than the arrays hold
    c.dane.ilcis(2) = 6.4f;    // rounded to 6
    RYSUJ r = sampleSettings(c);
    EXPECT_NO_THROW(pic.draw(c, r));
    const auto polys = pic.find(DrawOp::Kind::Polygon, colours::kWedge);
    ASSERT_EQ(polys.size(), 4u);
    EXPECT_EQ(polys[0]->x.size(), 20u);
    EXPECT_EQ(polys[1]->x.size(), 12u);

    Case big = sampleCase(kVariantSolako, 6, 5000); // far beyond the 720 entries of the old buffers
    RYSUJ rb = sampleSettings(big);
    pic.draw(big, rb);
    for (const DrawOp* d : pic.find(DrawOp::Kind::Polygon, colours::kWedge))
        EXPECT_EQ(d->x.size(), 10000u);
    EXPECT_EQ(pic.find(DrawOp::Kind::Join, colours::kHatch).size(), 6u * 5000u);
}

} // namespace
} // namespace lobus::test

namespace lobus::test {
namespace {

// What a damaged data file could leave in the case block: the picture is
// drawn, ends, and hands the device only finite coordinates.
TEST(DamagedCase, DrawsWithoutFailingOrLooping)
{
    RecordedPicture pic;
    Case c = sampleCase(kVariantSolako, 3, 12);
    c.dane.ikm = 99;
    c.dane.tabpsi(1) = -1.0e30f;
    c.dane.tabpsi(2) = 1.0e30f;
    c.dane.tabpsi(3) = -1.0e6f; // far more than twenty turns
    c.dane.tabpsi(4) = 1.0e6f;
    c.dane.tabpsi(5) = std::numeric_limits<float>::quiet_NaN();
    c.results.katcis(2, 3) = std::numeric_limits<float>::infinity();
    c.results.cis(3, 4) = std::numeric_limits<float>::quiet_NaN();
    c.dane.ekscen = std::numeric_limits<float>::quiet_NaN();
    c.dane.ilcis(4) = -5.0f;
    c.dane.ilcis(5) = std::numeric_limits<float>::infinity();
    RYSUJ r = sampleSettings(c);
    r.plen = std::numeric_limits<float>::quiet_NaN();
    ASSERT_NO_THROW(pic.draw(c, r));
    const auto extents = pic.find(DrawOp::Kind::Polyline, colours::kOutline);
    ASSERT_GE(extents.size(), 2u);
    EXPECT_LE(extents[1]->x.size(), 20u * 72u + 2u); // twenty turns in 5-degree steps and the end point
    for (const DrawOp& op : pic.ops())
        for (std::size_t i = 0; i < op.x.size(); ++i)
            ASSERT_TRUE(std::isfinite(op.x[i]) && std::isfinite(op.y[i]));

    r.halfy = 0.0f; // no usable drawing scale
    ASSERT_NO_THROW(pic.draw(c, r));
}

} // namespace
} // namespace lobus::test
