#pragma once
// The program's state blocks: the drawing settings (RYSUJ), the loaded case's
// scalars and tables (DANE) and the four result arrays of one case.

#include "datafiles/table.h"

#include <cstdint>

namespace lobus {

// Drawing settings. They start from these defaults at every start of the
// program and survive every Open.
struct RYSUJ {
    RYSUJ();

    Table2<int, 3, 6> colour; // red, green, blue (0..255) of wedge k in column k
    float halfx = 0.0f;       // half-width of the user-unit rectangle; written by RYSUNEK
    float halfy = 1.5f;       // half-height in clearance radii (the drawing scale)
    int autop = 1;            // 1: pressure maximum from the data, 0: manual
    float plen = 0.7f;        // pressure axis length in clearance radii
    int autot = 1;            // 1: temperature maximum from the data, 0: manual
    float tlen = 0.5f;        // temperature axis length in clearance radii
    float pscale = 0.0f;      // pressure drawn plen long
    float tscale = 0.0f;      // temperature drawn tlen long

    bool operator==(const RYSUJ&) const = default;
};

// Which solver's files a case holds; the two programs are built one for each.
inline constexpr int kVariantSolako = 1; // thermal: a ".tem" file and temperature diagrams
inline constexpr int kVariantMerant = 2; // isothermal

// The loaded case. Every field starts at zero: a null value in a file leaves a
// field as it was, so the starting value is observable.
struct DANE {
    int variant = 0;          // kVariantSolako or kVariantMerant
    int ikm = 0;              // number of wedges, 1..6
    Table1<float, 12> tabpsi; // start (2k-1) and end (2k) angle of wedge k, degrees
    Table1<float, 6> tabkla;  // x offset of wedge k's arc centre, clearance radii
    Table1<float, 6> tabklb;  // y offset of wedge k's arc centre
    float ekscen = 0.0f;      // journal centre: radial coordinate
    float katekscen = 0.0f;   // journal centre: angle, degrees
    Table1<float, 6> ilcis;   // pressure lines read per wedge (a REAL, as the files keep it)
    float pmax = 0.0f;        // maximum pressure, N/m2
    float tmax = 0.0f;        // largest temperature read, deg C; -9999 when none

    bool thermal() const { return variant == kVariantSolako; }
    bool operator==(const DANE&) const = default;
};

// The result arrays of one case, 6 by ilkat each.
struct Results {
    int ilkat = 0;
    ResultArray katcis; // angle of pressure point (k, j), degrees
    ResultArray cis;    // pressure at that angle, N/m2
    ResultArray tem1;   // first temperature column
    ResultArray tem2;   // second temperature column

    void allocate(int n)
    {
        ilkat = n;
        katcis.allocate(n);
        cis.allocate(n);
        tem1.allocate(n);
        tem2.allocate(n);
    }
};

// One case as the passes fill it: the case block and its arrays.
struct Case {
    DANE dane;
    Results results;
};

// Grid points of a wedge that the arrays hold: its ilcis rounded to the
// nearest integer, limited to 0..ilkat and to the columns of katcis and cis
// (an Open that ended early may have counted more lines than were read). The
// picture draws these points, and whatever else shows a wedge's points uses
// the same count, so nothing outside the arrays is read.
int pointCount(float ilcis, int ilkat, const ResultArray& katcis, const ResultArray& cis);

inline int pointCount(const DANE& dane, const Results& results, int k)
{
    return pointCount(dane.ilcis(k), results.ilkat, results.katcis, results.cis);
}

} // namespace lobus
