#include "series/seriesplot.h"

#include "datafiles/texts.h"
#include "drawing/angleview.h"
#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "numbers/numbertext.h"
#include "series/labelplace.h"
#include "series/seriestable.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lobus {

namespace {

// Palette numbers of the series' plots.
enum Colour { kInk = 200, kFaint, kTrack, kMark, kGrid };

void setPalette(Graphics& g)
{
    g.IGRPALETTERGB(kInk, 0, 0, 0);
    g.IGRPALETTERGB(kFaint, 120, 120, 120);
    g.IGRPALETTERGB(kTrack, 0, 80, 170);
    g.IGRPALETTERGB(kMark, 210, 30, 30);
    g.IGRPALETTERGB(kGrid, 215, 215, 215);
}

PointF device(const Graphics& g, float x, float y)
{
    PointF p {std::nan(""), std::nan("")};
    g.unitsToDevice(x, y, p);
    return p;
}

void textAtDevice(Graphics& g, PointF p, const std::string& text, const char* justify = "L")
{
    float x = 0.0f;
    float y = 0.0f;
    if (!g.unitsFromDevice(p, x, y))
        return;
    g.IGRCHARJUSTIFY(justify);
    g.IGRCHAROUT(x, y, text);
}

// The character height in device pixels at the current size.
double charPixels(const Graphics& g)
{
    return std::abs(device(g, 0.0f, g.INFOGRAPHICS(4)).y - device(g, 0.0f, 0.0f).y);
}

// An ellipse of radii rx, ry about (cx, cy): a circle on the locus's equal
// scales, a ring of the screen on the chart's.
void ellipse(Graphics& g, float cx, float cy, float rx, float ry, int fill)
{
    float x[73];
    float y[73];
    for (int i = 0; i < 73; ++i) {
        const double a = 5.0 * i * std::numbers::pi / 180.0;
        x[i] = cx + rx * static_cast<float>(std::cos(a));
        y[i] = cy + ry * static_cast<float>(std::sin(a));
    }
    g.IGRFILLPATTERN(fill, 2, 3);
    g.IGRPOLYGONCOMPLEX(x, y, 73);
    g.IGRFILLPATTERN(0, 2, 3);
}

// A ring of `pixels` radius about a device point.
void ring(Graphics& g, PointF p, double pixels)
{
    float cx = 0.0f, cy = 0.0f, ex = 0.0f, ey = 0.0f, fx = 0.0f, fy = 0.0f;
    if (!g.unitsFromDevice(p, cx, cy) || !g.unitsFromDevice({p.x + pixels, p.y}, ex, ey)
        || !g.unitsFromDevice({p.x, p.y + pixels}, fx, fy))
        return;
    ellipse(g, cx, cy, std::abs(ex - cx), std::abs(fy - cy), 0);
}

// The points' labels, with a thin leader to a label placed away from its point.
void drawLabels(Graphics& g, const std::vector<PointF>& points, const std::vector<std::string>& labels)
{
    const Device* d = g.device();
    const double h = charPixels(g);
    std::vector<double> widths;
    for (const std::string& s : labels)
        widths.push_back(labelWidth(s, h));
    const LabelBox bounds {2.0, 2.0, d->width() - 2.0, d->height() - 2.0};
    const std::vector<LabelBox> boxes = placeLabels(points, widths, h, bounds);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const LabelBox& b = boxes[i];
        const PointF p = points[i];
        const PointF near {std::clamp(p.x, b.x0, b.x1), std::clamp(p.y, b.y0, b.y1)};
        if (std::hypot(near.x - p.x, near.y - p.y) > 0.75 * h + 4.0) {
            float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;
            if (g.unitsFromDevice(p, x1, y1) && g.unitsFromDevice(near, x2, y2)) {
                g.IGRCOLOURN(kFaint);
                g.IGRJOIN(x1, y1, x2, y2);
            }
        }
        g.IGRCOLOURN(kInk);
        textAtDevice(g, {b.x0, (b.y0 + b.y1) / 2.0}, labels[i]);
    }
}

void marks(Graphics& g, const Series& series, const PlotPoints& pts, int highlighted)
{
    g.IGRCOLOURN(kTrack);
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < pts.at.size(); ++i) {
        float x = 0.0f, y = 0.0f;
        if (g.unitsFromDevice(pts.at[i], x, y))
            KROPKA5(g, x, y);
        labels.push_back(series[static_cast<std::size_t>(pts.cases[i])].name);
    }
    for (std::size_t i = 0; i < pts.at.size(); ++i)
        if (pts.cases[i] == highlighted) {
            g.IGRCOLOURN(kMark);
            ring(g, pts.at[i], 7.0);
            ring(g, pts.at[i], 8.0);
        }
    drawLabels(g, pts.at, labels);
}

