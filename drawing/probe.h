#pragma once
// What lies under a point of the picture: the journal centre, or a lobe and
// the grid point of its diagram nearest in angle. A lobe's grid angles are
// measured about its own arc centre; the point is looked up by a binary
// search over them, so a probe costs the same at 10 or 100,000 points.

#include "datafiles/state.h"

namespace lobus {

struct ProbeHit {
    enum class Kind { None, Journal, Lobe };
    Kind kind = Kind::None;
    int lobe = 0;          // 1..ikm (Kind::Lobe)
    int point = 0;         // 1..points of the lobe; 0 when the lobe has none
    float angle = 0.0f;    // the point's angle, degrees (the cursor's when point is 0)
    float pressure = 0.0f; // N/m2 (point > 0); NaN where the files gave none
    float tem1 = 0.0f;     // deg C (thermal cases, point > 0); NaN where the files gave none
    float tem2 = 0.0f;
};

// The grid point of lobe k whose angle is nearest to `angle`; the earlier
// one on a tie; 0 when the lobe has no points. The angles are searched as
// the solver writes them, rising; a lobe whose angles do not rise still gets
// one of its own points.
int nearestPoint(const Case& c, int k, float angle);

// The user point (x, y) of the picture (clearance radius 1, bearing centre at
// the origin): the journal centre when it lies within `journalRadius` of it;
// otherwise the lobe whose extent, measured about its arc centre, holds the
// point's angle, the one whose diagram (the radial stretch from the arc to
// the pressure point at that angle, scaled as drawn) lies nearest to the
// point when extents overlap; nothing further than two clearance radii from the bearing centre
// or outside every extent.
ProbeHit probeAt(const Case& c, const RYSUJ& rysuj, float x, float y, float journalRadius);

// The angle a lobe's extent gives to `angle`: the smallest angle + 360 n not
// below start; it lies in the extent when it is not above its end.
float angleInExtent(float angle, float start);

} // namespace lobus
