#include "drawing/angleview.h"

#include "drawing/angleplot.h"

#include "drawing/graphics/units.h"

#include "drawing/casefigures.h"
#include "drawing/graphics/colours.h"
#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "numbers/numbertext.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lobus {

namespace {

using namespace angleplot;

// Colour numbers of the plot. Entry 1 takes each lobe's colour and entry 2
// its light tint in turn, as the picture redefines entry 1 per lobe.
constexpr int kLobe = colours::kWedge;
constexpr int kTint = 2;
constexpr int kInk = colours::kAxes; // frame, ticks, labels
constexpr int kGrid = 230;           // light grey grid lines
constexpr int kCursor = colours::kHatch;

// Curves are this many screen pixels wide.
constexpr double kCurveWidth = 2.0;

// The smallest and largest value of the curves over every point read, as
// plotted: the files' order is the plotted one.
bool valueRange(const Plot& plot, std::initializer_list<Curve> curves, float& lo, float& hi)
{
    bool any = false;
    for (Curve curve : curves) {
        const auto u = static_cast<std::size_t>(curve);
        if (!plot.curves.any[u])
            continue;
        const float l = plot.plotted(curve, plot.curves.low[u]);
        const float h = plot.plotted(curve, plot.curves.high[u]);
        lo = any ? std::min(lo, l) : l;
        hi = any ? std::max(hi, h) : h;
        any = true;
    }
    return any;
}

void setPanel(Graphics& g, const AnglePanel& p)
{
    g.IGRAREA(p.area[0], p.area[1], p.area[2], p.area[3]);
    g.IGRUNITS(p.units[0], p.units[1], p.units[2], p.units[3]);
}

void rectangle(Graphics& g, float x1, float y1, float x2, float y2)
{
    const float x[4] = {x1, x2, x2, x1};
    const float y[4] = {y1, y1, y2, y2};
    g.IGRPOLYGONCOMPLEX(x, y, 4);
}

std::string tickText(double v, double step)
{
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1.0e-9)), 0, 6);
    return fixedText(std::abs(v) < step * 1.0e-6 ? 0.0 : v, decimals);
}

void useLobeColours(Graphics& g, const RYSUJ& rysuj, int k)
{
    const int r = rysuj.colour(1, k);
    const int gr = rysuj.colour(2, k);
    const int b = rysuj.colour(3, k);
    g.IGRPALETTERGB(kLobe, r, gr, b);
    // A fifth of the colour on white: clearly the lobe's, light enough that
    // every curve reads over it.
    g.IGRPALETTERGB(kTint, 255 - (255 - r) / 5, 255 - (255 - gr) / 5, 255 - (255 - b) / 5);
}