std::string tickText(double v, double step)
{
    const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    return fixedText(std::abs(v) < step * 1e-6 ? 0.0 : v, decimals);
}

// The range shown for values from lo to hi: a little wider, never empty.
void widen(double& lo, double& hi)
{
    if (!(hi > lo)) {
        const double pad = lo == 0.0 ? 1.0 : std::abs(lo) * 0.1;
        lo -= pad;
        hi += pad;
        return;
    }
    const double pad = (hi - lo) * 0.08;
    lo -= pad;
    hi += pad;
}

} // namespace

int PlotPoints::caseAt(PointF p, double radius) const
{
    int best = -1;
    double bestDistance = radius;
    for (std::size_t i = 0; i < at.size(); ++i)
        if (const double d = std::hypot(at[i].x - p.x, at[i].y - p.y); d <= bestDistance) {
            bestDistance = d;
            best = cases[i];
        }
    return best;
}

std::string changeText(const Series& series)
{
    const auto change = changingCondition(series);
    if (!change)
        return {};
    // A sweep reads in its order, from its first case to its last; values
    // that go back and forth (cases without it left out) read as their range.
    std::vector<float> v;
    for (float x : change->values)
        if (std::isfinite(x))
            v.push_back(x);
    if (v.empty())
        return {};
    const bool sweep = std::is_sorted(v.begin(), v.end()) || std::is_sorted(v.rbegin(), v.rend());
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    return texts::fillIn(
        texts::translate("lobus::Series", "zmienia się %1: od %2 do %3"),
        {change->title, shortestText(sweep ? v.front() : *lo), shortestText(sweep ? v.back() : *hi)});
}

namespace {

// The surface a plot draws on, cleared in the plot's palette; null when
// there is none to draw on.
Device* clearedSurface(Graphics& g)
{
    Device* d = g.device();
    if (!d || d->width() <= 0 || d->height() <= 0)
        return nullptr;
    setPalette(g);
    g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f);
    g.IGRAREACLEAR();
    return d;
}

} // namespace

PlotPoints drawLocus(Graphics& g, const Series& series, int highlighted)
{
    PlotPoints pts;
    Device* d = clearedSurface(g);
    if (!d)
        return pts;
    // Equal scales: the units keep the surface's own aspect.
    const float aspect = static_cast<float>(d->width()) / static_cast<float>(d->height());
    const float half = 1.3f;
    const float hx = aspect >= 1.0f ? half * aspect : half;
    const float hy = aspect >= 1.0f ? half : half / aspect;
    g.IGRUNITS(-hx, -hy, hx, hy);
    g.IGRCHARSIZE(0.6f, 0.6f);

    g.IGRCOLOURN(kGrid);
    g.IGRJOIN(-1.15f, 0.0f, 1.15f, 0.0f);
    g.IGRJOIN(0.0f, -1.15f, 0.0f, 1.15f);
    g.IGRCOLOURN(kFaint);
    ellipse(g, 0.0f, 0.0f, 1.0f, 1.0f, 0);
    KROPKA5(g, 0.0f, 0.0f);

    std::vector<float> x;
    std::vector<float> y;
    for (std::size_t i = 0; i < series.size(); ++i) {
        const CaseFigures& f = series[i].figures;
        if (!series[i].read() || !std::isfinite(f.ekscen) || !std::isfinite(f.katekscen))
            continue;
        const double a = f.katekscen * std::numbers::pi / 180.0;
        x.push_back(f.ekscen * static_cast<float>(std::cos(a)));
        y.push_back(f.ekscen * static_cast<float>(std::sin(a)));
        pts.cases.push_back(static_cast<int>(i));
        pts.at.push_back(device(g, x.back(), y.back()));
    }
    g.IGRCOLOURN(kTrack);
    if (x.size() > 1)
        g.IGRPOLYLINE(x.data(), y.data(), static_cast<int>(x.size()));
    marks(g, series, pts, highlighted);

    // The inset: what the plot is, and what changes along the series.
    const double h = charPixels(g);
    const std::string title = texts::translate("lobus::Series", "Środek czopa w okręgu luzu");
    const std::string change = changeText(series);
    const double w = std::max(labelWidth(title, h), labelWidth(change, h)) + h;
    const double lines = change.empty() ? 1.0 : 2.0;
    float bx[5], by[5];
    const PointF corners[5] = {{h / 2, h / 2},
                               {h / 2 + w, h / 2},
                               {h / 2 + w, h / 2 + (lines + 0.6) * h},
                               {h / 2, h / 2 + (lines + 0.6) * h},
                               {h / 2, h / 2}};
    for (int i = 0; i < 5; ++i)
        g.unitsFromDevice(corners[i], bx[i], by[i]);
    g.IGRCOLOURN(kFaint);
    g.IGRPOLYLINE(bx, by, 5);
    g.IGRCOLOURN(kInk);
    textAtDevice(g, {h, 1.3 * h}, title);
    if (!change.empty())
        textAtDevice(g, {h, 2.4 * h}, change);
    return pts;
}

