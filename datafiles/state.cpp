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

void ReadRecord::noteNull(ResultColumn column, int k, int j, int ilkat)
{
    if (nulls.empty())
        nulls.assign(static_cast<std::size_t>(ilkat) * ResultArray::kRows, 0);
    const std::size_t i
        = static_cast<std::size_t>(j - 1) * ResultArray::kRows + static_cast<std::size_t>(k - 1);
    if (i < nulls.size())
        nulls[i] |= static_cast<std::uint8_t>(column);
}

bool ReadRecord::isNull(ResultColumn column, int k, int j) const
{
    const std::size_t i
        = static_cast<std::size_t>(j - 1) * ResultArray::kRows + static_cast<std::size_t>(k - 1);
    return i < nulls.size() && (nulls[i] & static_cast<std::uint8_t>(column)) != 0;
}

bool valueRead(const DANE& dane, const Results& results, ResultColumn column, int k, int j)
{
    if (k < 1 || k > ResultArray::kRows || j < 1 || j > pointCount(dane, results, k))
        return false;
    const bool temperature = column == ResultColumn::Tem1 || column == ResultColumn::Tem2;
    if (temperature && !dane.thermal())
        return false;
    if (!results.read.fromFiles)
        return true;
    if (temperature && j > results.read.temLines[static_cast<std::size_t>(k - 1)])
        return false;
    return !results.read.isNull(column, k, j);
}

bool characteristicRead(const Results& results, std::uint8_t which)
{
    return !results.read.fromFiles || (results.read.cha & which) != 0;
}

bool anyTemperatureRead(const DANE& dane, const Results& results)
{
    if (!dane.thermal())
        return false;
    if (!results.read.fromFiles)
        return true;
    const int wedges = std::clamp(dane.ikm, 0, ResultArray::kRows);
    for (int k = 1; k <= wedges; ++k)
        for (int j = 1; j <= results.read.temLines[static_cast<std::size_t>(k - 1)]; ++j)
            if (valueRead(dane, results, ResultColumn::Tem1, k, j)
                || valueRead(dane, results, ResultColumn::Tem2, k, j))
                return true;
    return false;
}

} // namespace lobus
