#pragma once
// lobus_casegen: writes solver cases of multi-lobe journal bearings (the data
// file and the result files, in the DANE/ + WYN/ layout) with physically
// plausible numbers, for the bundled examples, the tests and the benchmarks.
// Standard library only.
//
// The model. Lobe k is an arc of radius 1 (in lobe clearances c) about its own
// centre Ck, offset by the preload m from the bearing centre away from the
// lobe: Ck = -m (cos mk, sin mk), mk the lobe's mid angle. The solver's
// circumferential coordinate is the angle about the lobe centre: the lobe
// spans mk -/+ lobeArc/2 about Ck, its data-file extents (tabpsi) are these
// angles, and the pressure and temperature lines carry them too, so that a
// block closes exactly at its end angle and each diagram lies on the lobe's
// arc between its edges. The journal centre J = e (cos g, sin g) gives each
// lobe the film H = 1 - (J - Ck).(cos a, sin a). The attitude angle g is
// found so that the film forces carry a downward load (the force on the
// journal points straight up); the load is reported in the characteristics
// file. Pressures are isoviscous; the thermal cases add an adiabatic film
// temperature (Couette dissipation carried by the lobe's inlet flow) and a
// bush-surface temperature that follows it.

#include "examples/reynolds.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lobus::casegen {

enum class Solver {
    SOLAKO, // thermal: .cha with 8 values, a .tem file
    MERANT, // isothermal: .cha with 6 values
};

struct Bearing {
    std::string name;        // case name: DANE/<name>.dan, WYN/<name>.cis, ...
    std::string description; // one line for the header records, Polish
    Solver solver = Solver::MERANT;
    int lobes = 3;              // 1..6
    double firstLobeMid = 90.0; // mid angle of lobe 1 about the bearing centre, degrees
    double lobeArc = 80.0;      // angular extent of each lobe about its own centre, degrees
    double preload = 0.4;       // lobe-centre offset m, lobe clearances
    double diameter = 0.1;      // journal diameter D, m
    double width = 0.08;        // bearing width L, m
    double clearance = 60e-6;   // lobe radial clearance c, m
    double viscosity = 0.03;    // Pa s
    double speed = 6000.0;      // rpm, counter-clockwise
    double ekscen = 0.4;        // journal eccentricity, lobe clearances (below 1 - preload)
    double inletTemp = 40.0;    // supply oil temperature, deg C (thermal cases)
    int points = 61;            // grid points per lobe, edges included
    PressureModel model = PressureModel::FiniteDifference;
    int widthPoints = 11; // finite differences: nodes on the half width
    bool crlf = false;    // records end with CR LF, as a Windows solver writes them
    bool cp1250 = false;  // header texts in Windows-1250 instead of UTF-8
    bool dosEof = false;  // a DOS end-of-file byte (0x1A) after the last record
};

// One lobe's numbers exactly as written: every REAL here is the 32-bit value
// that a reader of the written text obtains.
struct Lobe {
    float start = 0.0f; // tabpsi(2k-1), degrees
    float end = 0.0f;   // tabpsi(2k)
    float kla = 0.0f;   // tabkla(k), tabklb(k): Ck, lobe clearances
    float klb = 0.0f;
    std::vector<float> angle;    // .cis: lobe-centre angles, degrees
    std::vector<float> pressure; // .cis: mid-plane pressure, N/m2
    std::vector<int> temAngle;   // .tem: whole-degree angles (closing line >= end)
    std::vector<float> tem1;     // .tem: film temperature, deg C
    std::vector<float> tem2;     // .tem: bush-surface temperature, deg C
};

struct Solution {
    std::vector<Lobe> lobes;
    float ekscen = 0.0f;
    float katekscen = 0.0f;   // degrees, 0..360
    float pmax = 0.0f;        // largest pressure written
    float tmax = -9999.0f;    // largest temperature written (thermal cases)
    float load = 0.0f;        // N, carried downwards
    float powerLoss = 0.0f;   // W
    float flow = 0.0f;        // m3/s, sum of the lobes' inlet flows
    float minFilm = 0.0f;     // m
    float sommerfeld = 0.0f;  // mu N L D (R/c)^2 / W
    int longestBlock() const; // lines of the longest pressure block (what a reader sizes)
};

Solution solve(const Bearing& bearing);

// The bytes of a case's files: the data file, the pressure and
// characteristics files and, for SOLAKO, the temperature file (empty for
// MERANT). The solution may be solve()'s or made by hand; every lobe's lines
// are written as given.
struct CaseText {
    std::string name;
    std::string dan, cis, cha, tem;
};
CaseText caseText(const Bearing& bearing, const Solution& solution);

// The Windows-1250 bytes of the Polish letters, the degree sign and the dash
// the headers use; anything else outside ASCII becomes '?'.
std::string toCp1250(const std::string& utf8);

// Writes <root>/DANE/<name>.dan and, into <root>/WYN, <name>.cis, .cha and
// .tem, each that is not empty; creates the directories and returns the data
// file's path. Throws std::runtime_error when a file cannot be written.
std::filesystem::path writeCase(const CaseText& text, const std::filesystem::path& root);
void writeCase(const Bearing& bearing, const Solution& solution, const std::filesystem::path& root);

// The cases kept under examples/ (names, geometry, file styles).
std::vector<Bearing> bundledExamples();

// A large SOLAKO case of `lobes` lobes of `points` points each, named
// "stress<lobes>x<points>", short-bearing pressures.
Bearing stressCase(int lobes, int points);

} // namespace lobus::casegen
