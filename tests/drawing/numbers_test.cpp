// The numbers behind the picture: peaks, the probe's way from a device point
// back to a lobe and grid point, the overlay leaving the next picture as it
// was, the angle view's points on one affine mapping, and another case's
// curves kept inside its axes.

#include "dataexport/casejson.h"
#include "drawing/angleview.h"
#include "drawing/casefigures.h"
#include "drawing/compare.h"
#include "drawing/overlay.h"
#include "drawing/probe.h"
#include "recordedpicture.h"
#include "samplecase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace lobus::test {
namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;

// Lobe 2 reaches its peak twice (points 10 and 20) and has a point that is
// not a number; lobe 3 has no points read.
Case peakedCase()
{
    Case c = sampleCase(1, 3, 40);
    c.results.cis(2, 10) = 9.0e7f;
    c.results.cis(2, 20) = 9.0e7f;
    c.results.cis(2, 5) = std::numeric_limits<float>::quiet_NaN();
    c.results.tem2(1, 33) = 99.0f;
    c.dane.ilcis(3) = 0.0f;
    return c;
}

TEST(CaseFigures, PeaksAreTheLargestValuesReadAtTheFirstPointReachingThem)
{
    const Case c = peakedCase();
    const CaseFigures f = caseFigures(c);
    ASSERT_EQ(f.lobes.size(), 3u);
    EXPECT_TRUE(f.thermal);
    const LobeFigures& l2 = f.lobes[1];
    EXPECT_EQ(l2.points, 40);
    EXPECT_EQ(l2.pressure.value, 9.0e7f);
    EXPECT_EQ(l2.pressure.point, 10);
    EXPECT_EQ(l2.pressure.angle, c.results.katcis(2, 10));
    EXPECT_EQ(f.lobes[0].tem2.value, 99.0f);
    EXPECT_EQ(f.lobes[0].tem2.angle, c.results.katcis(1, 33));
    // Lobe 1 against a plain scan of its row.
    float best = c.results.cis(1, 1);
    for (int j = 2; j <= 40; ++j)
        best = std::max(best, c.results.cis(1, j));
    EXPECT_EQ(f.lobes[0].pressure.value, best);
    EXPECT_EQ(f.lobes[2].points, 0);
    EXPECT_FALSE(f.lobes[2].pressure.found);
    EXPECT_EQ(f.lobes[2].start, c.dane.tabpsi(5));
    EXPECT_EQ(f.lobes[2].klb, c.dane.tabklb(3));
    EXPECT_EQ(f.pressureRead.value, 9.0e7f);
    EXPECT_TRUE(f.pmaxDiffers);

    Case agreeing = sampleCase(2, 3, 40);
    agreeing.dane.pmax = caseFigures(agreeing).pressureRead.value * (1.0f + 2.0e-5f);
    EXPECT_FALSE(caseFigures(agreeing).pmaxDiffers);
    EXPECT_FALSE(caseFigures(agreeing).lobes[0].tem1.found); // isothermal: no temperatures
}

