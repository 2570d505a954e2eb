#include "examples/casegen.h"

#include "examples/fortrantext.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace lobus::casegen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
constexpr double kOilDensity = 870.0; // kg/m3
constexpr double kOilHeat = 2000.0;   // J/(kg K)
constexpr double kHeatToOil = 0.5;    // share of the film's heat the oil carries away (rest: bush, journal)

struct Vec {
    double x = 0.0;
    double y = 0.0;
};

// The lobes' fixed geometry, in the values written to the data file.
struct Geometry {
    std::vector<float> start, end, kla, klb;
};

Geometry geometry(const Bearing& b)
{
    Geometry g;
    for (int k = 0; k < b.lobes; ++k) {
        const double mid = b.firstLobeMid + 360.0 * k / b.lobes;
        g.start.push_back(asReal(fixed(mid - 0.5 * b.lobeArc, 1)));
        g.end.push_back(asReal(fixed(mid + 0.5 * b.lobeArc, 1)));
        g.kla.push_back(asReal(fixed(-b.preload * std::cos(mid * kDeg), 4)));
        g.klb.push_back(asReal(fixed(-b.preload * std::sin(mid * kDeg), 4)));
    }
    return g;
}

LobeFilm film(const Bearing& b, const Geometry& g, int k, Vec journal, int points)
{
    LobeFilm f;
    f.ex = journal.x - g.kla[static_cast<std::size_t>(k)];
    f.ey = journal.y - g.klb[static_cast<std::size_t>(k)];
    f.start = g.start[static_cast<std::size_t>(k)] * kDeg;
    f.end = g.end[static_cast<std::size_t>(k)] * kDeg;
    f.points = points;
    f.diameterToWidth = b.diameter / b.width;
    f.widthPoints = b.widthPoints;
    return f;
}

// Trapezoidal weight of grid point i of n.
double weight(std::size_t i, std::size_t n) { return (i == 0 || i + 1 == n) ? 0.5 : 1.0; }

// The film forces on the journal, dimensionless (times p0 R L in newtons).
class ForceModel {
public:
    ForceModel(const Bearing& b, const Geometry& g, int points, PressureModel model)
        : m_b(b), m_g(g), m_points(points), m_model(model), m_warm(static_cast<std::size_t>(b.lobes))
    { }

    Vec force(double attitude)
    {
        const Vec j {m_b.ekscen * std::cos(attitude * kDeg), m_b.ekscen * std::sin(attitude * kDeg)};
        Vec f;
        for (int k = 0; k < m_b.lobes; ++k) {
            const LobeFilm lf = film(m_b, m_g, k, j, m_points);
            const LobePressure p = solveLobe(lf, m_model, &m_warm[static_cast<std::size_t>(k)]);
            const double da = (lf.end - lf.start) / (lf.points - 1);
            for (std::size_t i = 0; i < p.angle.size(); ++i) {
                // Pressure on the journal pushes it away from the lobe surface.
                const double w = weight(i, p.angle.size()) * p.widthMean[i] * da;
                f.x -= w * std::cos(p.angle[i]);
                f.y -= w * std::sin(p.angle[i]);
            }
        }
        return f;
    }

private:
    const Bearing& m_b;
    const Geometry& m_g;
    int m_points;
    PressureModel m_model;
    std::vector<std::vector<double>> m_warm;
};

// The attitude angle at which the film force points straight up, so the
// journal carries a downward load: the first root of Fx with Fy > 0 met going
// counter-clockwise from the bottom of the bearing.
double balanceAttitude(ForceModel& model)
{
    double a0 = 270.0;
    Vec f0 = model.force(a0);
    for (int step = 1; step <= 72; ++step) {
        const double a1 = 270.0 + 5.0 * step;
        const Vec f1 = model.force(a1);
        if (f0.y > 0.0 && f1.y > 0.0 && (f0.x <= 0.0) != (f1.x <= 0.0)) {
            double lo = a0;
            double hi = a1;
            const bool loNegative = f0.x <= 0.0;
            for (int i = 0; i < 40; ++i) {
                const double mid = 0.5 * (lo + hi);
                const Vec fm = model.force(mid);
                if ((fm.x <= 0.0) == loNegative)
                    lo = mid;
                else
                    hi = mid;
            }
            return std::fmod(0.5 * (lo + hi), 360.0);
        }
        a0 = a1;
        f0 = f1;
    }
    throw std::runtime_error("no attitude angle carries a downward load");
}

} // namespace

