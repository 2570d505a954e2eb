#pragma once
// Labels beside points, placed so that none covers another label or a point:
// each label tries the places around its point nearest first, then farther
// rings; one that finds no free place takes the one it overlaps least.

#include "drawing/graphics/device.h"

#include <string>
#include <vector>

namespace lobus {

struct LabelBox {
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0; // device pixels, y down
    bool overlaps(const LabelBox& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

// Boxes for labels of the given widths and height (pixels) beside `points`,
// kept inside `bounds` where they fit.
std::vector<LabelBox> placeLabels(const std::vector<PointF>& points, const std::vector<double>& widths,
                                  double height, const LabelBox& bounds);

// The width a text of this many bytes of UTF-8 takes at `height` pixels, a
// little more than most fonts need.
double labelWidth(const std::string& text, double height);

} // namespace lobus
