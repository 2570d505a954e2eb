#pragma once
// The program's state blocks: the drawing settings (RYSUJ), the loaded case's
// scalars and tables (DANE) and the four result arrays of one case.

#include "datafiles/columnnames.h"
#include "datafiles/table.h"

#include <array>
#include <cstdint>
#include <vector>

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

// Which of the four result arrays a value belongs to.
enum class ResultColumn : std::uint8_t { Katcis = 1, Cis = 2, Tem1 = 4, Tem2 = 8 };

// The result files of a case, as bits.
enum ResultFile : std::uint8_t { kResultCha = 1, kResultCis = 2, kResultTem = 4 };

// What the files gave of the arrays, so that whatever shows the numbers can
// tell a value read from one the arrays merely hold (a zero of the fresh
// allocation, a value a null left in place). The drawing never asks: it
// draws the arrays as they are.
// A case made without the passes (the tests', the benchmarks') keeps the
// empty record, in which every value counts as given.
struct ReadRecord {
    bool fromFiles = false; // the reading pass kept this record
    std::array<int, 6>
        temLines {}; // temperature lines read for wedge k (index k-1) // temperature lines read for wedge k (index k-1)
    // Where a file ended inside a wedge's block: that wedge (1..6), or 0 when
    // every block was read to its closing line.
    int cisEndedIn = 0;
    int temEndedIn = 0;
    // The values of the characteristics record that were read, by bits:
    // kChaEkscen, kChaKatekscen, kChaPmax.
    std::uint8_t cha = 0;
    static constexpr std::uint8_t kChaEkscen = 1, kChaKatekscen = 2, kChaPmax = 4;
    // The result files (ResultFile bits) the pass did not come to read: the
    // user cancelled the dialog that was to find one, and the pass ended.
    std::uint8_t unread = 0;
    // Elements a null left as they were, by ResultColumn bits, one byte an
    // element, point j of every wedge before point j + 1; empty while there
    // is none.
    std::vector<std::uint8_t> nulls;

    void noteNull(ResultColumn column, int k, int j, int ilkat);
    bool isNull(ResultColumn column, int k, int j) const;
};

// The result arrays of one case, 6 by ilkat each.
struct Results {
    int ilkat = 0;
    ResultArray katcis; // angle of pressure point (k, j), degrees
    ResultArray cis;    // pressure at that angle, N/m2
    ResultArray tem1;   // first temperature column
    ResultArray tem2;   // second temperature column
    ReadRecord read;
    // The files' other values and their column names, kept beside the
    // arrays for what shows the case's numbers; the picture never uses them.
    CaseValues named;

    void allocate(int n)
    {
        ilkat = n;
        katcis.allocate(n);
        cis.allocate(n);
        tem1.allocate(n);
        tem2.allocate(n);
        read = ReadRecord();
        named = CaseValues();
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

// Whether value (k, j) of `column` came from a file: a grid point of the
// wedge (pointCount), on a temperature line that was read for a thermal
// case, and not left in place by a null.
bool valueRead(const DANE& dane, const Results& results, ResultColumn column, int k, int j);

// Whether the characteristics record gave that value (ReadRecord::kCha...).
bool characteristicRead(const Results& results, std::uint8_t which);

// Whether any temperature was read: without one the case has no tmax to
// show (DANE::tmax is then -9999 for a thermal case).
bool anyTemperatureRead(const DANE& dane, const Results& results);

} // namespace lobus
