#include "drawing/casefigures.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lobus {

int lobeCount(const DANE& dane) { return std::clamp(dane.ikm, 0, 6); }

float readValue(const Case& c, ResultColumn column, int k, int j)
{
    if (!valueRead(c.dane, c.results, column, k, j))
        return std::numeric_limits<float>::quiet_NaN();
    const Results& r = c.results;
    switch (column) {
    case ResultColumn::Katcis:
        return element(r.katcis, k, j);
    case ResultColumn::Cis:
        return element(r.cis, k, j);
    case ResultColumn::Tem1:
        return element(r.tem1, k, j);
    case ResultColumn::Tem2:
        break;
    }
    return element(r.tem2, k, j);
}

Peak peakOf(const Case& c, ResultColumn column, int k, int points)
{
    Peak peak;
    for (int j = 1; j <= points; ++j) {
        const float v = readValue(c, column, k, j);
        if (!std::isfinite(v))
            continue;
        if (!peak.found || v > peak.value) {
            peak.found = true;
            peak.value = v;
            peak.angle = element(c.results.katcis, k, j);
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
    constexpr float none = std::numeric_limits<float>::quiet_NaN();
    f.ekscen = characteristicRead(r, ReadRecord::kChaEkscen) ? d.ekscen : none;
    f.katekscen = characteristicRead(r, ReadRecord::kChaKatekscen) ? d.katekscen : none;
    f.pmax = characteristicRead(r, ReadRecord::kChaPmax) ? d.pmax : none;
    f.tmax = anyTemperatureRead(d, r) ? d.tmax : none;
    for (int k = 1; k <= lobeCount(d); ++k) {
        LobeFigures lobe;
        lobe.lobe = k;
        lobe.start = d.tabpsi(2 * k - 1);
        lobe.end = d.tabpsi(2 * k);
        lobe.kla = d.tabkla(k);
        lobe.klb = d.tabklb(k);
        lobe.points = pointCount(d, r, k);
        lobe.pressure = peakOf(c, ResultColumn::Cis, k, lobe.points);
        if (f.thermal) {
            lobe.tem1 = peakOf(c, ResultColumn::Tem1, k, lobe.points);
            lobe.tem2 = peakOf(c, ResultColumn::Tem2, k, lobe.points);
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