int Solution::longestBlock() const
{
    std::size_t n = 0;
    for (const Lobe& l : lobes)
        n = std::max(n, l.angle.size());
    return static_cast<int>(n);
}

Solution solve(const Bearing& b)
{
    if (b.lobes < 1 || b.lobes > 6 || b.points < 2)
        throw std::invalid_argument("a case needs 1..6 lobes and at least 2 points a lobe");
    if (b.ekscen + b.preload >= 1.0)
        throw std::invalid_argument("eccentricity plus preload must stay below 1: the film would close");

    const Geometry g = geometry(b);
    const double radius = 0.5 * b.diameter;
    const double omega = b.speed * 2.0 * kPi / 60.0;
    const double p0 = 6.0 * b.viscosity * omega * radius * radius / (b.clearance * b.clearance);

    // Balance on a grid the 2-D solver handles quickly; the short-bearing
    // pressures are pointwise, so a coarse grid balances the fine one too.
    const int balanceGrid = (b.model == PressureModel::FiniteDifference) ? b.points : 181;
    ForceModel coarse(b, g, balanceGrid, b.model);

    Solution s;
    s.ekscen = asReal(fixed(b.ekscen, 4));
    s.katekscen = asReal(fixed(balanceAttitude(coarse), 3));

    // The final fields at the journal centre exactly as written.
    const Vec j {s.ekscen * std::cos(s.katekscen * kDeg), s.ekscen * std::sin(s.katekscen * kDeg)};
    ForceModel fine(b, g, b.points, b.model);
    const Vec f = fine.force(s.katekscen);
    s.load = asReal(fortranE(std::hypot(f.x, f.y) * p0 * radius * b.width, 5));

    const double lossPerRadian
        = b.viscosity * omega * omega * radius * radius * radius * b.width / b.clearance;
    double loss = 0.0;
    double flow = 0.0;
    double minFilm = 1e30;
    float pmax = 0.0f;
    float tmax = -9999.0f;
    for (int k = 0; k < b.lobes; ++k) {
        const LobeFilm lf = film(b, g, k, j, b.points);
        const LobePressure p = solveLobe(lf, b.model);
        const std::size_t n = p.angle.size();
        const double da = (lf.end - lf.start) / (lf.points - 1);
        const double inletFlow = omega * radius * b.width * b.clearance * filmThickness(lf, lf.start) / 2.0;
        flow += inletFlow;

        Lobe lobe;
        lobe.start = g.start[static_cast<std::size_t>(k)];
        lobe.end = g.end[static_cast<std::size_t>(k)];
        lobe.kla = g.kla[static_cast<std::size_t>(k)];
        lobe.klb = g.klb[static_cast<std::size_t>(k)];
        // Four decimals, as the solver writes them, while they keep
        // neighbouring grid points apart; more on finer grids.
        const double step = (lobe.end - lobe.start) / std::max(1.0, static_cast<double>(n - 1));
        const int decimals
            = step > 0.0 ? std::clamp(static_cast<int>(std::ceil(std::log10(2.0 / step))), 4, 9) : 4;
        double heat = 0.0; // dissipated so far along the lobe, per lossPerRadian
        double previousInverse = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            const double h = filmThickness(lf, p.angle[i]);
            minFilm = std::min(minFilm, h);
            if (i > 0)
                heat += 0.5 * (previousInverse + 1.0 / h) * da;
            previousInverse = 1.0 / h;
            loss += weight(i, n) * da / h * lossPerRadian;

            // The last line is the lobe's end angle itself, so the block
            // closes there; the others stay below it in their written form,
            // also where the grid is finer than a REAL resolves near the end.
            const double deg = (i + 1 == n) ? lobe.end : p.angle[i] / kDeg;
            float angle = asReal(fixed(deg, decimals));
            if (i + 1 < n && angle >= lobe.end)
                angle = std::nextafter(lobe.end, -std::numeric_limits<float>::infinity());
            lobe.angle.push_back(angle);
            lobe.pressure.push_back(asReal(fortranE(p.midPlane[i] * p0, 5)));
            pmax = std::max(pmax, lobe.pressure.back());

            if (b.solver == Solver::SOLAKO) {
                const double t1
                    = b.inletTemp + kHeatToOil * heat * lossPerRadian / (kOilDensity * kOilHeat * inletFlow);
                const double t2 = b.inletTemp + 0.85 * (t1 - b.inletTemp) + 1.0;
                lobe.temAngle.push_back(
                    static_cast<int>((i + 1 == n) ? std::ceil(lobe.end) : std::floor(lobe.angle.back())));
                lobe.tem1.push_back(asReal(fixed(t1, 2)));
                lobe.tem2.push_back(asReal(fixed(t2, 2)));
                tmax = std::max({tmax, lobe.tem1.back(), lobe.tem2.back()});
            }
        }
        s.lobes.push_back(std::move(lobe));
    }
    s.pmax = pmax;
    s.tmax = tmax;
    s.powerLoss = asReal(fortranE(loss, 5));
    s.flow = asReal(fortranE(flow, 5));
    s.minFilm = asReal(fortranE(minFilm * b.clearance, 5));
    const double sommerfeld = b.viscosity * (b.speed / 60.0) * b.width * b.diameter * (radius / b.clearance)
        * (radius / b.clearance) / std::max<double>(s.load, 1e-30);
    s.sommerfeld = asReal(fortranE(sommerfeld, 5));
    return s;
}