// A point of the picture taken to the device and back through the graphics
// layer's mapping, half a pixel off, finds the lobe and grid point it lies on.
TEST(Probe, DevicePointsMapBackToLobeAndGridPoint)
{
    const Case c = peakedCase();
    RYSUJ r = sampleSettings(c);
    RecordedPicture pic(1000, 600);
    pic.draw(c, r);
    auto probe = [&](double x, double y) {
        PointF p;
        EXPECT_TRUE(pic.g.unitsToDevice(static_cast<float>(x), static_cast<float>(y), p));
        p.x += 0.4;
        p.y -= 0.4;
        float ux = 0.0f;
        float uy = 0.0f;
        EXPECT_TRUE(pic.g.unitsFromDevice(p, ux, uy));
        return probeAt(c, r, ux, uy, 0.03f);
    };
    for (int k = 1; k <= 2; ++k) {
        const float cx = c.dane.tabkla(k);
        const float cy = c.dane.tabklb(k);
        for (int j = 1; j <= 40; ++j) {
            // Halfway between the arc and the pressure point; a degree
            // inside the ends, where the next lobe's arc crosses this one.
            const double a = (c.results.katcis(k, j) + (j == 1 ? 1.0f : j == 40 ? -1.0f : 0.0f)) * kRad;
            const float p = j == 5 ? 0.0f : c.results.cis(k, j);
            const double m = std::max(0.9, 1.0 - 0.5 * p * r.plen / r.pscale);
            const ProbeHit hit = probe(cx + m * std::cos(a), cy + m * std::sin(a));
            ASSERT_EQ(hit.kind, ProbeHit::Kind::Lobe) << k << " " << j;
            EXPECT_EQ(hit.lobe, k);
            EXPECT_EQ(hit.point, j);
            EXPECT_EQ(hit.angle, c.results.katcis(k, j));
            EXPECT_EQ(hit.tem1, c.results.tem1(k, j));
            if (j != 5) {
                EXPECT_EQ(hit.pressure, c.results.cis(k, j));
            }
        }
        // Just inside the extent's ends: the end points; just outside: nothing.
        for (float edge : {c.dane.tabpsi(2 * k - 1) + 1.0f, c.dane.tabpsi(2 * k) - 1.0f}) {
            const ProbeHit hit = probe(cx + std::cos(edge * kRad), cy + std::sin(edge * kRad));
            EXPECT_EQ(hit.lobe, k);
            EXPECT_EQ(hit.point, edge < c.dane.tabpsi(2 * k - 1) + 2.0f ? 1 : 40);
        }
        const float outside = c.dane.tabpsi(2 * k) + 2.0f;
        EXPECT_NE(probe(cx + std::cos(outside * kRad), cy + std::sin(outside * kRad)).lobe, k);
    }
    // The lobe without points is found, with no point.
    const double mid = 0.5 * (c.dane.tabpsi(5) + c.dane.tabpsi(6)) * kRad;
    const ProbeHit empty
        = probe(c.dane.tabkla(3) + 0.9 * std::cos(mid), c.dane.tabklb(3) + 0.9 * std::sin(mid));
    EXPECT_EQ(empty.kind, ProbeHit::Kind::Lobe);
    EXPECT_EQ(empty.lobe, 3);
    EXPECT_EQ(empty.point, 0);
    const double g = c.dane.katekscen * kRad;
    EXPECT_EQ(probe(c.dane.ekscen * std::cos(g), c.dane.ekscen * std::sin(g)).kind, ProbeHit::Kind::Journal);
}

TEST(Probe, NearestPointAcrossAFullTurnAndAtTheEnds)
{
    Case c = sampleCase(2, 1, 5);
    c.dane.tabpsi(1) = 350.0f;
    c.dane.tabpsi(2) = 370.0f;
    for (int j = 1; j <= 5; ++j)
        c.results.katcis(1, j) = 350.0f + 5.0f * static_cast<float>(j - 1);
    EXPECT_EQ(angleInExtent(5.0f, 350.0f), 365.0f);
    EXPECT_EQ(nearestPoint(c, 1, 366.0f), 4);
    EXPECT_EQ(nearestPoint(c, 1, 357.5f), 2); // a tie takes the earlier point
    EXPECT_EQ(nearestPoint(c, 1, 0.0f), 1);
    EXPECT_EQ(nearestPoint(c, 1, 999.0f), 5);
    EXPECT_EQ(nearestPoint(c, 2, 360.0f), 0); // no such lobe
}

bool sameOps(const std::vector<DrawOp>& a, const std::vector<DrawOp>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const DrawOp& p = a[i];
        const DrawOp& q = b[i];
        if (p.kind != q.kind || p.x != q.x || p.y != q.y || p.colourNumber != q.colourNumber
            || !(p.colour == q.colour) || p.filled != q.filled || p.text != q.text || p.justify != q.justify)
            return false;
    }
    return true;
}

TEST(Overlay, NumbersAndPeaksLeaveTheNextPictureAsIfNeverDrawn)
{
    const Case c = peakedCase();
    RYSUJ r = sampleSettings(c);
    RecordedPicture pic(1000, 600);
    pic.draw(c, r);
    pic.draw(c, r);
    const std::vector<DrawOp> plain = pic.ops();
    pic.device.clearOps();
    drawPeaksOverlay(pic.g, c, r);
    for (const char* label : {"1", "2", "3", "90.00 MPa"})
        EXPECT_NE(pic.text(label), nullptr) << label;
    pic.draw(c, r);
    EXPECT_TRUE(sameOps(plain, pic.ops()));
}

// Keeps the device pixels of every polyline, in the order drawn.
struct PixelRecorder : RecordingDevice {
    using RecordingDevice::RecordingDevice;
    std::vector<std::vector<PointF>> polylines;
    void polyline(std::span<const PointF> p, Rgb) override { polylines.emplace_back(p.begin(), p.end()); }
};

