#pragma once
// The angle-base view: pressure against angle for every lobe on one axis
// (angles in degrees, each lobe's extent shaded lightly and named by its
// number, each lobe in its colour) and, for a thermal case, a second axis
// below with both temperature curves of each lobe, the first solid and the
// second dashed, with a legend. Curves are two screen pixels wide, so that
// lobes of one colour are told apart. Drawn through the graphics layer, so
// the screen, the image, SVG, PDF and the printer all take the same plot.
// Each axis is one area of the surface with its own user units: (angle,
// pressure) above, (angle, temperature) below, in the units of the texts.

#include "datafiles/state.h"
#include "drawing/graphics/device.h"
#include "numbers/readoutunits.h"

#include <string>

namespace lobus {

class Graphics;

// The texts a person reads on the plot, translated by the caller, and the
// units its values are plotted in. The legend of the temperature curves
// names them as the temperature file's column header does.
struct AngleViewTexts {
    std::string angleAxis;       // under the angle axis
    std::string pressureAxis;    // beside the pressure axis, with its unit
    std::string temperatureAxis; // beside the temperature axis, with its unit
    ReadoutUnits units;
};

// What part of the plot is shown and what is marked on it.
struct AngleViewState {
    float from = 0.0f; // visible angles, degrees
    float to = 360.0f;
    float cursor = 0.0f; // the linked cursor line's angle, when `hasCursor`
    bool hasCursor = false;
    int markLobe = 0; // a grid point marked with a dot (0: none)
    int markPoint = 0;

    void reset() { *this = AngleViewState(); }
};

// One axis: its area (fractions of the surface, y from the bottom) and user
// units (x1, y1, x2, y2) as they were set to draw it.
struct AnglePanel {
    bool present = false;
    float area[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    float units[4] = {0.0f, 0.0f, 1.0f, 1.0f};
};

struct AngleViewLayout {
    AnglePanel pressure;
    AnglePanel temperature; // thermal cases only
    ReadoutUnits units;     // of the values along the panels' y axes
};

// Clears the whole surface and draws the plot. Leaves the area and units of
// the last panel drawn in force.
AngleViewLayout drawAngleView(Graphics& g, const Case& c, const RYSUJ& rysuj, const AngleViewState& view,
                              const AngleViewTexts& texts);

// The angle under a device point of a plot drawn with `layout`, through the
// graphics layer's own mapping of the panel it falls in; false outside both.
bool angleAtDevice(Graphics& g, const AngleViewLayout& layout, PointF p, float& angle);

// A step of 1, 2 or 5 times a power of ten (angles: also 15, 30, 45, 90)
// that cuts `range` into about `parts` pieces.
double tickStep(double range, int parts, bool angles);

} // namespace lobus
