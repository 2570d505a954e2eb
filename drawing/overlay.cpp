#include "drawing/overlay.h"

#include "drawing/graphics/units.h"

#include "drawing/casefigures.h"
#include "drawing/graphics/colours.h"
#include "drawing/graphics/graphics.h"
#include "drawing/labelspace.h"
#include "drawing/rysunek.h"
#include "numbers/numbertext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace lobus {

namespace {

using Box = LabelSpace::Box;

float scaledLength(float value, float length, float scale)
{
    if (scale == 0.0f || !std::isfinite(scale) || !std::isfinite(value))
        return 0.0f;
    return value * length / scale;
}

int characters(const std::string& s)
{
    return static_cast<int>(std::count_if(s.begin(), s.end(), [](char b) { return (b & 0xC0) != 0x80; }));
}

// The first free place for a box of half sizes hw, hh about the point
// (px, py): the box centred there when `centred`, then boxes that keep a gap
// from the point, ring by ring outwards, on each ring the directions nearest
// `preferred` (radians) first. The gap of the place found goes to `gap`.
std::optional<Box> place(const LabelSpace& space, float px, float py, float hw, float hh, double preferred,
                         bool centred, float unit, float farthest, float& gap)
{
    const auto box = [&](float cx, float cy) { return Box {cx - hw, cy - hh, cx + hw, cy + hh}; };
    if (centred && space.free(box(px, py))) {
        gap = 0.0f;
        return box(px, py);
    }
    constexpr int kDirections = 32;
    std::array<double, kDirections> turns {};
    for (int i = 0; i < kDirections; ++i) {
        // 0, +1, -1, +2, -2 ... steps from the preferred direction.
        const int step = (i + 1) / 2 * (i % 2 == 1 ? 1 : -1);
        turns[static_cast<std::size_t>(i)] = preferred + step * 2.0 * std::numbers::pi / kDirections;
    }
    for (float g = 0.3f * unit; g <= farthest; g = g < unit ? g + 0.5f * unit : g * 1.35f) {
        for (double t : turns) {
            const float ux = std::clamp(static_cast<float>(std::cos(t) * std::numbers::sqrt2), -1.0f, 1.0f);
            const float uy = std::clamp(static_cast<float>(std::sin(t) * std::numbers::sqrt2), -1.0f, 1.0f);
            const Box b = box(px + ux * (g + hw), py + uy * (g + hh));
            if (space.free(b)) {
                gap = g;
                return b;
            }
        }
    }
    return std::nullopt;
}

struct Marker {
    const LobeFigures* lobe;
    float x;
    float y;
};

} // namespace

void drawPeaksOverlay(Graphics& g, const Case& c, const RYSUJ& rysuj, const ReadoutUnits& units)
{
    const int colour = g.colourNumber();
    const char justify = g.justification();
    const float ch = g.INFOGRAPHICS(4);
    const CaseFigures f = caseFigures(c);
    LabelSpace space(g, c, rysuj);
    const float farthest = 2.0f * std::max(rysuj.halfx, rysuj.halfy);
    g.IGRCOLOURN(colours::kAxes);
    g.IGRCHARJUSTIFY("C");

    // The dots first: no label may cover one.
    std::vector<Marker> markers;
    for (const LobeFigures& lobe : f.lobes) {
        if (!lobe.pressure.found || lobe.pressure.value == 0.0f)
            continue;
        const double a = double(lobe.pressure.angle) * kExactDegree;
        const double depth = 1.0 - scaledLength(lobe.pressure.value, rysuj.plen, rysuj.pscale);
        const double qx = lobe.kla + depth * std::cos(a);
        const double qy = lobe.klb + depth * std::sin(a);
        if (!std::isfinite(qx) || !std::isfinite(qy))
            continue;
        markers.push_back({&lobe, static_cast<float>(qx), static_cast<float>(qy)});
        KROPKA5(g, markers.back().x, markers.back().y);
        const float dot = 4.0f * space.step();
        space.take(
            {markers.back().x - dot, markers.back().y - dot, markers.back().x + dot, markers.back().y + dot});
    }

    // Each number just outside the clearance circle at the middle of its
    // extent, beyond the temperature band of a thermal case, or near there.
    for (const LobeFigures& lobe : f.lobes) {
        const double mid = 0.5 * (double(lobe.start) + lobe.end) * kExactDegree;
        float outside = 0.0f;
        if (f.thermal) {
            for (const Peak* t : {&lobe.tem1, &lobe.tem2})
                if (t->found)
                    outside = std::max(outside, scaledLength(t->value, rysuj.tlen, rysuj.tscale));
        }
        const double r = 1.0 + outside + 1.2 * ch;
        const std::string text = std::to_string(lobe.lobe);
        const float x = static_cast<float>(r * std::cos(mid));
        const float y = static_cast<float>(r * std::sin(mid));
        const Box wanted = space.textBox(x, y, characters(text));
        float gap = 0.0f;
        const Box b = place(space, x, y, 0.5f * (wanted.x2 - wanted.x1), 0.5f * (wanted.y2 - wanted.y1), mid,
                            true, ch, farthest, gap)
                          .value_or(wanted);
        space.take(b);
        g.IGRCHAROUT(0.5f * (b.x1 + b.x2), 0.5f * (b.y1 + b.y2), text);
    }

    // Each value beside its dot, towards the arc's centre where that is free;
    // a value further away than a line is joined to its dot.
    for (const Marker& m : markers) {
        const LobeFigures& lobe = *m.lobe;
        const std::string text = fixedText(pressureIn(units.pressure, lobe.pressure.value),
                                           std::max(0, pressureDecimals(units.pressure) - 1))
            + " " + std::string(symbol(units.pressure));
        const Box wanted = space.textBox(m.x, m.y, characters(text));
        const double inward = std::atan2(double(lobe.klb) - m.y, double(lobe.kla) - m.x);
        float gap = 0.0f;
        const std::optional<Box> found
            = place(space, m.x, m.y, 0.5f * (wanted.x2 - wanted.x1), 0.5f * (wanted.y2 - wanted.y1), inward,
                    false, ch, farthest, gap);
        const Box b
            = found.value_or(Box {wanted.x1, wanted.y1 - 1.3f * ch, wanted.x2, wanted.y2 - 1.3f * ch});
        space.take(b);
        if (gap > ch) {
            const float ex = std::clamp(m.x, b.x1, b.x2);
            const float ey = std::clamp(m.y, b.y1, b.y2);
            g.IGRJOIN(m.x, m.y, ex, ey);
        }
        g.IGRCHAROUT(0.5f * (b.x1 + b.x2), 0.5f * (b.y1 + b.y2), text);
    }
    g.IGRCOLOURN(colour);
    g.IGRCHARJUSTIFY(std::string(1, justify));
}

} // namespace lobus
