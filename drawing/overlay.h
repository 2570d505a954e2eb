#pragma once
// The peaks overlay: each lobe's number beside its arc and its peak pressure
// as a dot with the value in the read-outs' unit, drawn over a picture just
// drawn with the same settings. Each label stands where it covers no filled
// shape of the picture, no other label and none of the picture's texts:
// beside its place when that is free, else further out, a thin leader line
// joining a peak's value to its dot. A lobe whose peak is 0 (or has no
// points) gets no marker. The drawing state the next picture starts from
// (colour, justification, fill style) is left as the picture left it, so the
// next picture without the overlay is the same as one never overlaid.

#include "datafiles/state.h"
#include "numbers/readoutunits.h"

namespace lobus {

class Graphics;

void drawPeaksOverlay(Graphics& g, const Case& c, const RYSUJ& rysuj, const ReadoutUnits& units = {});

} // namespace lobus
