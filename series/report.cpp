#include "series/report.h"

#include "datafiles/texts.h"
#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "numbers/numbertext.h"
#include "series/labelplace.h"
#include "series/seriesplot.h"
#include "series/seriestable.h"

#include <algorithm>
#include <cmath>

namespace lobus {

namespace {

enum Colour { kInk = 210, kRule, kMark };

// Text rows on the whole surface, each `rowPixels` high from the top, the
// characters sized to fit.
struct TextRows {
    Graphics& g;
    double rowPixels = 0.0;

    void setSize(double charPixels)
    {
        g.IGRCHARSIZE(1.0f, 1.0f);
        PointF a {}, b {};
        g.unitsToDevice(0.0f, 0.0f, a);
        g.unitsToDevice(0.0f, g.INFOGRAPHICS(4), b);
        const double base = std::abs(b.y - a.y);
        const float s = base > 0.0 ? static_cast<float>(charPixels / base) : 1.0f;
        g.IGRCHARSIZE(s, s);
    }
    void text(double x, int row, const std::string& t) const
    {
        float ux = 0.0f, uy = 0.0f;
        if (g.unitsFromDevice({x, (row + 0.5) * rowPixels}, ux, uy))
            g.IGRCHAROUT(ux, uy, t);
    }
    void rule(double x0, double x1, double y) const
    {
        float ax = 0.0f, ay = 0.0f, bx = 0.0f, by = 0.0f;
        if (g.unitsFromDevice({x0, y}, ax, ay) && g.unitsFromDevice({x1, y}, bx, by))
            g.IGRJOIN(ax, ay, bx, by);
    }
};

void startSurface(Graphics& g)
{
    g.IGRPALETTERGB(kInk, 0, 0, 0);
    g.IGRPALETTERGB(kRule, 160, 160, 160);
    g.IGRPALETTERGB(kMark, 210, 30, 30);
    g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f);
    g.IGRAREACLEAR();
    g.IGRUNITS(0.0f, 0.0f, 1.0f, 1.0f);
    g.IGRCHARJUSTIFY("L");
}

// Lines of text from the top of the surface, in as many columns as they need.
void drawLines(Graphics& g, const std::vector<std::string>& lines, double rowPixels)
{
    startSurface(g);
    const Device* d = g.device();
    TextRows rows {g, rowPixels};
    rows.setSize(0.7 * rowPixels);
    const int perColumn = std::max(1, static_cast<int>(d->height() / rowPixels));
    const int columns = (static_cast<int>(lines.size()) + perColumn - 1) / perColumn;
    double widest = 0.0;
    for (const std::string& l : lines)
        widest = std::max(widest, labelWidth(l, 0.7 * rowPixels));
    const double step = columns > 1 ? std::min(widest + rowPixels, double(d->width()) / columns) : 0.0;
    g.IGRCOLOURN(kInk);
    for (std::size_t i = 0; i < lines.size(); ++i)
        rows.text(static_cast<double>(i / static_cast<std::size_t>(perColumn)) * step,
                  static_cast<int>(i % static_cast<std::size_t>(perColumn)), lines[i]);
}

std::string valueText(float v) { return std::isnan(v) ? "—" : shortestText(v); }

std::string peakText(const Peak& p)
{
    return p.found ? texts::fillIn(texts::translate("lobus::Series", "%1 przy %2°"),
                                   {shortestText(p.value), shortestText(p.angle)})
                   : "—";
}

} // namespace

