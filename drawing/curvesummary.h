#pragma once
// Internal to the drawing: the level of detail of dense curves. Each curve
// of a wedge is summarised once per case (the points with the smallest and
// the largest value in blocks of consecutive points); a picture walks the
// blocks down only as far as a block still spans more than a run along its
// arc, a run being two tolerances of the device's level of detail (see
// drawing/graphics/levelofdetail.h), and draws each run from its first
// point, its extremes and its last point.

#include "datafiles/state.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace lobus::picture {

// Which values a summary was worked out from: an array's storage, extent,
// allocation and edits (see ResultArray), for the angles and the values.
struct SummaryKey {
    const float* angles = nullptr;
    const float* values = nullptr;
    int angleCols = 0;
    int valueCols = 0;
    std::uint64_t anglesAllocation = 0;
    std::uint64_t anglesEdits = 0;
    std::uint64_t valuesAllocation = 0;
    std::uint64_t valuesEdits = 0;
    int points = 0;
    bool operator==(const SummaryKey&) const = default;

    // Element j (0-based) of wedge k (1..6) of the angles and the values.
    float angle0(int k, int j) const { return angles[ResultArray::offset(angleCols, k, j + 1)]; }
    float value0(int k, int j) const { return values[ResultArray::offset(valueCols, k, j + 1)]; }
};

// The points 1..n of one wedge's curve in blocks of 2^L consecutive points,
// L = kLeaf and up: per block, the points with the smallest and the largest
// finite value (-1: none). Kept between pictures and worked out again only
// when its key changes. Usable only when the wedge's angles are finite and
// never fall, so that a block spans the angles from its first to its last
// point.
struct CurveSummary {
    static constexpr int kLeaf = 5;
    // Fewer points than this are never summarised: they are drawn one by one.
    static constexpr int kFewestPoints = 64;
    // A point with the smallest or the largest value of a block: its index
    // (0-based, -1: the block has no finite value) and value.
    struct Extreme {
        std::int32_t j = -1;
        float value = 0.0f;
    };
    SummaryKey key;
    int k = 0; // the wedge
    bool built = false;
    bool usable = false;
    std::vector<std::span<Extreme>> low; // [L - kLeaf][block]
    std::vector<std::span<Extreme>> high;
    std::shared_ptr<Extreme> store; // holds the blocks' extremes, maybe with others'

    // The angle and the value of point j (0-based), from the case's arrays
    // (a wedge's points lie side by side there).
    float angleAt(int j) const { return key.angle0(k, j); }
    float valueAt(int j) const { return key.value0(k, j); }
};

// A run of consecutive points as a picture draws it: its first point, its
// extremes and its last point (in order, each once), with the cos and sin of
// their angles and their values; which of them are the run's smallest and
// largest value (-1: none); and how many points the run holds.
struct RunSample {
    int n = 0;
    std::int32_t j[4] {};
    float c[4] {};
    float s[4] {};
    float v[4] {};
    int lowAt = -1;
    int highAt = -1;
    int count = 0;
};

// Whether the n angles are finite and never fall.
bool finiteAndRising(const float* a, int n);

// The key of the first `points` points of an array of angles and one of values.
SummaryKey summaryKey(const ResultArray& angles, const ResultArray& values, int points);

// Works out the summary of row k of the key's arrays into `s`.
void buildSummary(CurveSummary& s, const SummaryKey& key, int k);

// A summary to work out: buildSummary(*s, key, k).
struct SummaryJob {
    CurveSummary* s = nullptr;
    SummaryKey key;
    int k = 0;
};
// Works out every job, into one block of memory; those of a large case on
// two threads, each summary on one of them.
void buildSummaries(std::vector<SummaryJob>& jobs);

// Walks the blocks of a usable summary of row k down to runs of at most
// `maxSpan` degrees (or single points) and samples each run into `out`: its
// points in order, their directions and values.
void walkSummary(const CurveSummary& s, int k, double maxSpan, std::vector<RunSample>& out);

} // namespace lobus::picture