void drawPanel(Plot& plot, const AnglePanel& panel, std::initializer_list<Curve> curves,
               const std::string& axisTitle, bool angleTitle, bool names)
{
    Graphics& g = plot.g;
    setPanel(g, panel);
    const float x1 = panel.units[0], y1 = panel.units[1], x2 = panel.units[2], y2 = panel.units[3];
    const float cw = g.INFOGRAPHICS(3);
    const float ch = g.INFOGRAPHICS(4);
    const int lobes = lobeCount(plot.c.dane);

    // Each lobe's extent, lightly.
    g.IGRFILLPATTERN(4, 2, 3);
    for (int k = 1; k <= lobes; ++k) {
        useLobeColours(g, plot.rysuj, k);
        g.IGRCOLOURN(kTint);
        forEachShift(plot, k, [&](float, float start, float end) {
            rectangle(g, std::max(start, x1), y1, std::min(end, x2), y2);
        });
    }
    g.IGRFILLPATTERN(0, 2, 3);

    // Grid and ticks; none along an axis whose range the steps cannot cut
    // into a few pieces (a damaged case's values near the float limit).
    g.IGRCHARJUSTIFY("C");
    const double xs = tickStep(double(x2) - x1, 8, true);
    const double ys = tickStep(double(y2) - y1, 5, false);
    auto few = [](double lo, double hi, double step) {
        return std::isfinite((hi - lo) / step) && (hi - lo) / step < 50.0;
    };
    for (double t = std::ceil(x1 / xs) * xs; few(x1, x2, xs) && t <= x2 + xs * 1.0e-6; t += xs) {
        const float tx = static_cast<float>(t);
        g.IGRCOLOURN(kGrid);
        g.IGRJOIN(tx, y1, tx, y2);
        g.IGRCOLOURN(kInk);
        g.IGRJOIN(tx, y1, tx, y1 - 0.4f * ch);
        g.IGRCHAROUT(tx, y1 - 1.1f * ch, tickText(t, xs));
    }
    for (double t = std::ceil(y1 / ys) * ys; few(y1, y2, ys) && t <= y2 + ys * 1.0e-6; t += ys) {
        const float ty = static_cast<float>(t);
        g.IGRCOLOURN(kGrid);
        g.IGRJOIN(x1, ty, x2, ty);
        g.IGRCOLOURN(kInk);
        g.IGRJOIN(x1, ty, x1 - 0.6f * cw, ty);
        g.IGRCHAROUT(x1 - 3.8f * cw, ty, tickText(t, ys));
    }

    // The curves, each lobe in its colour.
    g.setLineWidth(kCurveWidth);
    for (int k = 1; k <= lobes; ++k) {
        useLobeColours(g, plot.rysuj, k);
        g.IGRCOLOURN(kLobe);
        forEachShift(plot, k, [&](float offset, float, float) {
            for (Curve curve : curves)
                drawCurve(plot, curve, k, offset, curve == Curve::Tem2);
        });
    }
    g.setLineWidth(0.0);

    // Each lobe's number at the top of its extent, where it shows.
    if (names) {
        g.IGRCOLOURN(kInk);
        g.IGRCHARJUSTIFY("C");
        for (int k = 1; k <= lobes; ++k)
            forEachShift(plot, k, [&](float, float start, float end) {
                const float from = std::max(start, x1);
                const float to = std::min(end, x2);
                if (to - from > 2.0f * cw)
                    g.IGRCHAROUT(0.5f * (from + to), y2 - 0.8f * ch, std::to_string(k));
            });
    }

    g.IGRCOLOURN(kInk);
    rectangle(g, x1, y1, x2, y2);
    g.IGRCHARJUSTIFY("L");
    g.IGRCHAROUT(x1 - 7.5f * cw, y2 + 0.9f * ch, axisTitle);
    if (angleTitle) {
        g.IGRCHARJUSTIFY("C");
        g.IGRCHAROUT(0.5f * (x1 + x2), y1 - 2.3f * ch, plot.texts.angleAxis);
    }

    if (plot.view.hasCursor && plot.view.cursor >= x1 && plot.view.cursor <= x2) {
        g.IGRCOLOURN(kCursor);
        g.IGRJOIN(plot.view.cursor, y1, plot.view.cursor, y2);
    }
}

void drawMark(Plot& plot, const AnglePanel& panel, Curve curve)
{
    const int k = plot.view.markLobe;
    const int j = plot.view.markPoint;
    if (k < 1 || k > lobeCount(plot.c.dane) || j < 1 || j > pointCount(plot.c.dane, plot.c.results, k))
        return;
    setPanel(plot.g, panel);
    plot.g.IGRCOLOURN(kInk);
    const float v = plot.valueOf(curve, k, j);
    forEachShift(plot, k, [&](float offset, float, float) {
        const float a = element(plot.c.results.katcis, k, j) + offset;
        if (a >= plot.view.from && a <= plot.view.to)
            KROPKA5(plot.g, a, v);
    });
}

// One row in the top right corner of the panel, inside the room left above
// the curves: a solid sample and its label, a dashed sample and its label.
void drawLegend(Plot& plot, const AnglePanel& panel)
{
    Graphics& g = plot.g;
    setPanel(g, panel);
    const float cw = g.INFOGRAPHICS(3);
    const float ch = g.INFOGRAPHICS(4);
    const float y = panel.units[3] - 0.9f * ch;
    const std::string& first = plot.c.results.named.tem1.name;
    const std::string& second = plot.c.results.named.tem2.name;
    // Labels are counted in characters; a UTF-8 letter's second byte is not.
    auto width = [&](const std::string& s) {
        return cw * static_cast<float>(std::count_if(s.begin(), s.end(), [](char b) {
                   return (b & 0xC0) != 0x80;
               }));
    };
    float x = panel.units[2] - (width(first) + width(second) + 14.0f * cw);
    g.IGRCOLOURN(kInk);
    g.IGRCHARJUSTIFY("L");
    for (int i = 0; i < 2; ++i) {
        plot.x.assign({x, x + 4.0f * cw});
        plot.y.assign({y, y});
        g.setLineWidth(kCurveWidth);
        flushRun(plot, i == 1);
        g.setLineWidth(0.0);
        const std::string& label = i == 0 ? first : second;
        g.IGRCHAROUT(x + 5.0f * cw, y, label);
        x += 5.0f * cw + width(label) + 2.0f * cw;
    }
}

} // namespace

double tickStep(double range, int parts, bool angles)
{
    if (!(range > 0.0) || !std::isfinite(range) || parts < 1)
        return 1.0;
    const double raw = range / parts;
    if (angles && raw > 10.0) {
        for (double s : {15.0, 30.0, 45.0, 90.0})
            if (s >= raw)
                return s;
    }
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw)
            return m * power;
    return 10.0 * power;
}

