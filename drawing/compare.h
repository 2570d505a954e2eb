#pragma once
// Another case over a picture or an angle view: its diagrams as dashed
// outlines in the lobes' colours at the scales of the case shown, its journal
// centre, and a small legend naming both. Drawn after the view it goes over,
// which it leaves as it was.

#include "datafiles/state.h"
#include "drawing/angleview.h"

#include <string>

namespace lobus {

class Graphics;

struct CompareNames {
    std::string shown; // A: the case the view shows
    std::string other; // B: the case drawn over it
};

// The case drawn over a view, with its own scales and the legend's names;
// empty (no case) when nothing is compared.
struct ComparedCase {
    const Case* other = nullptr;
    const RYSUJ* otherScales = nullptr;
    CompareNames names;

    explicit operator bool() const { return other && otherScales; }
};

// Over RYSUNEK(g, a, shownScales) just drawn: B's pressure diagrams (and, for
// a thermal B, its temperature diagrams) at the shown case's scales; the
// temperatures take B's own scales when the shown case has none.
void drawPictureComparison(Graphics& g, const Case& other, const RYSUJ& shownScales, const RYSUJ& otherScales,
                           const Case& shown, const CompareNames& names);

// The same, with nothing drawn when `compared` holds no case.
void drawPictureComparison(Graphics& g, const Case& shown, const RYSUJ& shownScales,
                           const ComparedCase& compared);

// Over drawAngleView just drawn with `layout`: B's curves on the same axes,
// clipped to each axis' frame as the shown case's curves are.
void drawAngleComparison(Graphics& g, const AngleViewLayout& layout, const Case& other,
                         const RYSUJ& otherScales, const CompareNames& names);

// The angle view and, when `compared` holds a case, that case over it: what
// the window shows, saves and prints, and what lobus-render --compare writes.
AngleViewLayout drawAngleViewCompared(Graphics& g, const Case& c, const RYSUJ& rysuj,
                                      const AngleViewState& view, const AngleViewTexts& texts,
                                      const ComparedCase& compared);

} // namespace lobus
