#pragma once
// The colour numbers the picture draws in and the colours behind them: the
// one place to change a colour of the picture.
//
// The picture is drawn on white, on screen and in every file alike: what the
// user sees is what the printer puts on paper, with no second colour mapping
// for hardcopy. The wedges' own colours (pure yellow, green, blue, magenta,
// red by default, see RYSUJ) fill the pressure diagrams through kWedge; the
// other colours are chosen to stay readable next to all of them and on white
// paper.

#include "drawing/graphics/device.h"

namespace lobus::colours {

// Set to a wedge's own colour (or three quarters of it, for its temperature
// band) before each fill; yellow, the first wedge's default, until then.
inline constexpr int kWedge = 1;
// Pressure hatch lines: a neutral dim grey. It reads on the light fills
// (yellow, green) by brightness and on the dark ones (blue, red, magenta) by
// hue, where a near-black line would vanish into the blue.
inline constexpr int kHatch = 31;
// Wedge extents, bands, the second temperature curve, the centre markers, the
// line of centres and the scale bars: a dark red-brown, which outlines the
// yellow wedges sharply and is told apart from black.
inline constexpr int kOutline = 208;
// Axes and their letters: black, the strongest contrast on white.
inline constexpr int kAxes = 224;
// The clearance circle: a mid teal, clearly a different line from the axes
// and from the wedge extents on it.
inline constexpr int kCircle = 240;

struct PaletteEntry {
    int number;
    Rgb rgb;
};

// What the graphics layer starts with behind those numbers; every other
// number is a grey ramp (n, n, n).
inline constexpr PaletteEntry kPalette[] = {
    {0, {0, 0, 0}},            // black
    {kWedge, {255, 255, 0}},   // yellow
    {kHatch, {105, 105, 105}}, // dim grey
    {kOutline, {150, 40, 0}},  // red-brown
    {kAxes, {0, 0, 0}},        // black
    {kCircle, {0, 140, 150}},  // teal
};

inline constexpr Rgb kBackground {255, 255, 255};

} // namespace lobus::colours
