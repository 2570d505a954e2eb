#include "datafiles/readcolumn.h"

#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace lobus {

ResultArray ReadColumn::toArray(const std::array<int, 6>& lines, int cols)
{
    const std::size_t width = static_cast<std::size_t>(cols);
    const std::size_t need = ResultArray::kRows * width;
    std::array<std::size_t, 6> from {};
    for (std::size_t k = 1; k < 6; ++k)
        from[k] = from[k - 1] + static_cast<std::size_t>(lines[k - 1]);
    if (need > m_capacity) {
        auto* q = static_cast<float*>(std::calloc(need, sizeof(float)));
        if (!q)
            throw std::bad_alloc();
        for (std::size_t k = 0; k < 6; ++k)
            std::memcpy(q + k * width, m_p + from[k], static_cast<std::size_t>(lines[k]) * sizeof(float));
        std::free(m_p);
        m_p = q;
    } else {
        // Each block moves towards the end (no block is longer than a
        // row), the last first so that none is overwritten before it
        // moves; then the rest of each row is cleared.
        for (std::size_t k = 6; k-- > 0;)
            std::memmove(m_p + k * width, m_p + from[k], static_cast<std::size_t>(lines[k]) * sizeof(float));
        for (std::size_t k = 0; k < 6; ++k) {
            const std::size_t begin = k * width + static_cast<std::size_t>(lines[k]);
            const std::size_t end = (k + 1) * width;
            if (begin < end)
                std::memset(m_p + begin, 0, (end - begin) * sizeof(float));
        }
        if (need < m_capacity)
            if (void* shrunk = std::realloc(m_p, need * sizeof(float)))
                m_p = static_cast<float*>(shrunk);
    }
    float* p = std::exchange(m_p, nullptr);
    m_capacity = m_size = 0;
    return ResultArray::adopt(p, cols);
}

bool reserveRecords(ReadColumn& first, ReadColumn& second, std::uintmax_t bytes)
{
    const std::uintmax_t records = bytes / 4 + 1;
    if (records > std::numeric_limits<std::size_t>::max() / sizeof(float))
        return false;
    return first.reserve(static_cast<std::size_t>(records))
        && second.reserve(static_cast<std::size_t>(records));
}

} // namespace lobus
