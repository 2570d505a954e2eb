#include "drawing/compare.h"

#include "drawing/angleplot.h"
#include "drawing/casefigures.h"
#include "drawing/graphics/colours.h"
#include "drawing/graphics/graphics.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace lobus {

namespace {

constexpr int kOther = 190;  // palette entry of the lobe being drawn
constexpr int kLegend = 191; // the legend's ink

struct Outline {
    std::vector<float> x;
    std::vector<float> y;
};

// The outline drawn in dashes of 7 and gaps of 4 pixels at 96 dpi, scaled
// with the device; points that are not finite break it.
void dashed(Graphics& g, const Outline& o)
{
    angleplot::dashedPolyline(g, o.x.data(), o.y.data(), static_cast<int>(o.x.size()), 7.0, 4.0);
}

void lobeColour(Graphics& g, const RYSUJ& r, int k)
{
    g.IGRPALETTERGB(kOther, r.colour(1, k), r.colour(2, k), r.colour(3, k));
    g.IGRCOLOURN(kOther);
}

float scaledBy(float v, float length, float scale)
{
    return scale == 0.0f || !std::isfinite(scale) ? 0.0f : v * length / scale;
}

// A radial outline about (cx, cy): the arc of radius 1 at the lobe's angles,
// then back along the radii `radius(j)`.
template <class Radius> Outline radial(const Case& c, int k, float cx, float cy, Radius radius)
{
    Outline o;
    const int n = pointCount(c.dane, c.results, k);
    for (int j = 1; j <= n; ++j) {
        const double a = readValue(c, ResultColumn::Katcis, k, j) * std::numbers::pi / 180.0;
        o.x.push_back(cx + static_cast<float>(std::cos(a)));
        o.y.push_back(cy + static_cast<float>(std::sin(a)));
    }
    for (int j = n; j >= 1; --j) {
        const double a = readValue(c, ResultColumn::Katcis, k, j) * std::numbers::pi / 180.0;
        const float r = radius(j);
        o.x.push_back(cx + r * static_cast<float>(std::cos(a)));
        o.y.push_back(cy + r * static_cast<float>(std::sin(a)));
    }
    if (!o.x.empty()) {
        o.x.push_back(o.x.front());
        o.y.push_back(o.y.front());
    }
    return o;
}

// The outline shifted by `turn` degrees along x, cut to the frame `units`
// (x1, y1, x2, y2): what lies outside is left out, a piece ending at the
// frame ends where it crosses it, and pieces are parted by a point that is
// not finite.
Outline clipped(const Outline& o, float turn, const float* units)
{
    const double x1 = std::min(units[0], units[2]), x2 = std::max(units[0], units[2]);
    const double y1 = std::min(units[1], units[3]), y2 = std::max(units[1], units[3]);
    Outline out;
    const auto put = [&](double x, double y) {
        out.x.push_back(static_cast<float>(x));
        out.y.push_back(static_cast<float>(y));
    };
    const auto part = [&] {
        if (!out.x.empty() && std::isfinite(out.x.back()))
            put(std::nan(""), std::nan(""));
    };
    bool open = false; // the last point put ends the segment before
    for (std::size_t i = 1; i < o.x.size(); ++i) {
        const double ax = double(o.x[i - 1]) + turn, ay = o.y[i - 1];
        const double bx = double(o.x[i]) + turn, by = o.y[i];
        if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) {
            part();
            open = false;
            continue;
        }
        // Liang-Barsky: the part t0..t1 of a->b inside the frame.
        double t0 = 0.0, t1 = 1.0;
        const double dx = bx - ax, dy = by - ay;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {ax - x1, x2 - ax, ay - y1, y2 - ay};
        bool inside = true;
        for (int e = 0; e < 4 && inside; ++e) {
            if (p[e] == 0.0) {
                inside = q[e] >= 0.0;
                continue;
            }
            const double t = q[e] / p[e];
            if (p[e] < 0.0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            inside = t0 <= t1;
        }
        if (!inside || t0 >= t1) { // outside, or touching the frame at one point
            part();
            open = false;
            continue;
        }
        if (!open || t0 > 0.0) {
            part();
            put(ax + t0 * dx, ay + t0 * dy);
        }
        put(ax + t1 * dx, ay + t1 * dy);
        open = t1 >= 1.0;
    }
    return out;
}

// "A: name" with a solid sample and "B: name" with a dashed one, in the top
// right corner of the surface.
void legend(Graphics& g, const CompareNames& names)
{
    const Device* d = g.device();
    if (!d)
        return;
    g.IGRPALETTERGB(kLegend, 0, 0, 0);
    g.IGRCOLOURN(kLegend);
    const float cw = g.INFOGRAPHICS(3);
    const float ch = g.INFOGRAPHICS(4);
    float right = 0.0f, top = 0.0f;
    if (!g.unitsFromDevice({d->width() - 8.0, 8.0}, right, top))
        return;
    const std::size_t longest = std::max(names.shown.size(), names.other.size()) + 3;
    const float left = right - cw * static_cast<float>(longest) - 4.0f * cw;
    const float row = std::abs(ch) * 1.4f;
    const float y1 = top - row;
    const float y2 = top - 2.0f * row;
    g.IGRJOIN(left, y1, left + 2.5f * cw, y1);
    dashed(g, Outline {{left, left + 2.5f * cw}, {y2, y2}});
    g.IGRCHARJUSTIFY("L");
    g.IGRCHAROUT(left + 3.0f * cw, y1, "A: " + names.shown);
    g.IGRCHAROUT(left + 3.0f * cw, y2, "B: " + names.other);
    g.IGRCHARJUSTIFY("C");
}

} // namespace

