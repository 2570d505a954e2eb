#pragma once
// The solver cases the tests write, in the DANE/ + WYN/ layout, through the
// example generator's own writer: the numbers are made by hand (no solve),
// and a test may damage a file's text record by record before it is written.

#include "examples/casegen.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lobus::test {

using casegen::CaseText;

// A case as a test gives it. Every number in the solution is the 32-bit value
// a reader of the written text obtains, so a test compares with it exactly.
struct SolverCase {
    casegen::Bearing bearing;
    casegen::Solution solution;
    // Lobe k as the files number it, from 1.
    const casegen::Lobe& lobe(int k) const { return solution.lobes.at(static_cast<std::size_t>(k - 1)); }
};

// One lobe to make: its extent, points (the closing one included), arc centre.
struct LobeLayout {
    float start = 0.0f; // degrees
    float end = 0.0f;
    int points = 2;
    float kla = 0.0f;
    float klb = 0.0f;
};

// The point angles are spaced evenly, the last at the lobe's end; the
// pressure rises from a tenth of `peak` to `peak` two thirds along the lobe
// and falls to three quarters of it at the end. Temperature line j (from 1)
// holds t1 = inletTemp + j and t2 = t1 + 2. `variant` kVariantSolako writes a
// .tem file and eight values in the characteristics record.
SolverCase handCase(std::string name, int variant, const std::vector<LobeLayout>& lobes, float peak = 4.5e6f,
                    float inletTemp = 40.0f);
// `lobes` lobes spread evenly around the bearing, 10 degrees apart.
std::vector<LobeLayout> evenLayout(int lobes, int points);
SolverCase evenCase(std::string name, int lobes, int points, int variant = 2);

// The record of the pressure file that holds point `point` of lobe `lobe`.
int pointRecord(const SolverCase& c, int lobe, int point);

// The files' texts; a result file whose text is emptied is not written.
CaseText caseText(const SolverCase& c);
// Returns the data file's path.
std::filesystem::path writeCase(const std::filesystem::path& root, const CaseText& text);
std::filesystem::path writeCase(const std::filesystem::path& root, const SolverCase& c);

// Record n (from 1) of a text, without its line end.
std::string record(const std::string& text, int n);
// Replaces record n with `records` (several, one a line, may be given); the
// record's line end stays.
void replaceRecord(std::string& text, int n, const std::string& records);
// Keeps the first n records, each with its line end.
void keepRecords(std::string& text, int n);

// A record of values as a solver may write it: its column header (the record
// above it) and the values' texts; from value `split` on (0: none) they run
// over onto a second record.
struct ValueRecord {
    std::string header;
    std::vector<std::string> values;
    std::size_t split = 0;
};
// Puts `r` in place of the data file's records 13 and 14, the header and the
// record of the five REALs and ikm; a second record of values moves the
// records after it one on, as the reading moves on after it.
void setConditions(CaseText& text, const ValueRecord& r);
// Puts `r` in place of the characteristics file's records 6 and 7.
void setCharacteristics(CaseText& text, const ValueRecord& r);
// Puts `header` in place of the temperature file's column header above its
// first block (record 9).
void setTemperatureHeader(CaseText& text, const std::string& header);

} // namespace lobus::test
