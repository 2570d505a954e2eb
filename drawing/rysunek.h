#pragma once
// The bearing picture: frame and axes, clearance circle, wedge extents,
// temperature diagrams (thermal cases), sliding-surface bands and pressure
// diagrams, centre markers with the line of centres, scale bars. Always draws
// everything from the case in memory; reads nothing outside the arrays.

#include "datafiles/state.h"

namespace lobus {

class Graphics;

// Draws into the graphics layer's current device. Writes rysuj.halfx.
void RYSUNEK(Graphics& g, const ResultArray& katcis, const ResultArray& cis, const ResultArray& tem1,
             const ResultArray& tem2, int ilkat, const DANE& dane, RYSUJ& rysuj);

inline void RYSUNEK(Graphics& g, const Case& c, RYSUJ& rysuj)
{
    const Results& r = c.results;
    RYSUNEK(g, r.katcis, r.cis, r.tem1, r.tem2, r.ilkat, c.dane, rysuj);
}

// A round dot of 5 by 5 pixels, corners left out, at the user point (x, y).
void KROPKA5(Graphics& g, float x, float y);

} // namespace lobus
