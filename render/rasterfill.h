// Antialiased filled outlines written straight into the pixels of a 32-bit
// image: the pressure diagrams, bands and temperature bands are most of a
// picture's area and edges, and the painter's general filling spends more on
// them than they need.
#pragma once

#include <QImage>
#include <QPointF>

#include <cstddef>
#include <span>
#include <vector>

namespace lobus {

// Fills a closed outline by the non-zero winding rule in an opaque colour on
// an RGB32 or premultiplied ARGB32 image: each pixel takes the colour by the
// part of its area the outline covers. Keeps its work memory for the next.
// An outline whose edges would need more than kMostCells cells (some 50 MB)
// is left undrawn, with false, for a filling that needs less memory.
//
// A fill comes in two halves that may run on two threads: cells() works out
// what the edges leave in each row, lay() writes the rows' pixels.
class RasterFill {
public:
    static constexpr double kMostCells = 4.0e6;
    bool fill(QImage& image, std::span<const QPointF> outline, QRgb colour);

    struct Cell {
        int x;
        float change; // to the covered part of each pixel from column x on
    };
    enum class Cells {
        None,    // the outline covers no pixel of the image
        Ready,   // rowStarts() and sorted() hold them
        TooMany, // more than kMostCells
    };
    // The cells of `outline` on an image of `size`, into rows from top():
    // row r's lie in sorted() from rowStarts()[r - top()] to the next start.
    Cells cells(QSize size, std::span<const QPointF> outline);
    int top() const { return m_top; }
    std::span<const int> rowStarts() const { return m_rowStart; }
    std::span<const Cell> sorted() const { return m_sorted; }
    // Lays such cells (the rows' own order within each row, which it
    // changes) on `image` of the size they were worked out for.
    void lay(QImage& image, int top, std::span<const int> rowStarts, Cell* sorted, QRgb colour);

private:
    struct RowCell {
        int row;
        Cell cell;
    };
    void edge(QPointF a, QPointF b);
    void segment(double x0, double y0, double x1, double y1);
    void sortRow(Cell* first, Cell* last);
    static constexpr std::ptrdiff_t kFewCells = 16;

    int m_width = 0;
    int m_height = 0;
    int m_top = 0;                // the first row that may hold cells
    std::vector<RowCell> m_cells; // as the edges leave them
    std::vector<Cell> m_sorted;   // by rows, then columns
    std::vector<int> m_rowStart;  // per row from m_top: where its cells start in m_sorted
    std::vector<int> m_next;      // per row: where its next cell goes
    std::vector<Cell> m_merged;
};

} // namespace lobus
