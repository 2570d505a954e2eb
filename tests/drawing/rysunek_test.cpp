// The frame, the geometry, the centres and the scale bars of the picture,
// checked in user units through the recording device.

#include "recordedpicture.h"
#include "samplecase.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lobus::test {
namespace {

constexpr float kDeg = 3.141592f / 180.0f;

TEST(RysunekFrame, UnitsFollowTheSurfaceAndTheAxesSpanTheFrame)
{
    RecordedPicture pic(1600, 1000);
    Case c = sampleCase(kVariantMerant);
    RYSUJ r = sampleSettings(c);
    pic.draw(c, r);
    ASSERT_FALSE(pic.ops().empty());
    EXPECT_EQ(pic.ops().front().kind, DrawOp::Kind::Clear);
    EXPECT_FLOAT_EQ(r.halfx, 2.4f);

    const auto joins = pic.find(DrawOp::Kind::Join, colours::kAxes);
    ASSERT_EQ(joins.size(), 2u);
    EXPECT_FLOAT_EQ(joins[0]->y[0], -0.98f * 1.5f);
    EXPECT_FLOAT_EQ(joins[0]->y[1], 0.9f * 1.5f);
    EXPECT_FLOAT_EQ(joins[1]->x[0], -0.98f * 2.4f);
    EXPECT_FLOAT_EQ(joins[1]->x[1], 0.94f * 2.4f);
    const auto arrows = pic.find(DrawOp::Kind::Arrow, colours::kAxes);
    ASSERT_EQ(arrows.size(), 2u);
    EXPECT_FLOAT_EQ(arrows[0]->direction, 90.0f);
    EXPECT_FLOAT_EQ(arrows[0]->length, 0.05f * 2.4f);
    EXPECT_FLOAT_EQ(arrows[1]->x[0], 0.97f * 2.4f);

    // Character size 0.6 of the standard, in user units of either axis.
    const DrawOp* y = pic.text("Y");
    const DrawOp* x = pic.text("X");
    ASSERT_TRUE(x && y);
    EXPECT_FLOAT_EQ(y->y[0], 0.95f * 1.5f + y->charHeight / 4.0f);
    EXPECT_FLOAT_EQ(x->x[0], 0.97f * 2.4f + x->charWidth);
    EXPECT_GT(y->charHeight, 0.0f);
}

TEST(RysunekFrame, ScaleThreeHalvesTheBearingAndAWideSurfaceKeepsItRound)
{
    RecordedPicture pic(2000, 1000);
    Case c = sampleCase(kVariantMerant);
    RYSUJ r = sampleSettings(c);
    pic.draw(c, r);
    EXPECT_FLOAT_EQ(r.halfx, 2.0f * r.halfy);
    int ix0 = 0, iy0 = 0, ix1 = 0, iy1 = 0, ix2 = 0, iy2 = 0;
    pic.g.IGRUNITSTOPIXELS(0.0f, 0.0f, ix0, iy0);
    pic.g.IGRUNITSTOPIXELS(1.0f, 0.0f, ix1, iy1);
    pic.g.IGRUNITSTOPIXELS(0.0f, 1.0f, ix2, iy2);
    const int radius = ix1 - ix0;
    EXPECT_NEAR(radius, iy0 - iy2, 1);

    r.halfy = 3.0f;
    pic.draw(c, r);
    pic.g.IGRUNITSTOPIXELS(0.0f, 0.0f, ix0, iy0);
    pic.g.IGRUNITSTOPIXELS(1.0f, 0.0f, ix1, iy1);
    EXPECT_NEAR(ix1 - ix0, radius / 2.0, 1.0);
}

TEST(RysunekGeometry, ClearanceCircleAndExtents)
{
    RecordedPicture pic;
    Case c = sampleCase(kVariantMerant, 2);
    c.dane.tabpsi(1) = 350.0f; // across the +x axis, angles above 360 as they are
    c.dane.tabpsi(2) = 370.0f;
    c.dane.tabpsi(3) = 200.0f; // start not below the end: the end point alone
    c.dane.tabpsi(4) = 200.0f;
    RYSUJ r = sampleSettings(c);
    pic.draw(c, r);

    const auto circle = pic.find(DrawOp::Kind::Polygon, colours::kCircle);
    ASSERT_EQ(circle.size(), 1u);
    ASSERT_EQ(circle[0]->x.size(), 73u);
    EXPECT_FALSE(circle[0]->filled);
    for (std::size_t i = 0; i < 73; ++i)
        EXPECT_NEAR(distance(0, 0, circle[0]->x[i], circle[0]->y[i]), 1.0, 1e-6);

    const auto extents = pic.find(DrawOp::Kind::Polyline, colours::kOutline);
    ASSERT_EQ(extents.size(), 2u);
    const DrawOp& first = *extents[0];
    ASSERT_EQ(first.x.size(), 5u); // 350, 355, 360, 365 and the end 370
    for (std::size_t i = 0; i < first.x.size(); ++i) {
        const float a = (350.0f + 5.0f * static_cast<float>(i)) * kDeg;
        EXPECT_NEAR(first.x[i], std::cos(a), 1e-6);
        EXPECT_NEAR(first.y[i], std::sin(a), 1e-6);
        EXPECT_GT(first.x[i], 0.98f);
    }
    EXPECT_LT(first.y.front(), 0.0f);
    EXPECT_GT(first.y.back(), 0.0f);
    ASSERT_EQ(extents[1]->x.size(), 1u);
    EXPECT_NEAR(extents[1]->x[0], std::cos(200.0f * kDeg), 1e-6);
}

TEST(RysunekGeometry, BandLiesThreePixelsInsideTheArc)
{
    RecordedPicture pic(1600, 1000);
    Case c = sampleCase(kVariantMerant, 3, 25);
    RYSUJ r = sampleSettings(c);
    pic.draw(c, r);
    const auto bands = pic.find(DrawOp::Kind::Polygon, colours::kOutline);
    ASSERT_EQ(bands.size(), 3u);
    const double pixelsPerUnit = 1000.0 / (2.0 * r.halfy);
    for (int k = 1; k <= 3; ++k) {
        const DrawOp& band = *bands[static_cast<std::size_t>(k - 1)];
        ASSERT_EQ(band.x.size(), 50u);
        EXPECT_TRUE(band.filled);
        const double cx = c.dane.tabkla(k), cy = c.dane.tabklb(k);
        const double inner = distance(cx, cy, band.x[49], band.y[49]);
        EXPECT_NEAR(distance(cx, cy, band.x[0], band.y[0]), 1.0, 1e-6);
        // Pixel rows are whole: the inner edge is 3 rows down, give or take half.
        EXPECT_GT((1.0 - inner) * pixelsPerUnit, 2.5);
        EXPECT_LE((1.0 - inner) * pixelsPerUnit, 3.5);
        // The inner points run backwards: the last one belongs to grid point 1.
        const float a = c.results.katcis(k, 1) * kDeg;
        EXPECT_NEAR(band.x[49], cx + inner * std::cos(a), 1e-5);
    }
}

TEST(RysunekCentres, MarkersLabelsAndTheLineOfCentresAtNinetyDegrees)
{
    RecordedPicture pic;
    Case c = sampleCase(kVariantMerant);
    c.dane.ekscen = 0.4f;
    c.dane.katekscen = 90.0f;
    RYSUJ r = sampleSettings(c);
    pic.draw(c, r);

    const DrawOp* op = pic.text("Op");
    const DrawOp* oc = pic.text("Oc");
    ASSERT_TRUE(op && oc);
    EXPECT_EQ(op->justify, Justify::Left);
    EXPECT_EQ(oc->colourNumber, colours::kOutline);
    EXPECT_FLOAT_EQ(op->y[0], 3.0f * op->charHeight / 4.0f);
    EXPECT_NEAR(oc->x[0], 0.0f, 1e-6);
    EXPECT_NEAR(oc->y[0], 0.4f + 3.0f * oc->charHeight / 4.0f, 1e-6);

    // Joins in the outline colour: five runs per marker, the line of centres, then the bars.
    const auto joins = pic.find(DrawOp::Kind::Join, colours::kOutline);
    ASSERT_GE(joins.size(), 11u);
    const DrawOp& line = *joins[10];
    EXPECT_NEAR(line.x[0], 0.0, 1e-6);
    EXPECT_NEAR(line.y[0], -0.2, 1e-6);
    EXPECT_NEAR(line.x[1], 0.0, 1e-6);
    EXPECT_NEAR(line.y[1], 0.6, 1e-6);
    EXPECT_EQ(pic.g.justification(), 'C');
    EXPECT_EQ(pic.g.fillStyle(), 0);
}

TEST(Kropka5, FivePixelRunsWithTheCornersLeftOut)
{
    RecordingDevice device(400, 300);
    Graphics g;
    g.setDevice(&device);
    g.setRecorder(&device);
    g.IGRUNITS(-2.0f, -1.5f, 2.0f, 1.5f);
    KROPKA5(g, 0.3f, -0.2f);
    ASSERT_EQ(device.ops().size(), 5u);
    int ix = 0, iy = 0;
    g.IGRUNITSTOPIXELS(0.3f, -0.2f, ix, iy);
    const int widths[5] = {5, 5, 5, 3, 3};
    const int rows[5] = {0, -1, 1, -2, 2};
    for (int i = 0; i < 5; ++i) {
        const DrawOp& run = device.ops()[static_cast<std::size_t>(i)];
        int ax = 0, ay = 0, bx = 0, by = 0;
        g.IGRUNITSTOPIXELS(run.x[0], run.y[0], ax, ay);
        g.IGRUNITSTOPIXELS(run.x[1], run.y[1], bx, by);
        EXPECT_EQ(ay, iy + rows[i]);
        EXPECT_EQ(by, iy + rows[i]);
        EXPECT_EQ(bx - ax + 1, widths[i]);
        EXPECT_EQ(ax + bx, 2 * ix);
    }
}

TEST(RysunekScaleBars, BarsTicksAndLabels)
{
    RecordedPicture pic(1600, 1000);
    Case c = sampleCase(kVariantSolako);
    RYSUJ r = sampleSettings(c);
    pic.draw(c, r);
    const float X = r.halfx, Y = r.halfy;
    const float x0 = X - 1.05f; // 1.5 times the longer of plen 0.7 and tlen 0.5
    const double pixel = 2.0 * Y / 1000.0;

    const DrawOp* p = pic.text("0.1250E+08 N/m2");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->justify, Justify::Centre);
    EXPECT_NEAR(p->x[0], x0 + 0.35f, 1e-5);
    EXPECT_NEAR(p->y[0], -0.88f * Y + p->charHeight, 1e-5);
    const DrawOp* t = pic.text(" 62.5 st.C");
    ASSERT_TRUE(t);
    EXPECT_NEAR(t->x[0], x0 + 0.25f, 1e-5);
    EXPECT_NEAR(t->y[0], -0.98f * Y + t->charHeight, 1e-5);