void drawPictureComparison(Graphics& g, const Case& other, const RYSUJ& shownScales, const RYSUJ& otherScales,
                           const Case& shown, const CompareNames& names)
{
    const int lobes = lobeCount(other.dane);
    g.IGRFILLPATTERN(0, 2, 3);
    if (other.dane.thermal()) {
        const RYSUJ& t = shown.dane.thermal() ? shownScales : otherScales;
        for (int k = 1; k <= lobes; ++k) {
            lobeColour(g, otherScales, k);
            dashed(g, radial(other, k, 0.0f, 0.0f, [&](int j) {
                       return 1.0f + scaledBy(readValue(other, ResultColumn::Tem1, k, j), t.tlen, t.tscale);
                   }));
        }
    }
    for (int k = 1; k <= lobes; ++k) {
        lobeColour(g, otherScales, k);
        dashed(g, radial(other, k, other.dane.tabkla(k), other.dane.tabklb(k), [&](int j) {
                   return 1.0f
                       - scaledBy(readValue(other, ResultColumn::Cis, k, j), shownScales.plen,
                                  shownScales.pscale);
               }));
    }
    // B's journal centre: a ring where the picture puts a centre's dot.
    const double a = other.dane.katekscen * std::numbers::pi / 180.0;
    const float jx = other.dane.ekscen * static_cast<float>(std::cos(a));
    const float jy = other.dane.ekscen * static_cast<float>(std::sin(a));
    PointF centre {};
    if (g.unitsToDevice(jx, jy, centre)) {
        Outline ring;
        const double r = 5.0 * std::max(1.0, g.device()->dotsPerInch() / 96.0);
        for (int i = 0; i <= 24; ++i) {
            float x = 0.0f, y = 0.0f;
            g.unitsFromDevice({centre.x + r * std::cos(i * std::numbers::pi / 12.0),
                               centre.y + r * std::sin(i * std::numbers::pi / 12.0)},
                              x, y);
            ring.x.push_back(x);
            ring.y.push_back(y);
        }
        g.IGRCOLOURN(colours::kOutline);
        g.IGRPOLYLINE(ring.x.data(), ring.y.data(), static_cast<int>(ring.x.size()));
    }
    legend(g, names);
}

void drawAngleComparison(Graphics& g, const AngleViewLayout& layout, const Case& other,
                         const RYSUJ& otherScales, const CompareNames& names)
{
    const int lobes = lobeCount(other.dane);
    // B's values in the units the shown plot's axes are in, each lobe also a
    // turn either side, as the shown case's lobes across 360 degrees are.
    const auto curves = [&](const AnglePanel& panel, ResultColumn column, auto inUnits) {
        if (!panel.present)
            return;
        g.IGRAREA(panel.area[0], panel.area[1], panel.area[2], panel.area[3]);
        g.IGRUNITS(panel.units[0], panel.units[1], panel.units[2], panel.units[3]);
        for (int k = 1; k <= lobes; ++k) {
            Outline o;
            for (int j = 1; j <= pointCount(other.dane, other.results, k); ++j) {
                o.x.push_back(readValue(other, ResultColumn::Katcis, k, j));
                o.y.push_back(static_cast<float>(inUnits(readValue(other, column, k, j))));
            }
            lobeColour(g, otherScales, k);
            for (float turn : {-360.0f, 0.0f, 360.0f})
                dashed(g, clipped(o, turn, panel.units));
        }
    };
    const auto pressure = [&](float v) { return pressureIn(layout.units.pressure, v); };
    const auto temperature = [&](float v) { return temperatureIn(layout.units.temperature, v); };
    curves(layout.pressure, ResultColumn::Cis, pressure);
    if (other.dane.thermal()) {
        curves(layout.temperature, ResultColumn::Tem1, temperature);
        curves(layout.temperature, ResultColumn::Tem2, temperature);
    }
    g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f);
    g.IGRUNITS(0.0f, 0.0f, 1.0f, 1.0f);
    legend(g, names);
}

void drawPictureComparison(Graphics& g, const Case& shown, const RYSUJ& shownScales,
                           const ComparedCase& compared)
{
    if (compared)
        drawPictureComparison(g, *compared.other, shownScales, *compared.otherScales, shown, compared.names);
}

AngleViewLayout drawAngleViewCompared(Graphics& g, const Case& c, const RYSUJ& rysuj,
                                      const AngleViewState& view, const AngleViewTexts& texts,
                                      const ComparedCase& compared)
{
    const AngleViewLayout layout = drawAngleView(g, c, rysuj, view, texts);
    if (compared)
        drawAngleComparison(g, layout, *compared.other, *compared.otherScales, compared.names);
    return layout;
}

} // namespace lobus
