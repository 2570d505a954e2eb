#include "datafiles/state.h"

#include <algorithm>
#include <cmath>

namespace lobus {

RYSUJ::RYSUJ()
{
    static constexpr int kDefault[6][3] = {
        {255, 255, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {255, 0, 255}, {255, 0, 0},
    };
    for (int k = 1; k <= 6; ++k)
        for (int c = 1; c <= 3; ++c)
            colour(c, k) = kDefault[k - 1][c - 1];
}

int pointCount(const DANE& dane, const Results& results, int k)
{
    const float v = dane.ilcis(k);
    if (!std::isfinite(v) || v <= 0.0f)
        return 0;
    const long n = std::lround(v);
    return static_cast<int>(std::clamp<long>(n, 0, std::min(results.ilkat, results.katcis.cols())));
}

} // namespace lobus
