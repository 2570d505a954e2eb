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

} // namespace lobus