void drawSeriesTable(Graphics& g, const Series& series, int highlighted)
{
    startSurface(g);
    const Device* d = g.device();
    if (!d || d->width() <= 0 || d->height() <= 0)
        return;
    const std::vector<std::string> columns = seriesColumns(series);
    // The row height that lets every row in, no taller than a comfortable line.
    const double comfortable = std::max(d->height() / 30.0, d->dotsPerInch() * 14.0 / 72.0);
    double rowPixels = std::min(comfortable, d->height() / (series.size() + 1.0));
    // Columns as wide as their widest text, the text smaller when they do not fit.
    std::vector<double> widths(columns.size());
    double total = 0.0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        widths[c] = labelWidth(columns[c], 0.7 * rowPixels);
        for (const SeriesCase& sc : series)
            widths[c] = std::max(widths[c], labelWidth(cellText(sc, columns[c]), 0.7 * rowPixels));
        widths[c] += 0.7 * rowPixels;
        total += widths[c];
    }
    const double shrink = total > d->width() ? d->width() / total : 1.0;
    rowPixels *= shrink;
    TextRows rows {g, rowPixels};
    rows.setSize(0.7 * rowPixels);
    double x = 0.0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        g.IGRCOLOURN(kInk);
        rows.text(x, 0, columns[c]);
        for (std::size_t r = 0; r < series.size(); ++r) {
            g.IGRCOLOURN(static_cast<int>(r) == highlighted ? kMark : kInk);
            rows.text(x, static_cast<int>(r) + 1, cellText(series[r], columns[c]));
        }
        x += widths[c] * shrink;
    }
    g.IGRCOLOURN(kRule);
    rows.rule(0.0, x, rowPixels);
}

std::vector<std::string> caseNumberLines(const SeriesCase& sc)
{
    if (!sc.read())
        return {sc.error};
    std::vector<std::string> lines;
    const Series one {sc};
    for (const std::string& column : seriesColumns(one))
        lines.push_back(column + " = "
                        + (column == "case" || column == "solver" ? cellText(sc, column)
                                                                  : valueText(columnValue(sc, column))));
    for (const LobeFigures& l : sc.figures.lobes) {
        std::string line = texts::fillIn(
            texts::translate("lobus::Series", "klin %1: %2° do %3°, p %4"),
            {std::to_string(l.lobe), shortestText(l.start), shortestText(l.end), peakText(l.pressure)});
        if (sc.figures.thermal)
            line += texts::fillIn(texts::translate("lobus::Series", ", t1 %1, t2 %2"),
                                  {peakText(l.tem1), peakText(l.tem2)});
        lines.push_back(line);
    }
    for (const std::string& note : sc.notes)
        lines.push_back(note);
    return lines;
}

int reportPageCount(const Series& series) { return 1 + static_cast<int>(series.size()); }

std::vector<PageArea> reportPage(const Series& series, int page, const AngleViewTexts& texts)
{
    const auto heading = [](std::string text) {
        return [text = std::move(text)](Graphics& g) {
            const Device* d = g.device();
            drawLines(g, {text}, d ? d->height() * 0.9 : 1.0);
        };
    };
    if (page == 0)
        return {
            {0.0, 0.0, 1.0, 0.05, heading(texts::translate("lobus::Series", "Seria przypadków"))},
            {0.0, 0.06, 0.56, 0.94, [&series](Graphics& g) { drawSeriesTable(g, series, -1); }},
            {0.58, 0.06, 0.42, 0.6, [&series](Graphics& g) { drawLocus(g, series, -1); }},
        };
    const int index = page - 1;
    const SeriesCase& sc = series.at(static_cast<std::size_t>(index));
    std::vector<PageArea> areas {{0.0, 0.0, 1.0, 0.05, heading(sc.name + "  (" + sc.file + ")")}};
    const std::vector<std::string> lines = caseNumberLines(sc);
    if (sc.read()) {
        areas.push_back({0.0, 0.06, 0.5, 0.62, [&sc](Graphics& g) {
                             RYSUJ rysuj = sc.rysuj;
                             RYSUNEK(g, *sc.data, rysuj);
                         }});
        areas.push_back({0.51, 0.06, 0.49, 0.62, [&sc, &texts](Graphics& g) {
                             drawAngleView(g, *sc.data, sc.rysuj, AngleViewState(), texts);
                         }});
    }
    areas.push_back({0.0, sc.read() ? 0.7 : 0.06, 1.0, sc.read() ? 0.3 : 0.5, [lines](Graphics& g) {
                         const Device* d = g.device();
                         drawLines(g, lines,
                                   d ? std::max(d->height() / 14.0, d->dotsPerInch() * 9.0 / 72.0) : 1.0);
                     }});
    return areas;
}

} // namespace lobus