std::vector<Bearing> bundledExamples()
{
    std::vector<Bearing> v;

    Bearing merant3;
    merant3.name = "merant3";
    merant3.description = "łożysko trzyklinowe, obliczenie izotermiczne";
    merant3.solver = Solver::MERANT;
    merant3.lobes = 3;
    merant3.firstLobeMid = 90.0;
    merant3.lobeArc = 80.0;
    merant3.preload = 0.35;
    merant3.clearance = 80e-6;
    merant3.speed = 3000.0;
    merant3.ekscen = 0.4;
    merant3.points = 61;
    v.push_back(merant3);

    Bearing solako4;
    solako4.name = "solako4";
    solako4.description = "łożysko czteroklinowe, obliczenie cieplne";
    solako4.solver = Solver::SOLAKO;
    solako4.lobes = 4;
    solako4.firstLobeMid = 45.0;
    solako4.lobeArc = 60.0;
    solako4.preload = 0.3;
    solako4.diameter = 0.12;
    solako4.width = 0.06;
    solako4.clearance = 90e-6;
    solako4.viscosity = 0.025;
    solako4.speed = 4000.0;
    solako4.ekscen = 0.45;
    solako4.points = 49;
    solako4.crlf = true;
    v.push_back(solako4);

    Bearing cytryna;
    cytryna.name = "cytryna2";
    cytryna.description = "łożysko cytrynowe (dwuklinowe), obliczenie izotermiczne";
    cytryna.solver = Solver::MERANT;
    cytryna.lobes = 2;
    cytryna.firstLobeMid = 90.0;
    cytryna.lobeArc = 110.0;
    cytryna.preload = 0.5;
    cytryna.diameter = 0.2;
    cytryna.width = 0.16;
    cytryna.clearance = 150e-6;
    cytryna.viscosity = 0.04;
    cytryna.speed = 1500.0;
    cytryna.ekscen = 0.35;
    cytryna.points = 73;
    v.push_back(cytryna);

    Bearing solako3;
    solako3.name = "solako3w";
    solako3.description = "łożysko trzyklinowe, zbiory z systemu Windows (CP1250)";
    solako3.solver = Solver::SOLAKO;
    solako3.lobes = 3;
    solako3.firstLobeMid = 90.0;
    solako3.lobeArc = 72.0;
    solako3.preload = 0.45;
    solako3.clearance = 85e-6;
    solako3.speed = 3000.0;
    solako3.ekscen = 0.35;
    solako3.points = 37;
    solako3.crlf = true;
    solako3.cp1250 = true;
    solako3.dosEof = true;
    v.push_back(solako3);
    return v;
}

Bearing stressCase(int lobes, int points)
{
    Bearing b;
    b.name = "stress" + std::to_string(lobes) + "x" + std::to_string(points);
    b.description = "przypadek do pomiarów wydajności";
    b.solver = Solver::SOLAKO;
    b.lobes = lobes;
    b.firstLobeMid = lobes == 1 ? 270.0 : 90.0; // a single lobe must lie under the load
    b.lobeArc = 0.6 * 360.0 / lobes;
    // A single partial arc has no preload: its journal must be free to move
    // to where the film force carries the load.
    b.preload = lobes == 1 ? 0.0 : 0.4;
    b.clearance = 100e-6;
    b.speed = 3000.0;
    b.ekscen = lobes == 1 ? 0.6 : 0.25;
    b.points = points;
    b.model = PressureModel::ShortBearing;
    return b;
}

} // namespace lobus::casegen