    // The last eight joins: bar, its copy, two ticks, for each scale.
    const auto joins = pic.find(DrawOp::Kind::Join, colours::kOutline);
    ASSERT_GE(joins.size(), 8u);
    const DrawOp* const* bar = &joins[joins.size() - 8];
    const float ys[2] = {-0.88f * Y, -0.98f * Y};
    const float lengths[2] = {0.7f, 0.5f};
    for (int b = 0; b < 2; ++b, bar += 4) {
        const float y = ys[b];
        EXPECT_NEAR(bar[0]->x[0], x0, 1e-5);
        EXPECT_NEAR(bar[0]->x[1], x0 + lengths[b], 1e-5);
        EXPECT_FLOAT_EQ(bar[0]->y[0], y);
        // The copy: the same ends within a pixel, exactly one pixel row higher.
        EXPECT_NEAR(bar[1]->x[0], x0, pixel);
        EXPECT_NEAR(bar[1]->x[1], x0 + lengths[b], pixel);
        int ix = 0, iy = 0, cx = 0, cy = 0;
        pic.g.IGRUNITSTOPIXELS(bar[0]->x[0], bar[0]->y[0], ix, iy);
        pic.g.IGRUNITSTOPIXELS(bar[1]->x[0], bar[1]->y[0], cx, cy);
        EXPECT_EQ(cy, iy - 1);
        EXPECT_EQ(cx, ix);
        EXPECT_NEAR(bar[2]->y[0], y - 0.01f * Y, 1e-5);
        EXPECT_NEAR(bar[2]->y[1], y + 0.01f * Y, 1e-5);
        EXPECT_NEAR(bar[3]->x[0], x0 + lengths[b], 1e-5);
    }

