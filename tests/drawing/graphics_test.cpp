// The graphics layer's state and its mapping between user units and pixels.

#include "drawing/graphics/colours.h"
#include "drawing/graphics/graphics.h"
#include "drawing/graphics/graphicsrecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace lobus::test {
namespace {

TEST(GraphicsState, ColourNumberOutsideThePaletteIsAnErrorAndChangesNothing)
{
    Graphics g;
    g.IGRCOLOURN(208);
    EXPECT_EQ(g.errorStatus(), 0);
    g.IGRCOLOURN(256);
    EXPECT_EQ(g.colourNumber(), 208);
    EXPECT_EQ(g.errorStatus(), 42);
    g.clearError();
    g.IGRCOLOURN(-1);
    EXPECT_EQ(g.colourNumber(), 208);
    EXPECT_EQ(g.errorStatus(), 42);
    g.IGRCOLOURN(0);
    EXPECT_EQ(g.colourNumber(), 0);
}

TEST(GraphicsState, FillStyleLimitedAndPaletteAndJustificationKept)
{
    Graphics g;
    EXPECT_EQ(g.fillStyle(), 0); // hollow by default
    g.IGRFILLPATTERN(4, 2, 3);
    g.IGRFILLPATTERN(5, 2, 3);
    g.IGRFILLPATTERN(-3, 2, 3);
    EXPECT_EQ(g.fillStyle(), 4);
    g.IGRFILLPATTERN(-2, 2, 3);
    EXPECT_EQ(g.fillStyle(), -2);

    g.IGRPALETTERGB(1, 10, 20, 30);
    EXPECT_EQ(g.palette(1), (Rgb {10, 20, 30}));
    g.IGRPALETTERGB(1, 300, -5, 255);
    EXPECT_EQ(g.palette(1), (Rgb {255, 0, 255}));

    g.IGRCHARJUSTIFY("L");
    EXPECT_EQ(g.justification(), 'L');
    g.IGRCHARJUSTIFY("X");
    EXPECT_EQ(g.justification(), 'L');
    g.IGRCHARJUSTIFY("C");
    EXPECT_EQ(g.justification(), 'C');
}

// The layer's own colours must differ from the background and from each other.
TEST(GraphicsState, DrawingColoursAreDistinctAndVisible)
{
    Graphics g;
    const int numbers[] = {colours::kHatch, colours::kOutline, colours::kAxes, colours::kCircle};
    for (int a : numbers) {
        EXPECT_NE(g.palette(a), Graphics::background()) << a;
        for (int b : numbers) {
            if (a != b) {
                EXPECT_NE(g.palette(a), g.palette(b)) << a << " " << b;
            }
        }
    }
}

TEST(GraphicsMapping, RatioUnitsAndRoundTripWithinOnePixel)
{
    RecordingDevice device(1920, 1080);
    Graphics g;
    g.setDevice(&device);
    EXPECT_EQ(g.INFOGRSCREEN(32), 178);
    g.IGRUNITS(-2.67f, -1.5f, 2.67f, 1.5f);
    int ix = 0, iy = 0;
    g.IGRUNITSTOPIXELS(-2.67f, 1.5f, ix, iy); // upper left corner
    EXPECT_EQ(ix, 0);
    EXPECT_EQ(iy, 0);
    g.IGRUNITSTOPIXELS(2.67f, -1.5f, ix, iy); // lower right corner: just past the last pixel
    EXPECT_EQ(ix, 1920);
    EXPECT_EQ(iy, 1080);
    const double px = 5.34 / 1920.0, py = 3.0 / 1080.0;
    for (int i = 0; i < 500; ++i) {
        const float x = -2.6f + 5.2f * static_cast<float>(i % 37) / 37.0f;
        const float y = -1.4f + 2.8f * static_cast<float>(i % 23) / 23.0f;
        float bx = 0.0f, by = 0.0f;
        g.IGRUNITSTOPIXELS(x, y, ix, iy);
        g.IGRUNITSFROMPIXELS(ix, iy, bx, by);
        EXPECT_LE(std::abs(bx - x), px);
        EXPECT_LE(std::abs(by - y), py);
    }
    // Rows grow downwards.
    int iyLow = 0, iyHigh = 0;
    g.IGRUNITSTOPIXELS(0.0f, -1.0f, ix, iyLow);
    g.IGRUNITSTOPIXELS(0.0f, 1.0f, ix, iyHigh);
    EXPECT_GT(iyLow, iyHigh);

    // A degenerate rectangle is refused: the mapping stays usable.
    g.IGRUNITS(0.0f, 0.0f, 0.0f, 1.0f);
    g.IGRUNITSTOPIXELS(0.0f, 0.0f, ix, iy);
    EXPECT_EQ(ix, 960);
}

TEST(GraphicsMapping, APixelKeepsItsScreenSizeOnAPrinterPage)
{
    // Units equal to device dots, y up, on a 600-dpi page and a 96-dpi image.
    RecordingDevice page(6600, 4600, 600.0);
    RecordingDevice image(1600, 1000, 96.0);
    for (RecordingDevice* d : {&page, &image}) {
        Graphics g;
        g.setDevice(d);
        g.IGRUNITS(0.0f, 0.0f, static_cast<float>(d->width()), static_cast<float>(d->height()));
        const double dots = d->dotsPerInch() / 96.0; // device dots in one picture pixel
        int ix = 0, iy = 0;
        g.IGRUNITSTOPIXELS(static_cast<float>(100 * dots + 0.1),
                           static_cast<float>(d->height() - 100 * dots - 0.1), ix, iy);
        EXPECT_EQ(ix, 100) << d->dotsPerInch();
        EXPECT_EQ(iy, 100) << d->dotsPerInch();
        // Three pixels down from a point are three screen pixels' worth of dots.
        float x0 = 0.0f, y0 = 0.0f, x3 = 0.0f, y3 = 0.0f;
        g.IGRUNITSFROMPIXELS(ix, iy, x0, y0);
        g.IGRUNITSFROMPIXELS(ix, iy + 3, x3, y3);
        EXPECT_FLOAT_EQ(x3, x0);
        EXPECT_NEAR(y0 - y3, 3.0 * dots, 1e-3) << d->dotsPerInch();
        // The round trip stays within one picture pixel.
        float bx = 0.0f, by = 0.0f;
        g.IGRUNITSTOPIXELS(1234.5f, 789.25f, ix, iy);
        g.IGRUNITSFROMPIXELS(ix, iy, bx, by);
        EXPECT_LE(std::abs(bx - 1234.5), dots);
        EXPECT_LE(std::abs(by - 789.25), dots);
    }
}

TEST(GraphicsMapping, CharacterSizeFollowsTheSurfaceAndItsResolution)
{
    RecordingDevice screen(1600, 1000, 96.0);
    RecordingDevice page(6600, 4600, 600.0);
    RecordingDevice tiny(160, 100, 96.0);
    for (RecordingDevice* d : {&screen, &page, &tiny}) {
        Graphics g;
        g.setDevice(d);
        g.IGRUNITS(0.0f, 0.0f, static_cast<float>(d->width()), static_cast<float>(d->height()));
        g.IGRCHARSIZE(0.6f, 0.6f);
        const float h = g.INFOGRAPHICS(4); // in pixels, as units are pixels here
        const double points = h * 72.0 / d->dotsPerInch();
        EXPECT_GE(points, 5.9) << d->width();                                                     // readable
        EXPECT_LE(h, std::max(d->height() / 20.0, d->dotsPerInch() * 12.0 / 72.0)) << d->width(); // not huge
        EXPECT_GT(g.INFOGRAPHICS(3), 0.0f);
        EXPECT_LT(g.INFOGRAPHICS(3), h);
    }
}

TEST(GraphicsDrawing, NonFinitePointsNeverReachTheDevice)
{
    RecordingDevice device(400, 300);
    Graphics g;
    g.setDevice(&device);
    g.setRecorder(&device);
    g.IGRUNITS(-1.0f, -1.0f, 1.0f, 1.0f);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float x[] = {0.0f, nan, 0.5f, inf, 0.25f};
    const float y[] = {0.0f, 0.1f, 0.5f, 0.2f, -0.5f};
    g.IGRPOLYGONCOMPLEX(x, y, 5);
    g.IGRPOLYLINE(x, y, 5);
    g.IGRJOIN(0.0f, 0.0f, nan, 1.0f);
    g.IGRCHAROUT(inf, 0.0f, "x");
    g.IGRPOLYLINE(x + 1, y + 1, 1); // nothing left: nothing drawn
    ASSERT_EQ(device.ops().size(), 2u);
    EXPECT_EQ(device.ops()[0].x, (std::vector<float> {0.0f, 0.5f, 0.25f}));
    EXPECT_EQ(device.ops()[1].kind, DrawOp::Kind::Polyline);
}

} // namespace
} // namespace lobus::test
