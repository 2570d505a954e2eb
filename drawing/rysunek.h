#pragma once
// The bearing picture: frame and axes, clearance circle, wedge extents,
// temperature diagrams (thermal cases), sliding-surface bands and pressure
// diagrams, centre markers with the line of centres, scale bars. Always draws
// everything from the case in memory; reads nothing outside the arrays.

#include "datafiles/state.h"

#include <functional>
#include <memory>

namespace lobus {

class Graphics;

namespace picture {
struct WorkBuffers;
}

// What a picture keeps for the next one drawn with the same memory: the
// coordinate buffers, grown to what the pictures need, and the cosines and
// sines of the grid angles. A redraw then allocates nothing and works out
// again only the angles that changed. Whoever draws pictures in turn (the
// window, the renderer) owns one; pictures drawn with different memories do
// not disturb each other.
class PictureMemory {
public:
    PictureMemory();
    ~PictureMemory();
    PictureMemory(const PictureMemory&) = delete;
    PictureMemory& operator=(const PictureMemory&) = delete;

    picture::WorkBuffers& buffers() { return *m_buffers; }

private:
    std::unique_ptr<picture::WorkBuffers> m_buffers;
};

// One picture drawn through the graphics layer, with the memory its caller
// keeps for the pictures it draws in turn.
using PictureDrawing = std::function<void(Graphics&, PictureMemory&)>;

// Draws into the graphics layer's current device. Writes rysuj.halfx.
void RYSUNEK(Graphics& g, const ResultArray& katcis, const ResultArray& cis, const ResultArray& tem1,
             const ResultArray& tem2, int ilkat, const DANE& dane, RYSUJ& rysuj, PictureMemory& memory);

inline void RYSUNEK(Graphics& g, const Case& c, RYSUJ& rysuj, PictureMemory& memory)
{
    const Results& r = c.results;
    RYSUNEK(g, r.katcis, r.cis, r.tem1, r.tem2, r.ilkat, c.dane, rysuj, memory);
}

// A picture that keeps nothing for a next one (a printout, a file).
inline void RYSUNEK(Graphics& g, const Case& c, RYSUJ& rysuj)
{
    PictureMemory memory;
    RYSUNEK(g, c, rysuj, memory);
}

// A round dot of 5 by 5 pixels, corners left out, at the user point (x, y).
void KROPKA5(Graphics& g, float x, float y);

} // namespace lobus
