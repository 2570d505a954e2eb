#include "drawing/casefigures.h"

#include <algorithm>
#include <cmath>

namespace lobus {

int lobeCount(const DANE& dane) { return std::clamp(dane.ikm, 0, 6); }

Peak peakOf(const ResultArray& values, const ResultArray& angles, int k, int points)
{
    Peak peak;
    for (int j = 1; j <= points; ++j) {
        const float v = element(values, k, j);
        if (!std::isfinite(v))
            continue;
        if (!peak.found || v > peak.value) {
            peak.found = true;
            peak.value = v;
            peak.angle = element(angles, k, j);
            peak.point = j;
        }
    }
    return peak;
}

CaseFigures caseFigures(const Case& c)
{
    const DANE& d = c.dane;
    const Results& r = c.results;
    CaseFigures f;
    f.thermal = d.thermal();
    f.ekscen = d.ekscen;
    f.katekscen = d.katekscen;
    f.pmax = d.pmax;
    f.tmax = d.tmax;
    for (int k = 1; k <= lobeCount(d); ++k) {
        LobeFigures lobe;
        lobe.lobe = k;
        lobe.start = d.tabpsi(2 * k - 1);
        lobe.end = d.tabpsi(2 * k);
        lobe.kla = d.tabkla(k);
        lobe.klb = d.tabklb(k);
        lobe.points = pointCount(d, r, k);
        lobe.pressure = peakOf(r.cis, r.katcis, k, lobe.points);
        if (f.thermal) {
            lobe.tem1 = peakOf(r.tem1, r.katcis, k, lobe.points);
            lobe.tem2 = peakOf(r.tem2, r.katcis, k, lobe.points);
        }
        if (lobe.pressure.found && (!f.pressureRead.found || lobe.pressure.value > f.pressureRead.value)) {
            f.pressureRead = lobe.pressure;
            f.pressureReadLobe = k;
        }
        f.lobes.push_back(lobe);
    }
    // Both files print five significant digits; what differs by more than
    // a unit in the last of them comes from somewhere else.
    if (f.pressureRead.found && std::isfinite(f.pmax)) {
        const double scale = std::max(std::abs(double(f.pmax)), std::abs(double(f.pressureRead.value)));
        f.pmaxDiffers = std::abs(double(f.pmax) - f.pressureRead.value) > 1.0e-4 * scale;
    }
    return f;
}

} // namespace lobus
