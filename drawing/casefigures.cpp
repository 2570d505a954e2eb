#include "drawing/casefigures.h"

#include "numbers/numbertext.h"

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

std::string floatText(float v) { return shortestText(v); }

namespace {

std::string jsonNumber(float v) { return std::isfinite(v) ? floatText(v) : "null"; }

void peakJson(std::string& out, const char* name, const Peak& peak)
{
    out += ", \"";
    out += name;
    out += "_peak\": ";
    out += peak.found ? jsonNumber(peak.value) : "null";
    out += ", \"";
    out += name;
    out += "_peak_angle_deg\": ";
    out += peak.found ? jsonNumber(peak.angle) : "null";
}

} // namespace

std::string summaryJson(const Case& c)
{
    const CaseFigures f = caseFigures(c);
    std::string out = "{\"solver\": ";
    out += f.thermal ? "\"SOLAKO\"" : "\"MERANT\"";
    out += ", \"ekscen\": " + jsonNumber(f.ekscen);
    out += ", \"katekscen\": " + jsonNumber(f.katekscen);
    out += ", \"pmax\": " + jsonNumber(f.pmax);
    out += ", \"tmax\": " + jsonNumber(f.tmax);
    out += ", \"lobes\": [";
    for (std::size_t i = 0; i < f.lobes.size(); ++i) {
        const LobeFigures& l = f.lobes[i];
        out += i ? ",\n  " : "\n  ";
        out += "{\"lobe\": " + std::to_string(l.lobe);
        out += ", \"start_deg\": " + jsonNumber(l.start);
        out += ", \"end_deg\": " + jsonNumber(l.end);
        out += ", \"points\": " + std::to_string(l.points);
        peakJson(out, "p", l.pressure);
        if (f.thermal) {
            peakJson(out, "t1", l.tem1);
            peakJson(out, "t2", l.tem2);
        }
        out += "}";
    }
    out += f.lobes.empty() ? "]}\n" : "\n]}\n";
    return out;
}

std::string pointsCsv(const Case& c)
{
    const DANE& d = c.dane;
    const Results& r = c.results;
    const bool thermal = d.thermal();
    std::string out = "lobe,point,angle_deg,p_Pa,t1_C,t2_C\n";
    for (int k = 1; k <= lobeCount(d); ++k) {
        const int n = pointCount(d, r, k);
        const std::string lobe = std::to_string(k) + ",";
        for (int j = 1; j <= n; ++j) {
            out += lobe;
            out += std::to_string(j);
            out += ',';
            out += floatText(element(r.katcis, k, j));
            out += ',';
            out += floatText(element(r.cis, k, j));
            out += ',';
            if (thermal)
                out += floatText(element(r.tem1, k, j));
            out += ',';
            if (thermal)
                out += floatText(element(r.tem2, k, j));
            out += '\n';
        }
    }
    return out;
}

} // namespace lobus
