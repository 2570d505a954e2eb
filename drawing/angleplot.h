#pragma once
// Internal to the angle-base view (angleview.h): what its steps share, and
// its curves drawn with the level of detail of the surface.

#include "drawing/angleview.h"
#include "drawing/casefigures.h"
#include "drawing/graphics/graphics.h"

#include <array>
#include <cmath>
#include <vector>

namespace lobus::angleplot {

enum class Curve { Pressure, Tem1, Tem2 };

// One point of a curve as it is drawn: its angle (unshifted) and its value
// in the files' units; a point whose angle or value is not finite breaks the
// curve there.
struct CurvePoint {
    float angle = 0.0f;
    float value = 0.0f;
};

// Every lobe's curves, walked once a plot, in one pass over the arrays: the
// points that stand for the others at the surface's level of detail (each
// run of two tolerances along the angle axis by its first point, its
// extremes and its last point; every point on a surface without one), and
// the smallest and largest value of each curve.
struct Curves {
    std::array<std::vector<CurvePoint>, 18> points; // [curve * 6 + lobe - 1]
    std::array<float, 3> low {};                    // files' units, per curve
    std::array<float, 3> high {};
    std::array<bool, 3> any {};

    std::vector<CurvePoint>& of(Curve curve, int k)
    {
        return points[static_cast<std::size_t>(static_cast<int>(curve) * 6 + k - 1)];
    }
    const std::vector<CurvePoint>& of(Curve curve, int k) const
    {
        return points[static_cast<std::size_t>(static_cast<int>(curve) * 6 + k - 1)];
    }
};

struct Plot {
    Plot(Graphics& graphics, const Case& shown, const RYSUJ& settings, const AngleViewState& state,
         const AngleViewTexts& words);

    Graphics& g;
    const Case& c;
    const RYSUJ& rysuj;
    const AngleViewState& view;
    const AngleViewTexts& texts;
    // A value plotted in the read-out units: a pressure divided by the
    // unit's N/m2, a temperature scale * value + offset.
    float pressureDivisor = 1.0f;
    float temperatureScale = 1.0f;
    float temperatureOffset = 0.0f;
    std::vector<float> x; // one run of a clipped curve
    std::vector<float> y;
    Curves curves;

    // The array a curve's values come from, in the files' units.
    const ResultArray& values(Curve curve) const
    {
        return curve == Curve::Pressure ? c.results.cis
            : curve == Curve::Tem1      ? c.results.tem1
                                        : c.results.tem2;
    }
    // A value of the files as plotted. The plotted order is the files':
    // smaller stays smaller.
    float plotted(Curve curve, float value) const
    {
        return curve == Curve::Pressure ? value / pressureDivisor
                                        : temperatureScale * value + temperatureOffset;
    }
    float valueOf(Curve curve, int k, int j) const { return plotted(curve, element(values(curve), k, j)); }
};

// Walks the curves of the case into plot.curves: the pressures, and the
// temperatures of a thermal case. `runDegrees` is the span of a run, 0 where
// every point is drawn.
void walkCurves(Plot& plot, double runDegrees);

// The angles a run spans along the angle axis of the panel in force: two
// tolerances of the surface's level of detail; 0 where it has none.
double runDegrees(const Plot& plot);

// The polyline of n points in dashes of `onPixels` and gaps of `offPixels`
// at 96 dpi, measured on the device so that they look alike on any scale and
// scaled with its resolution; a point that does not map (not finite) breaks it.
void dashedPolyline(Graphics& g, const float* x, const float* y, int n, double onPixels, double offPixels);

// Draws the run collected in plot.x/y, whole or dashed: 6 screen pixels on,
// 4 off, measured on the device so that the dashes look alike on any scale.
void flushRun(Plot& plot, bool dashed);

// One curve of lobe k, as walked, shifted by `offset` degrees and cut to
// the visible angles.
void drawCurve(Plot& plot, Curve curve, int k, float offset, bool dashed);

// The shifts by whole turns that bring part of lobe k into view, so that a
// lobe across 360 degrees shows on both ends of the axis.
template <class F> void forEachShift(const Plot& plot, int k, F f)
{
    const float start = plot.c.dane.tabpsi(2 * k - 1);
    const float end = plot.c.dane.tabpsi(2 * k);
    if (!std::isfinite(start) || !std::isfinite(end))
        return;
    for (float offset : {-360.0f, 0.0f, 360.0f})
        if (end + offset >= plot.view.from && start + offset <= plot.view.to)
            f(offset, start + offset, end + offset);
}

} // namespace lobus::angleplot
