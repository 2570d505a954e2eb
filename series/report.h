#pragma once
// The report of a series: page 1 the series table and the locus, then one
// page per case with its picture, its angle view and its numbers (an
// unreadable case: its error). The pages are areas of drawings, so any
// document surface takes them.

#include "drawing/angleview.h"
#include "drawing/graphics/pagearea.h"
#include "series/series.h"

#include <string>
#include <vector>

namespace lobus {

int reportPageCount(const Series& series);

// The areas of page `page` (from 0). The drawings hold references to the
// series and the texts, which must outlive them.
std::vector<PageArea> reportPage(const Series& series, int page, const AngleViewTexts& texts);

// The series table on the whole surface: a header row and a row per case,
// `highlighted` (-1: none) marked; the text shrinks to fit every row.
void drawSeriesTable(Graphics& g, const Series& series, int highlighted);

// The numbers of one case, a line each: the summary's figures, the named
// values, each lobe's extent and peaks.
std::vector<std::string> caseNumberLines(const SeriesCase& sc);

} // namespace lobus