// Temperatures the .tem never gave draw no line, and peaks and tmax leave
// them out: the arrays' zeros there are no readings.
TEST(AngleView, TemperaturesNotReadDrawNoLineAndCountForNoPeak)
{
    Case c = sampleCase(1, 3, 40);
    const RYSUJ r = sampleSettings(c);
    c.results.read.fromFiles = true;
    c.results.read.temLines = {12, 0, 0, 0, 0, 0}; // the .tem ended in lobe 1
    for (int k = 1; k <= 3; ++k)
        for (int j = k == 1 ? 13 : 1; j <= 40; ++j)
            c.results.tem1(k, j) = c.results.tem2(k, j) = 0.0f;
    RecordingDevice device(900, 500);
    Graphics g;
    g.setDevice(&device);
    g.setRecorder(&device);
    const AngleViewLayout layout = drawAngleView(g, c, r, AngleViewState(), AngleViewTexts());
    ASSERT_TRUE(layout.temperature.present);
    int points = 0;
    for (const DrawOp& op : device.ops())
        if (op.kind == DrawOp::Kind::Polyline && op.colourNumber == 1 && op.y.size() >= 2 && op.y[0] > 5.0f
            && op.y[0] < 100.0f)
            for (const float x : op.x) {
                ++points;
                EXPECT_LE(x, c.results.katcis(1, 12) + 1.0e-3f) << "a line beyond the last line read";
            }
    EXPECT_GT(points, 0);
    const CaseFigures f = caseFigures(c);
    EXPECT_TRUE(f.lobes[0].tem1.found);
    EXPECT_LE(f.lobes[0].tem1.point, 12);
    EXPECT_FALSE(f.lobes[1].tem1.found || f.lobes[2].tem2.found);
    c.results.read.temLines = {};
    EXPECT_TRUE(std::isnan(caseFigures(c).tmax));
}

TEST(AngleView, PressurePointsLieOnOneAffineMappingAndInsideTheView)
{
    const Case c = sampleCase(1, 3, 40);
    const RYSUJ r = sampleSettings(c);
    for (const AngleViewState view : {AngleViewState(), AngleViewState {100.0f, 200.0f}}) {
        PixelRecorder device(900, 500);
        Graphics g;
        g.setDevice(&device);
        g.setRecorder(&device);
        const AngleViewLayout layout = drawAngleView(g, c, r, view, AngleViewTexts());
        ASSERT_TRUE(layout.pressure.present && layout.temperature.present);
        ASSERT_EQ(device.polylines.size(),
                  static_cast<std::size_t>(
                      std::count_if(device.ops().begin(), device.ops().end(),
                                    [](const DrawOp& op) { return op.kind == DrawOp::Kind::Polyline; })));
        // The pressure curves: colour number 1, in the upper panel.
        std::vector<std::pair<PointF, PointF>> points; // (angle, MPa) -> pixel
        std::size_t line = 0;
        for (const DrawOp& op : device.ops()) {
            if (op.kind != DrawOp::Kind::Polyline)
                continue;
            const std::vector<PointF>& px = device.polylines[line++];
            if (op.colourNumber != 1 || px.front().y > device.height() / 2.0)
                continue;
            for (std::size_t i = 0; i < op.x.size(); ++i) {
                EXPECT_GE(op.x[i], view.from);
                EXPECT_LE(op.x[i], view.to);
                points.push_back({{op.x[i], op.y[i]}, px[i]});
            }
        }
        ASSERT_GT(points.size(), 20u);
        // Every curve point is a grid point's (angle, pressure in MPa), but
        // for the two ends cut at the view's edges.
        int onGrid = 0;
        for (const auto& [u, px] : points)
            for (int k = 1; k <= 3; ++k)
                for (int j = 1; j <= 40; ++j)
                    if (float(u.x) == c.results.katcis(k, j) && float(u.y) == c.results.cis(k, j) / 1.0e6f)
                        ++onGrid;
        EXPECT_GE(onGrid, static_cast<int>(points.size()) - 4);
        const auto lo = std::min_element(points.begin(), points.end(),
                                         [](auto& a, auto& b) { return a.first.x < b.first.x; });
        const auto hi = std::max_element(points.begin(), points.end(),
                                         [](auto& a, auto& b) { return a.first.y < b.first.y; });
        const double sx = (hi->second.x - lo->second.x) / (hi->first.x - lo->first.x);
        const double sy = (hi->second.y - lo->second.y) / (hi->first.y - lo->first.y);
        EXPECT_GT(sx, 0.0);
        EXPECT_LT(sy, 0.0); // pressure grows upwards
        for (const auto& [u, px] : points) {
            EXPECT_NEAR(px.x, lo->second.x + sx * (u.x - lo->first.x), 1e-3);
            EXPECT_NEAR(px.y, lo->second.y + sy * (u.y - lo->first.y), 1e-3);
        }
        // A device point maps back to its angle through the same layer.
        float angle = 0.0f;
        ASSERT_TRUE(angleAtDevice(g, layout, hi->second, angle));
        EXPECT_NEAR(angle, hi->first.x, 1e-3);
        EXPECT_FALSE(angleAtDevice(g, layout, PointF {1.0, 1.0}, angle));
    }
}

