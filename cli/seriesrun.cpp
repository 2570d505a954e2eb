#include "cli/seriesrun.h"

#include "datafiles/filereplace.h"
#include "datafiles/texts.h"
#include "render/angleviewtexts.h"
#include "render/picturefile.h"
#include "series/report.h"
#include "series/seriesplot.h"
#include "series/seriesread.h"
#include "series/seriestable.h"

#include <cstdio>
#include <new>

namespace lobus {

namespace {

void printLine(const std::string& text) { std::fprintf(stderr, "lobus-render: %s\n", text.c_str()); }

// The chart's axis a person named, or a message listing the columns there are.
bool axisColumn(const std::vector<std::string>& columns, const std::string& name, std::string& column)
{
    if (const auto c = numberColumn(columns, name)) {
        column = *c;
        return true;
    }
    std::string known;
    for (std::size_t i = kSolverColumn + 1; i < columns.size(); ++i)
        known += (known.empty() ? "" : ", ") + columns[i];
    printLine(
        texts::fillIn(texts::translate("lobus::Render", "--view chart: seria nie ma kolumny '%1' (są: %2)"),
                      {name, known}));
    return false;
}

bool written(bool ok, const std::string& error, const std::string& note)
{
    if (!ok)
        printLine(error);
    else if (!note.empty())
        printLine(texts::fillIn(texts::translate("lobus::Render", "uwaga: %1"), {note}));
    return ok;
}

int writeOutput(const CommandLine& cl, const Series& series, bool (*print)(const std::string&))
{
    std::string error;
    std::string note;
    if (cl.summary)
        return print(seriesJson(series)) ? kExitDone : kExitReadFailed;
    if (!cl.csv.empty()) {
        const std::string text = seriesCsv(series);
        if (cl.csv == "-")
            return print(text) ? kExitDone : kExitReadFailed;
        return written(writeTextFile(cl.csv, text, error, {}, &note), error, note) ? kExitDone
                                                                                   : kExitReadFailed;
    }
    if (!cl.report.empty()) {
        const AngleViewTexts texts = angleViewTexts();
        const auto page = [&](int i) { return reportPage(series, i, texts); };
        return written(writePdfPages(cl.report, reportPageCount(series), page, error, {}, &note), error, note)
            ? kExitDone
            : kExitReadFailed;
    }
    std::string x;
    std::string y;
    if (cl.seriesView == "chart") {
        const std::vector<std::string> columns = seriesColumns(series);
        if (!axisColumn(columns, cl.xColumn, x) || !axisColumn(columns, cl.yColumn, y))
            return kExitUsage;
    }
    const Drawing draw = [&](Graphics& g) {
        if (cl.seriesView == "chart")
            drawChart(g, series, x, y, -1);
        else
            drawLocus(g, series, -1);
    };
    return written(writeDrawingFile(cl.output, cl.width, cl.height, draw, error, {}, &note), error, note)
        ? kExitDone
        : kExitReadFailed;
}

} // namespace

int runSeries(const CommandLine& cl, bool (*print)(const std::string&))
{
    try {
        const Series series = readSeries(seriesInputs(cl.seriesArguments));
        bool allRead = true;
        for (const SeriesCase& sc : series)
            if (!sc.read()) {
                allRead = false;
                printLine(texts::fillIn(texts::translate("lobus::Render", "%1: %2"), {sc.file, sc.error}));
            }
        const int status = writeOutput(cl, series, print);
        return status != kExitDone ? status : allRead ? kExitDone : kExitReadFailed;
    } catch (const std::bad_alloc&) {
        printLine(texts::fillIn(texts::translate("lobus", "Brak pamięci na %1"),
                                {texts::translate("lobus::Render", "serię przypadków")}));
        return kExitReadFailed;
    }
}

} // namespace lobus
