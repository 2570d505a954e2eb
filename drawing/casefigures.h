#pragma once
// The numbers behind the picture: per lobe its extent, arc centre, the count
// of points read and the peak of each curve, and for the case the journal
// centre and both maxima. The characteristics panel, the overlay, the probe's
// neighbours and the command's summary all take them from here.

#include "datafiles/state.h"

#include <string>
#include <vector>

namespace lobus {

// The largest value over the points read and the first point that reaches
// it. Values that are not finite are passed over; `found` is false when no
// point is left.
struct Peak {
    bool found = false;
    float value = 0.0f;
    float angle = 0.0f; // katcis of that point, degrees
    int point = 0;      // 1-based
};

struct LobeFigures {
    int lobe = 0;       // 1..ikm
    float start = 0.0f; // tabpsi(2k-1), degrees
    float end = 0.0f;   // tabpsi(2k)
    float kla = 0.0f;   // arc centre offsets
    float klb = 0.0f;
    int points = 0; // points read, as the drawing uses them
    Peak pressure;
    Peak tem1; // thermal cases only
    Peak tem2;
};

// A value the files did not give is NaN here, whatever the case's block or
// arrays hold in its place: the readers show it as "—", JSON as null, CSV as
// an empty field.
struct CaseFigures {
    bool thermal = false; // variant 1: the temperature peaks mean something
    float ekscen = 0.0f;
    float katekscen = 0.0f;
    float pmax = 0.0f; // from the characteristics file
    float tmax = 0.0f; // the largest temperature read; NaN when none was read
    std::vector<LobeFigures> lobes;
    Peak pressureRead;        // the largest pressure over every lobe's points
    int pressureReadLobe = 0; // the lobe it was read in
    // pmax and the largest pressure read differ by more than the files'
    // printed digits explain.
    bool pmaxDiffers = false;
};

// Grid point j of lobe k without the index check (j up to pointCount).
inline float element(const ResultArray& a, int k, int j)
{
    return a.data()[ResultArray::offset(a.cols(), k, j)];
}

// Lobes the case has, ikm limited to 0..6.
int lobeCount(const DANE& dane);

// Value (k, j) of `column` as the files gave it, NaN where they gave none
// (valueRead of datafiles/state.h); j up to pointCount.
float readValue(const Case& c, ResultColumn column, int k, int j);

// The peak of `column` over the first `points` points of lobe k, among the
// values the files gave.
Peak peakOf(const Case& c, ResultColumn column, int k, int points);

CaseFigures caseFigures(const Case& c);

} // namespace lobus