AngleViewLayout drawAngleView(Graphics& g, const Case& c, const RYSUJ& rysuj, const AngleViewState& view,
                              const AngleViewTexts& texts)
{
    AngleViewLayout layout;
    layout.units = texts.units;
    const bool thermal = c.dane.thermal();

    // Character cells as fractions of the surface, for the margins.
    g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f);
    g.IGRUNITS(0.0f, 0.0f, 1.0f, 1.0f);
    g.IGRCHARSIZE(0.7f, 0.7f);
    g.IGRAREACLEAR();
    const float cw = std::clamp(g.INFOGRAPHICS(3), 0.0f, 0.05f);
    const float ch = std::clamp(g.INFOGRAPHICS(4), 0.0f, 0.08f);
    const float left = 9.0f * cw;
    const float right = 1.0f - 2.0f * cw;
    const float top = 1.0f - 1.8f * ch;
    const float bottom = 3.6f * ch;
    const float from = view.to > view.from ? view.from : 0.0f;
    const float to = view.to > view.from ? view.to : 360.0f;

    auto panel = [&](float y1, float y2, float lo, float hi) {
        // A damaged case's values near the float limit still give an axis
        // the graphics layer accepts.
        constexpr float kLimit = 1.0e37f;
        lo = std::isnan(lo) ? 0.0f : std::clamp(lo, -kLimit, kLimit);
        hi = std::isnan(hi) ? 1.0f : std::clamp(hi, -kLimit, kLimit);
        if (!(hi > lo))
            hi = lo + std::max(1.0f, std::abs(lo));
        AnglePanel p;
        p.present = y2 > y1;
        p.area[0] = left;
        p.area[1] = y1;
        p.area[2] = right;
        p.area[3] = y2;
        p.units[0] = from;
        p.units[1] = lo;
        p.units[2] = to;
        p.units[3] = hi;
        return p;
    };

    // The curves walked once, at the level of detail of the angle axis.
    Plot plot(g, c, rysuj, view, texts);
    setPanel(g, panel(bottom, top, 0.0f, 1.0f));
    walkCurves(plot, runDegrees(plot));
    float plo = 0.0f;
    float phi = 0.0f;
    valueRange(plot, {Curve::Pressure}, plo, phi);
    plo = std::min(plo, 0.0f);
    phi = std::max(phi, 0.0f);
    const float pspan = phi - plo > 0.0f ? phi - plo : 1.0f;
    // Room above the curves for the lobes' numbers.
    phi = plo + 1.14f * pspan;
    plo = plo < 0.0f ? plo - 0.04f * pspan : plo;

    if (thermal) {
        float tlo = 0.0f;
        float thi = 0.0f;
        if (!valueRange(plot, {Curve::Tem1, Curve::Tem2}, tlo, thi)) {
            tlo = 0.0f;
            thi = 1.0f;
        }
        const float tspan = thi - tlo > 0.0f ? thi - tlo : 1.0f;
        const float middle = 0.5f * (bottom + top);
        layout.pressure = panel(middle + 2.4f * ch, top, plo, phi);
        layout.temperature = panel(bottom, middle - 1.6f * ch, tlo - 0.05f * tspan, thi + 0.25f * tspan);
        drawPanel(plot, layout.pressure, {Curve::Pressure}, texts.pressureAxis, false, true);
        drawMark(plot, layout.pressure, Curve::Pressure);
        drawPanel(plot, layout.temperature, {Curve::Tem1, Curve::Tem2}, texts.temperatureAxis, true, false);
        drawMark(plot, layout.temperature, Curve::Tem1);
        drawLegend(plot, layout.temperature);
    } else {
        layout.pressure = panel(bottom, top, plo, phi);
        drawPanel(plot, layout.pressure, {Curve::Pressure}, texts.pressureAxis, true, true);
        drawMark(plot, layout.pressure, Curve::Pressure);
    }
    return layout;
}

bool angleAtDevice(Graphics& g, const AngleViewLayout& layout, PointF p, float& angle)
{
    for (const AnglePanel* panel : {&layout.pressure, &layout.temperature}) {
        if (!panel->present)
            continue;
        setPanel(g, *panel);
        float x = 0.0f;
        float y = 0.0f;
        if (!g.unitsFromDevice(p, x, y))
            continue;
        const float x1 = panel->units[0], y1 = panel->units[1], x2 = panel->units[2], y2 = panel->units[3];
        if (x >= x1 && x <= x2 && y >= y1 && y <= y2) {
            angle = x;
            return true;
        }
    }
    return false;
}

} // namespace lobus