    // An isothermal case has the pressure bar only.
    Case m = sampleCase(kVariantMerant);
    RYSUJ rm = sampleSettings(m);
    pic.draw(m, rm);
    EXPECT_TRUE(pic.text("0.1250E+08 N/m2"));
    for (const DrawOp* op : pic.find(DrawOp::Kind::Text))
        EXPECT_EQ(op->text.find("st.C"), std::string::npos);
}

TEST(RysunekScaleBars, LongerTemperatureAxisMovesTheBars)
{
    RecordedPicture pic;
    Case c = sampleCase(kVariantSolako);
    RYSUJ r = sampleSettings(c);
    r.tlen = 0.9f;
    pic.draw(c, r);
    const DrawOp* t = pic.text(" 62.5 st.C");
    ASSERT_TRUE(t);
    EXPECT_NEAR(t->x[0], r.halfx - 1.5f * 0.9f + 0.45f, 1e-5);
}

TEST(RysunekOrder, PicturePartsComeInTheirOrderAndTheStateCarriesOver)
{
    RecordedPicture pic;
    Case c = sampleCase(kVariantSolako, 6, 12);
    RYSUJ r = sampleSettings(c);
    pic.draw(c, r);
    std::vector<int> polygons;
    for (const DrawOp& op : pic.ops())
        if (op.kind == DrawOp::Kind::Polygon)
            polygons.push_back(op.colourNumber);
    // Circle; six temperature bands; band and pressure diagram per wedge.
    std::vector<int> expected {colours::kCircle, colours::kWedge, colours::kWedge, colours::kWedge,
                               colours::kWedge,  colours::kWedge, colours::kWedge};
    for (int k = 0; k < 6; ++k) {
        expected.push_back(colours::kOutline);
        expected.push_back(colours::kWedge);
    }
    EXPECT_EQ(polygons, expected);
    EXPECT_EQ(pic.ops().back().kind, DrawOp::Kind::Text);
    EXPECT_EQ(pic.g.palette(1), (Rgb {255, 0, 0})); // the last wedge's colour
    EXPECT_EQ(pic.g.fillStyle(), 0);

    // The second picture starts from that state and repeats the first exactly.
    const std::vector<DrawOp> first = pic.ops();
    pic.draw(c, r);
    ASSERT_EQ(pic.ops().size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(pic.ops()[i].x, first[i].x);
        EXPECT_EQ(pic.ops()[i].y, first[i].y);
        EXPECT_EQ(pic.ops()[i].colour, first[i].colour);
        EXPECT_EQ(pic.ops()[i].justify, first[i].justify);
    }
}

} // namespace
} // namespace lobus::test
