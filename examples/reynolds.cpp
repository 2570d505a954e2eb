#include "examples/reynolds.h"

#include <algorithm>
#include <cmath>

namespace lobus::casegen {

double filmThickness(const LobeFilm& film, double a)
{
    return 1.0 - film.ex * std::cos(a) - film.ey * std::sin(a);
}

namespace {

std::vector<double> gridAngles(const LobeFilm& film)
{
    const int n = std::max(film.points, 2);
    std::vector<double> a(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        a[static_cast<std::size_t>(i)] = film.start + (film.end - film.start) * i / (n - 1);
    return a;
}

// Short bearing: the width term alone balances the wedge term, so
// P(a, Z) = (L/D)^2 H'/(2 H^3) (Z^2 - 1); the divergent part is cut to zero
// (half-Sommerfeld), its width mean is 2/3 of the mid-plane value.
void shortBearing(const LobeFilm& film, LobePressure& out)
{
    const double ld2 = 1.0 / (film.diameterToWidth * film.diameterToWidth);
    for (std::size_t i = 0; i < out.angle.size(); ++i) {
        const double a = out.angle[i];
        const double h = filmThickness(film, a);
        const double dh = film.ex * std::sin(a) - film.ey * std::cos(a);
        const double p = std::max(0.0, -ld2 * dh / (2.0 * h * h * h));
        out.midPlane[i] = p;
        out.widthMean[i] = p * 2.0 / 3.0;
    }
}

// d/da(H^3 dP/da) + (D/L)^2 d/dZ(H^3 dP/dZ) = dH/da on the half width, P = 0
// at the lobe edges and the bearing edge, dP/dZ = 0 at the mid-plane.
// Projected SOR keeps P >= 0, which gives the Reynolds cavitation boundary
// instead of merely cutting the negative loop of an unconstrained solution.
void finiteDifference(const LobeFilm& film, LobePressure& out, std::vector<double>* warmStart)
{
    const int n = static_cast<int>(out.angle.size());
    const int m = std::max(film.widthPoints, 3);
    const double da = (film.end - film.start) / (n - 1);
    const double dz = 1.0 / (m - 1);
    const double dl2 = film.diameterToWidth * film.diameterToWidth;

    std::vector<double> local;
    std::vector<double>& p = (warmStart != nullptr) ? *warmStart : local;
    if (p.size() != static_cast<std::size_t>(n) * m)
        p.assign(static_cast<std::size_t>(n) * m, 0.0);
    auto at = [&](int i, int j) -> double& { return p[static_cast<std::size_t>(i) * m + j]; };

    std::vector<double> ae(static_cast<std::size_t>(n)), aw(ae), az(ae), rhs(ae);
    for (int i = 1; i < n - 1; ++i) {
        const double a = out.angle[static_cast<std::size_t>(i)];
        const double hw = filmThickness(film, a - 0.5 * da);
        const double he = filmThickness(film, a + 0.5 * da);
        const double h = filmThickness(film, a);
        ae[i] = he * he * he / (da * da);
        aw[i] = hw * hw * hw / (da * da);
        az[i] = dl2 * h * h * h / (dz * dz);
        rhs[i] = (he - hw) / da;
    }

    const double omega = 1.85;
    for (int iter = 0; iter < 50000; ++iter) {
        double change = 0.0;
        double largest = 0.0;
        for (int i = 1; i < n - 1; ++i) {
            const double ap = ae[i] + aw[i] + 2.0 * az[i];
            for (int j = 0; j < m - 1; ++j) {
                const double below = (j == 0) ? at(i, 1) : at(i, j - 1);
                const double gs
                    = (ae[i] * at(i + 1, j) + aw[i] * at(i - 1, j) + az[i] * (at(i, j + 1) + below) - rhs[i])
                    / ap;
                const double old = at(i, j);
                const double v = std::max(0.0, old + omega * (gs - old));
                change = std::max(change, std::fabs(v - old));
                largest = std::max(largest, v);
                at(i, j) = v;
            }
        }
        if (change <= 1e-10 * std::max(largest, 1e-3))
            break;
    }

    for (int i = 0; i < n; ++i) {
        out.midPlane[static_cast<std::size_t>(i)] = at(i, 0);
        double sum = 0.0;
        for (int j = 0; j < m; ++j)
            sum += at(i, j) * ((j == 0 || j == m - 1) ? 0.5 : 1.0);
        out.widthMean[static_cast<std::size_t>(i)] = sum * dz;
    }
}

} // namespace

LobePressure solveLobe(const LobeFilm& film, PressureModel model, std::vector<double>* warmStart)
{
    LobePressure out;
    out.angle = gridAngles(film);
    out.midPlane.assign(out.angle.size(), 0.0);
    out.widthMean.assign(out.angle.size(), 0.0);
    if (model == PressureModel::ShortBearing)
        shortBearing(film, out);
    else
        finiteDifference(film, out, warmStart);
    return out;
}

} // namespace lobus::casegen
