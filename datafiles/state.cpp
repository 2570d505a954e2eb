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

int pointCount(float ilcis, int ilkat, const ResultArray& katcis, const ResultArray& cis)
{
    if (!std::isfinite(ilcis) || ilcis <= 0.0f)
        return 0;
    const long n = std::lround(ilcis);
    const long limit = std::min(
        {static_cast<long>(ilkat), static_cast<long>(katcis.cols()), static_cast<long>(cis.cols())});
    return static_cast<int>(std::clamp<long>(n, 0, std::max(0L, limit)));
}

} // namespace lobus