// A compared case with values far above the shown case's axes, in a view
// narrower than its lobes: its curves stop at the frame of each axis.
TEST(AngleView, ComparedCurvesStayInsideTheAxes)
{
    const Case a = sampleCase(kVariantSolako, 3, 40);
    Case b = a;
    for (int k = 1; k <= 3; ++k)
        for (int j = 1; j <= 40; ++j) {
            b.results.cis(k, j) *= 3.0f;
            b.results.tem1(k, j) *= 2.0f;
            b.results.tem2(k, j) *= 0.2f;
        }
    const RYSUJ r = sampleSettings(a);
    for (const AngleViewState view : {AngleViewState(), AngleViewState {100.0f, 200.0f}}) {
        PixelRecorder device(900, 600);
        Graphics g;
        g.setDevice(&device);
        const AngleViewLayout layout = drawAngleView(g, a, r, view, AngleViewTexts());
        ASSERT_GT(b.results.cis(1, 20) / 1.0e6f, layout.pressure.units[3]); // above the axis
        std::vector<std::array<double, 4>> frames; // left, top, right, bottom in pixels
        for (const AnglePanel* panel : {&layout.pressure, &layout.temperature}) {
            g.IGRAREA(panel->area[0], panel->area[1], panel->area[2], panel->area[3]);
            g.IGRUNITS(panel->units[0], panel->units[1], panel->units[2], panel->units[3]);
            PointF p1, p2;
            ASSERT_TRUE(g.unitsToDevice(panel->units[0], panel->units[1], p1)
                        && g.unitsToDevice(panel->units[2], panel->units[3], p2));
            frames.push_back(
                {std::min(p1.x, p2.x), std::min(p1.y, p2.y), std::max(p1.x, p2.x), std::max(p1.y, p2.y)});
        }
        device.polylines.clear();
        g.setRecorder(&device);
        drawAngleComparison(g, layout, b, r, {"a", "b"});
        std::size_t line = 0, points = 0, outside = 0;
        for (const DrawOp& op : device.ops()) {
            if (op.kind != DrawOp::Kind::Polyline)
                continue;
            const std::vector<PointF>& px = device.polylines[line++];
            if (op.colour == Rgb {0, 0, 0})
                continue; // the legend's sample
            for (const PointF& p : px) {
                const bool inside = std::any_of(frames.begin(), frames.end(), [&](const auto& f) {
                    return p.x >= f[0] - 0.01 && p.x <= f[2] + 0.01 && p.y >= f[1] - 0.01
                        && p.y <= f[3] + 0.01;
                });
                outside += !inside;
                ++points;
            }
        }
        EXPECT_GT(points, 100u);
        EXPECT_EQ(outside, 0u) << view.from << ".." << view.to;
    }
}

// Values at the float limit, infinite or not numbers end the plot in bounded
// time with only finite points, and the summary says null for them.
TEST(AngleView, DamagedValuesDrawFinitelyAndSummariseAsNull)
{
    Case c = sampleCase(1, 3, 40);
    c.results.cis(1, 3) = 3.0e38f;
    c.results.cis(2, 4) = -3.0e38f;
    c.results.tem1(1, 5) = std::numeric_limits<float>::infinity();
    c.results.tem1(2, 5) = 3.0e38f;
    c.results.tem2(3, 5) = -3.0e38f;
    c.results.katcis(3, 6) = std::numeric_limits<float>::quiet_NaN();
    c.dane.tabpsi(5) = std::numeric_limits<float>::quiet_NaN();
    c.dane.ekscen = std::numeric_limits<float>::infinity();
    const RYSUJ r = sampleSettings(c);
    RecordingDevice device(800, 600);
    Graphics g;
    g.setDevice(&device);
    g.setRecorder(&device);
    drawAngleView(g, c, r, AngleViewState(), AngleViewTexts());
    EXPECT_FALSE(device.ops().empty());
    for (const DrawOp& op : device.ops())
        for (std::size_t i = 0; i < op.x.size(); ++i)
            ASSERT_TRUE(std::isfinite(op.x[i]) && std::isfinite(op.y[i]));
    const std::string json = summaryJson(c);
    EXPECT_NE(json.find("\"ekscen\": null"), std::string::npos) << json;
    EXPECT_EQ(json.find("inf"), std::string::npos) << json;
    EXPECT_NE(probeAt(c, r, 0.0f, 0.0f, 0.1f).kind, ProbeHit::Kind::Journal);
}

} // namespace
} // namespace lobus::test