PlotPoints drawChart(Graphics& g, const Series& series, const std::string& xColumn,
                     const std::string& yColumn, int highlighted)
{
    PlotPoints pts;
    Device* d = clearedSurface(g);
    if (!d)
        return pts;
    std::vector<float> xs;
    std::vector<float> ys;
    std::vector<int> cases;
    for (std::size_t i = 0; i < series.size(); ++i) {
        const float x = columnValue(series[i], xColumn);
        const float y = columnValue(series[i], yColumn);
        if (std::isfinite(x) && std::isfinite(y)) {
            xs.push_back(x);
            ys.push_back(y);
            cases.push_back(static_cast<int>(i));
        }
    }
    double x0 = xs.empty() ? 0.0 : *std::ranges::min_element(xs);
    double x1 = xs.empty() ? 1.0 : *std::ranges::max_element(xs);
    double y0 = ys.empty() ? 0.0 : *std::ranges::min_element(ys);
    double y1 = ys.empty() ? 1.0 : *std::ranges::max_element(ys);
    widen(x0, x1);
    widen(y0, y1);
    g.IGRAREA(0.14f, 0.12f, 0.96f, 0.9f);
    g.IGRUNITS(static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x1),
               static_cast<float>(y1));
    g.IGRCHARSIZE(0.6f, 0.6f);
    double h = charPixels(g);

    const double xStep = tickStep(x1 - x0, 6, false);
    const double yStep = tickStep(y1 - y0, 6, false);
    // A narrow plot moves its frame right until the widest value on the Y
    // axis fits to the left of it.
    double widest = 0.0;
    for (double v = std::ceil(y0 / yStep) * yStep; v <= y1; v += yStep)
        widest = std::max(widest, labelWidth(tickText(v, yStep), h));
    if (const double left = (widest + 1.0 * h) / d->width(); left > 0.14) {
        g.IGRAREA(static_cast<float>(std::min(left, 0.6)), 0.12f, 0.96f, 0.9f);
        g.IGRUNITS(static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x1),
                   static_cast<float>(y1));
        g.IGRCHARSIZE(0.6f, 0.6f);
        h = charPixels(g);
    }
    for (double v = std::ceil(x0 / xStep) * xStep; v <= x1; v += xStep) {
        g.IGRCOLOURN(kGrid);
        g.IGRJOIN(static_cast<float>(v), static_cast<float>(y0), static_cast<float>(v),
                  static_cast<float>(y1));
        g.IGRCOLOURN(kInk);
        const PointF at = device(g, static_cast<float>(v), static_cast<float>(y0));
        textAtDevice(g, {at.x, at.y + 1.0 * h}, tickText(v, xStep), "C");
    }
    for (double v = std::ceil(y0 / yStep) * yStep; v <= y1; v += yStep) {
        g.IGRCOLOURN(kGrid);
        g.IGRJOIN(static_cast<float>(x0), static_cast<float>(v), static_cast<float>(x1),
                  static_cast<float>(v));
        g.IGRCOLOURN(kInk);
        const std::string t = tickText(v, yStep);
        const PointF at = device(g, static_cast<float>(x0), static_cast<float>(v));
        textAtDevice(g, {at.x - labelWidth(t, h) - 0.5 * h, at.y}, t);
    }
    g.IGRCOLOURN(kInk);
    const float fx[5] = {float(x0), float(x1), float(x1), float(x0), float(x0)};
    const float fy[5] = {float(y0), float(y0), float(y1), float(y1), float(y0)};
    g.IGRPOLYLINE(fx, fy, 5);
    const PointF bottom = device(g, static_cast<float>((x0 + x1) / 2), static_cast<float>(y0));
    textAtDevice(g, {bottom.x, bottom.y + 2.4 * h}, xColumn, "C");
    const PointF top = device(g, static_cast<float>(x0), static_cast<float>(y1));
    textAtDevice(g, {top.x, top.y - 1.0 * h}, yColumn);

    for (std::size_t i = 0; i < xs.size(); ++i) {
        pts.cases.push_back(cases[i]);
        pts.at.push_back(device(g, xs[i], ys[i]));
    }
    marks(g, series, pts, highlighted);
    return pts;
}

} // namespace lobus
