#pragma once
// The series drawn through the graphics layer, so that the window, the
// picture files and the report take the same plots:
// - the locus: the clearance circle (radius 1) with the journal centre of
//   each case at (ekscen cos katekscen, ekscen sin katekscen), as the picture
//   places it, on equal scales, joined in the series' order, each point
//   labelled with its case; an inset names the one condition that changes;
// - the chart: one column of the table against another, a point per case.
// Labels are placed where they overlap neither each other nor the points.

#include "drawing/graphics/device.h"
#include "series/series.h"

#include <string>
#include <vector>

namespace lobus {

class Graphics;

// Where each case read landed, in device pixels: for a pointer's click.
struct PlotPoints {
    std::vector<int> cases; // index into the series
    std::vector<PointF> at;
    // The case whose point lies within `radius` pixels of p, nearest first; -1 when none.
    int caseAt(PointF p, double radius) const;
};

// Clears the surface and draws; `highlighted` (-1: none) is marked.
PlotPoints drawLocus(Graphics& g, const Series& series, int highlighted);
PlotPoints drawChart(Graphics& g, const Series& series, const std::string& xColumn,
                     const std::string& yColumn, int highlighted);

// The inset's text: the condition that changes, from its first to its last
// value along a sweep, else its smallest and largest;
// empty when none or more than one changes.
std::string changeText(const Series& series);

} // namespace lobus
