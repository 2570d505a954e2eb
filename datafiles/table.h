#pragma once
// Small 1-based tables with checked indices, for the fixed tables of the case
// block (tabpsi, tabkla, ...) and the result arrays of 6 rows by ilkat columns.
// An index out of range raises SubscriptRangeError, never undefined behaviour.

#include "datafiles/readerror.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <utility>
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
// element (k, j) addressed from 1, zero-filled when made. A wedge's points
// lie side by side (row by row), so that a wedge is read, summarised and
// drawn from one stretch of memory. Each array keeps to cache lines of its
// own: two reading threads fill two arrays at once, and every element
// handed out for writing counts an edit.
class alignas(64) ResultArray {
public:
    static constexpr int kRows = 6;

    ResultArray() = default;
    explicit ResultArray(int cols) { allocate(cols); }
    ResultArray(const ResultArray& other)
        : m_cols(other.m_cols),
          m_v(zeroed(other.size())),
          m_allocation(other.m_allocation),
          m_edits(other.m_edits)
    {
        std::copy_n(other.m_v.get(), other.size(), m_v.get());
    }
    ResultArray(ResultArray&& other) noexcept { *this = std::move(other); }
    ResultArray& operator=(const ResultArray& other)
    {
        if (this != &other)
            *this = ResultArray(other);
        return *this;
    }
    ResultArray& operator=(ResultArray&& other) noexcept
    {
        m_cols = std::exchange(other.m_cols, 0);
        m_v = std::move(other.m_v);
        m_allocation = other.m_allocation;
        m_edits = other.m_edits;
        return *this;
    }

    // An array of 6 by `cols` made of `p`, which it takes over: 6 × cols
    // floats from std::malloc or std::calloc, every one of them set.
    static ResultArray adopt(float* p, int cols)
    {
        ResultArray a;
        a.m_v = Memory(p);
        a.m_cols = cols;
        a.m_allocation = nextAllocation();
        return a;
    }

    // Replaces the contents by a new zero-filled array of 6 by `cols`.
    void allocate(int cols)
    {
        if (cols < 0)
            throwSubscript("result array extent", cols, 0);
        // The extent changes only once the memory is there.
        m_v = zeroed(static_cast<std::size_t>(cols) * kRows);
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

    const float* data() const { return m_v.get(); }
    // Where element (k, j) lies in data() of an array of `cols` columns; no check.
    static std::size_t offset(int cols, int k, int j)
    {
        return static_cast<std::size_t>(k - 1) * static_cast<std::size_t>(cols)
            + static_cast<std::size_t>(j - 1);
    }

private:
    struct Free {
        void operator()(float* p) const { std::free(p); }
    };
    using Memory = std::unique_ptr<float[], Free>;
    std::size_t size() const { return static_cast<std::size_t>(m_cols) * kRows; }
    // Zero-filled memory: a large block comes as fresh zero pages from the
    // system, so the zeros cost nothing until an element is written.
    static Memory zeroed(std::size_t n)
    {
        if (n == 0)
            return Memory();
        auto* p = static_cast<float*>(std::calloc(n, sizeof(float)));
        if (!p)
            throw std::bad_alloc();
        return Memory(p);
    }
    std::size_t index(int k, int j) const
    {
        if (k < 1 || k > kRows)
            throwSubscript("wedge index", k, kRows);
        if (j < 1 || j > m_cols)
            throwSubscript("line index", j, m_cols);
        return offset(m_cols, k, j);
    }
    static std::uint64_t nextAllocation()
    {
        static std::atomic<std::uint64_t> next {0};
        return ++next;
    }
    int m_cols = 0;
    Memory m_v;
    std::uint64_t m_allocation = 0;
    std::uint64_t m_edits = 0;
};

} // namespace lobus
