#pragma once
// Small 1-based tables with checked indices, for the fixed tables of the case
// block (tabpsi, tabkla, ...) and the result arrays of 6 rows by ilkat columns.
// An index out of range raises SubscriptRangeError, never undefined behaviour.

#include "datafiles/readerror.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lobus {

[[noreturn]] inline void throwSubscript(const char* table, long index, long bound)
{
    throw SubscriptRangeError(std::string("Subscript out of range: ") + table + "(" + std::to_string(index)
                              + "), bounds 1.." + std::to_string(bound));
}

// One-dimensional table t(1..N).
template <class T, int N> class Table1 {
public:
    static constexpr int size() { return N; }

    T& operator()(int i)
    {
        check(i);
        return m_v[static_cast<std::size_t>(i - 1)];
    }
    const T& operator()(int i) const
    {
        check(i);
        return m_v[static_cast<std::size_t>(i - 1)];
    }

    T* data() { return m_v.data(); }
    const T* data() const { return m_v.data(); }
    bool operator==(const Table1&) const = default;

private:
    static void check(int i)
    {
        if (i < 1 || i > N)
            throwSubscript("table", i, N);
    }
    std::array<T, N> m_v {};
};

// Two-dimensional table t(1..R, 1..C), stored column by column.
template <class T, int R, int C> class Table2 {
public:
    static constexpr int rows() { return R; }
    static constexpr int cols() { return C; }

    T& operator()(int i, int j) { return m_v[index(i, j)]; }
    const T& operator()(int i, int j) const { return m_v[index(i, j)]; }
    bool operator==(const Table2&) const = default;

private:
    static std::size_t index(int i, int j)
    {
        if (i < 1 || i > R)
            throwSubscript("table row", i, R);
        if (j < 1 || j > C)
            throwSubscript("table column", j, C);
        return static_cast<std::size_t>((j - 1) * R + (i - 1));
    }
    std::array<T, static_cast<std::size_t>(R) * C> m_v {};
};

// A result array: REAL, 6 rows (wedges) by `cols` columns (grid points),
// column-major, element (k, j) addressed from 1, zero-filled when made.
class ResultArray {
public:
    static constexpr int kRows = 6;

    ResultArray() = default;
    explicit ResultArray(int cols) { allocate(cols); }

    // Replaces the contents by a new zero-filled array of 6 by `cols`.
    void allocate(int cols)
    {
        if (cols < 0)
            throwSubscript("result array extent", cols, 0);
        // The extent changes only once the memory is there.
        m_v.assign(static_cast<std::size_t>(cols) * kRows, 0.0f);
        m_v.shrink_to_fit();
        m_cols = cols;
        m_allocation = nextAllocation();
        m_edits = 0;
    }
    int cols() const { return m_cols; }

    // What was worked out from the values is out of date once either
    // changes: the allocation is new for every allocate() in the program,
    // the edits count the elements handed out for writing since.
    std::uint64_t allocation() const { return m_allocation; }
    std::uint64_t edits() const { return m_edits; }

    float& operator()(int k, int j)
    {
        const std::size_t i = index(k, j);
        ++m_edits;
        return m_v[i];
    }
    float operator()(int k, int j) const { return m_v[index(k, j)]; }

    const float* data() const { return m_v.data(); }

private:
    std::size_t index(int k, int j) const
    {
        if (k < 1 || k > kRows)
            throwSubscript("wedge index", k, kRows);
        if (j < 1 || j > m_cols)
            throwSubscript("line index", j, m_cols);
        return static_cast<std::size_t>(j - 1) * kRows + static_cast<std::size_t>(k - 1);
    }
    static std::uint64_t nextAllocation()
    {
        static std::atomic<std::uint64_t> next {0};
        return ++next;
    }
    int m_cols = 0;
    std::vector<float> m_v;
    std::uint64_t m_allocation = 0;
    std::uint64_t m_edits = 0;
};

} // namespace lobus
