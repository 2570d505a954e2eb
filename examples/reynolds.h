#pragma once
// Pressure in one lobe of a multi-lobe journal bearing from the Reynolds
// equation, for the example-case generator.
//
// Everything here is dimensionless: lengths across the film in lobe
// clearances c, pressure in p0 = 6 mu omega R^2 / c^2, the width coordinate Z
// running from the mid-plane (0) to the bearing edge (1). The journal rotates
// counter-clockwise (towards growing angles). The film thickness at the angle
// a about the lobe centre is H(a) = 1 - ex cos a - ey sin a, where (ex, ey) is
// the journal centre relative to the lobe centre; the caller keeps |(ex, ey)|
// below 1 so that the film never closes.

#include <vector>

namespace lobus::casegen {

enum class PressureModel {
    FiniteDifference, // full 2-D Reynolds equation, SOR with cavitation projection
    ShortBearing,     // Ocvirk's short-bearing approximation, pointwise
};

struct LobeFilm {
    double ex = 0.0; // journal centre relative to the lobe centre
    double ey = 0.0;
    double start = 0.0; // lobe-centre angles of the lobe's edges, radians
    double end = 0.0;
    int points = 2;               // circumferential grid points, edges included
    double diameterToWidth = 1.0; // D / L
    int widthPoints = 11;         // finite differences: nodes from the mid-plane to the edge
};

struct LobePressure {
    std::vector<double> angle;     // radians, `points` of them from start to end
    std::vector<double> midPlane;  // dimensionless pressure at the mid-plane, >= 0
    std::vector<double> widthMean; // mean of the pressure across the width, >= 0
};

double filmThickness(const LobeFilm& film, double a);

// Solves the lobe. `warmStart`, when it has the grid's size, is the previous
// finite-difference field (points x widthPoints) and is updated in place; it
// speeds up the repeated solves of the load balance.
LobePressure solveLobe(const LobeFilm& film, PressureModel model, std::vector<double>* warmStart = nullptr);

} // namespace lobus::casegen
