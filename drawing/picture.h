#pragma once
// Internal to the drawing: what the steps of one picture share. Not part of
// the drawing's interface (see rysunek.h).

#include "datafiles/state.h"
#include "drawing/curvesummary.h"
#include "drawing/graphics/colours.h"
#include "drawing/graphics/graphics.h"
#include "drawing/graphics/units.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace lobus::picture {

// The runs of one curve of one wedge, worked out once and shared by what a
// picture draws from them; kept for the next picture while they would come
// out the same (the summary of the same values, runs of the same span).
struct WalkedCurve {
    bool valid = false;
    double maxSpan = 0.0;
    SummaryKey key; // of the summary they were walked from
    std::vector<RunSample> runs;
};

// Coordinate buffers that grow as a picture needs them and are kept for the
// next picture (in its PictureMemory), so a redraw allocates nothing and any
// number of points is drawn whole.
struct WorkBuffers {
    std::vector<float> x;
    std::vector<float> y;
    std::vector<float> cosine; // cos and sin of katcis(k, j), wedge k from (k - 1) * stride
    std::vector<float> sine;
    std::vector<float> angle; // the katcis(k, j) they were worked out from
    std::size_t stride = 0;
    std::vector<float> innerX; // an outline's inner side, in drawing order
    std::vector<float> innerY;
    // Per wedge, of the pressure, the first and the second temperature.
    std::array<CurveSummary, 18> summaries;
    std::array<WalkedCurve, 18> walked;
    void reserve(std::size_t n)
    {
        if (x.size() < n) {
            x.resize(n);
            y.resize(n);
        }
    }
};

struct Picture {
    Graphics& g;
    const ResultArray& katcis;
    const ResultArray& cis;
    const ResultArray& tem1;
    const ResultArray& tem2;
    int ilkat;
    const DANE& dane;
    RYSUJ& rysuj;
    WorkBuffers& buffers;
    float X = 0.0f;  // halfx
    float Y = 0.0f;  // halfy
    float cw = 0.0f; // character width and height in user units
    float ch = 0.0f;

    int wedges() const;                 // ikm limited to 0..6
    int pressurePoints(int k) const;    // np of wedge k within katcis and cis
    int temperaturePoints(int k) const; // np within all four arrays

    // Element (k, j) without the index check: only for j up to the counts above.
    static float at(const ResultArray& a, int k, int j)
    {
        return a.data()[ResultArray::offset(a.cols(), k, j)];
    }
    // cos and sin of the angle of grid point j of wedge k, j up to pressurePoints(k).
    const float* cosines(int k) const
    {
        return buffers.cosine.data() + static_cast<std::size_t>(k - 1) * buffers.stride;
    }
    const float* sines(int k) const
    {
        return buffers.sine.data() + static_cast<std::size_t>(k - 1) * buffers.stride;
    }
    // Which wedges are drawn from their summaries: decided by choosePaths()
    // once the user units are set, before prepareAngles().
    std::array<bool, 7> pressureSummarised {};
    std::array<bool, 7> temperatureSummarised {};
    double runPixels = 0.0; // a summarised run's longest span along its curve, device pixels
    void choosePaths();
    const CurveSummary* summary(int which, int k) const; // 0 pressure, 1 and 2 the temperatures
    // Works out the cosines and sines of the grid angles that the wedges
    // drawn point by point need, once a picture.
    void prepareAngles();
};

// The summarised drawings, for wedges whose points are denser than a
// quarter pixel along the arc on a device that takes them. The outlines go
// into the work buffers (x, y) and return their number of points.
int bandOutlineSummarised(Picture& p, int k, float s);
int pressureOutlineSummarised(Picture& p, int k);
void pressureHatchSummarised(Picture& p, int k);
// The hatch lines of the points that the summarised outline goes through:
// their arc ends into the work buffers' x, y and their far ends into
// innerX, innerY.
void pressureHatchEnds(Picture& p, int k);
// The hatch lines of summarised wedge k to a device pixel along the arc, at
// the diagram's farthest reach from the arc centre.
double pressureHatchDensity(Picture& p, int k);
int temperatureBandSummarised(Picture& p, int k);
int temperatureCurveSummarised(Picture& p, int k); // the second curve

void drawFrame(Picture& p);
void drawClearanceCircle(Picture& p);
void drawWedgeExtents(Picture& p);
void drawTemperatures(Picture& p);
void drawBand(Picture& p, int k);
void drawPressure(Picture& p, int k);
void drawCentres(Picture& p);
void drawScaleBars(Picture& p);

// value * length / scale, or 0 when the scale cannot divide (0 or not
// finite): a diagram without a usable scale lies flat on its base line.
inline float scaled(float value, float length, float scale)
{
    if (scale == 0.0f || !std::isfinite(scale))
        return 0.0f;
    return value * length / scale;
}

// Lines from `points` grid points spread over `degrees` of arc, to a device
// pixel along a circle of `radius` user units; 0 when that cannot be told.
inline double linesPerPixel(const Picture& p, int points, double degrees, float radius)
{
    const double pixels = degrees * kDegree * radius * p.g.pixelsPerUnit();
    if (!(pixels > 0.0) || !std::isfinite(pixels))
        return 0.0;
    return (points - 1) / pixels;
}

// Puts into the work buffers the outline that the sliding-surface band and
// both diagrams share: 2 * np points about (cx, cy), first the points of
// radius 1 at the grid angles of wedge k for j = 1..np, then the points of
// radius radius(j) for j = np..1. Returns the number of points, 2 * np.
template <class Radius> int radialOutline(Picture& p, int k, int np, float cx, float cy, Radius radius)
{
    p.buffers.reserve(2 * static_cast<std::size_t>(np));
    float* x = p.buffers.x.data();
    float* y = p.buffers.y.data();
    const float* cs = p.cosines(k);
    const float* sn = p.sines(k);
    for (int j = 1; j <= np; ++j) {
        const float c = cs[j - 1];
        const float s = sn[j - 1];
        const float r = radius(j);
        x[j - 1] = cx + c;
        y[j - 1] = cy + s;
        x[2 * np - j] = cx + r * c;
        y[2 * np - j] = cy + r * s;
    }
    return 2 * np;
}

} // namespace lobus::picture
