#include "drawing/overlay.h"

#include "drawing/graphics/units.h"

#include "drawing/casefigures.h"
#include "drawing/graphics/colours.h"
#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "numbers/numbertext.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lobus {

namespace {

float scaledLength(float value, float length, float scale)
{
    if (scale == 0.0f || !std::isfinite(scale) || !std::isfinite(value))
        return 0.0f;
    return value * length / scale;
}

} // namespace

void drawPeaksOverlay(Graphics& g, const Case& c, const RYSUJ& rysuj, const ReadoutUnits& units)
{
    const int colour = g.colourNumber();
    const char justify = g.justification();
    const float ch = g.INFOGRAPHICS(4);
    const CaseFigures f = caseFigures(c);
    g.IGRCOLOURN(colours::kAxes);
    g.IGRCHARJUSTIFY("C");
    for (const LobeFigures& lobe : f.lobes) {
        // The number stands just outside the clearance circle at the middle
        // of the extent, beyond the temperature band of a thermal case.
        const double mid = 0.5 * (double(lobe.start) + lobe.end) * kExactDegree;
        float outside = 0.0f;
        if (f.thermal) {
            for (const Peak* t : {&lobe.tem1, &lobe.tem2})
                if (t->found)
                    outside = std::max(outside, scaledLength(t->value, rysuj.tlen, rysuj.tscale));
        }
        const double r = 1.0 + outside + 1.2 * ch;
        g.IGRCHAROUT(static_cast<float>(r * std::cos(mid)), static_cast<float>(r * std::sin(mid) - 0.3 * ch),
                     std::to_string(lobe.lobe));

        if (!lobe.pressure.found)
            continue;
        const double a = double(lobe.pressure.angle) * kExactDegree;
        const double depth = 1.0 - scaledLength(lobe.pressure.value, rysuj.plen, rysuj.pscale);
        const double qx = lobe.kla + depth * std::cos(a);
        const double qy = lobe.klb + depth * std::sin(a);
        if (!std::isfinite(qx) || !std::isfinite(qy))
            continue;
        KROPKA5(g, static_cast<float>(qx), static_cast<float>(qy));
        const std::string text = fixedText(pressureIn(units.pressure, lobe.pressure.value),
                                           std::max(0, pressureDecimals(units.pressure) - 1))
            + " " + std::string(symbol(units.pressure));
        // The value stands a line further towards the arc's centre.
        const double inward = depth - 1.3 * ch;
        g.IGRCHAROUT(static_cast<float>(lobe.kla + inward * std::cos(a)),
                     static_cast<float>(lobe.klb + inward * std::sin(a) - 0.3 * ch), text);
    }
    g.IGRCOLOURN(colour);
    g.IGRCHARJUSTIFY(std::string(1, justify));
}

} // namespace lobus
