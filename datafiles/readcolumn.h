#pragma once
// The values of a result file's point records as one reading stores them,
// before they become a case's arrays.

#include "datafiles/largememory.h"
#include "datafiles/state.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace lobus {

// One stored column of a file's point records in the file's order. Its
// memory is reserved for the most records the file's size allows and costs
// nothing where it is never written; it is not cleared.
class ReadColumn {
public:
    ReadColumn() = default;
    ~ReadColumn() { std::free(m_p); }
    ReadColumn(const ReadColumn&) = delete;
    ReadColumn& operator=(const ReadColumn&) = delete;

    bool reserve(std::size_t n)
    {
        // Filled from the start on, in large pages from the first: a fault
        // for every 2 MB.
        m_p = static_cast<float*>(allocateLarge(n * sizeof(float)));
        m_capacity = m_p ? n : 0;
        return m_p != nullptr;
    }
    const float* data() const { return m_p; }
    std::size_t size() const { return m_size; }
    // False when the column is full (the file grew while it was read).
    bool push(float v)
    {
        if (m_size == m_capacity)
            return false;
        m_p[m_size++] = v;
        return true;
    }

    // The 6 by `cols` array whose row k holds block k (lines[k - 1] values,
    // one after the other in the column), zero elsewhere. Leaves the column
    // empty.
    ResultArray toArray(const std::array<int, 6>& lines, int cols);

private:
    float* m_p = nullptr;
    std::size_t m_capacity = 0;
    std::size_t m_size = 0;
};

// Reserves both columns for every point record of `bytes` of a file: a
// record of two or three plain numbers takes at least four bytes with its
// line end. False when there is no memory for them.
bool reserveRecords(ReadColumn& first, ReadColumn& second, std::uintmax_t bytes);

} // namespace lobus
