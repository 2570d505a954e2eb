#include "render/rasterfill.h"

#include "render/rasterline.h"

#include <algorithm>
#include <cmath>

namespace lobus {

// Each edge leaves, in every row it crosses, cells: the change it makes to
// the covered part of the pixels from a column on. The sum of a row's cells
// up to a column is the winding-weighted part of that pixel's square inside
// the outline; the pixels up to the next cell share it.
bool RasterFill::fill(QImage& image, std::span<const QPointF> outline, QRgb colour)
{
    switch (cells(image.size(), outline)) {
    case Cells::None:
        return true;
    case Cells::TooMany:
        return false;
    case Cells::Ready:
        break;
    }
    lay(image, m_top, m_rowStart, m_sorted.data(), colour);
    return true;
}

RasterFill::Cells RasterFill::cells(QSize size, std::span<const QPointF> outline)
{
    m_width = size.width();
    m_height = size.height();
    if (outline.size() < 3 || m_width <= 0 || m_height <= 0)
        return Cells::None;
    // An edge leaves at most two cells in each row it crosses and one in
    // each column it crosses within the image.
    double cells = 0.0;
    double low = outline[0].y();
    double high = low;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const QPointF a = outline[i];
        const QPointF b = outline[i + 1 < outline.size() ? i + 1 : 0];
        if (!std::isfinite(a.x()) || !std::isfinite(a.y()))
            return Cells::None;
        cells += 2.0 * std::min(std::abs(b.y() - a.y()) + 2.0, m_height + 2.0)
            + std::min(std::abs(b.x() - a.x()) + 2.0, m_width + 2.0);
        low = std::min(low, a.y());
        high = std::max(high, a.y());
    }
    if (cells > kMostCells)
        return Cells::TooMany;
    if (!(high > 0.0 && low < m_height))
        return Cells::None;
    // The rows the outline reaches in the image, and one more each side (a
    // point where an edge is cut at the image's side is worked out, and may
    // stray past its ends by a rounding); each row's cells counted as they
    // come (behind its own slot: the starts follow from them).
    m_top = std::max(static_cast<int>(std::floor(std::max(low, 0.0))) - 1, 0);
    const int bottom = std::min(static_cast<int>(std::ceil(std::min(high, double(m_height)))), m_height - 1);
    const int top = m_top;
    const auto rows = static_cast<std::size_t>(bottom - top + 1);
    m_rowStart.assign(rows + 1, 0);
    m_cells.clear();
    for (std::size_t i = 0; i < outline.size(); ++i)
        edge(outline[i], outline[i + 1 < outline.size() ? i + 1 : 0]);
    if (m_cells.empty())
        return Cells::None;

    // Into rows, keeping each row's cells in the order they came.
    for (std::size_t r = 0; r < rows; ++r)
        m_rowStart[r + 1] += m_rowStart[r];
    m_sorted.resize(m_cells.size());
    m_next.assign(m_rowStart.begin(), m_rowStart.end() - 1);
    for (const RowCell& c : m_cells)
        m_sorted[static_cast<std::size_t>(m_next[static_cast<std::size_t>(c.row - top)]++)] = c.cell;
    return Cells::Ready;
}

void RasterFill::lay(QImage& image, int top, std::span<const int> rowStarts, Cell* sorted, QRgb colour)
{
    const int width = image.width();
    auto* bits = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / 4;
    const std::size_t rows = rowStarts.empty() ? 0 : rowStarts.size() - 1;
    for (std::size_t r = 0; r < rows; ++r) {
        Cell* const first = sorted + rowStarts[r];
        Cell* const last = sorted + rowStarts[r + 1];
        if (first == last)
            continue;
        sortRow(first, last);
        QRgb* line = bits + (top + static_cast<qsizetype>(r)) * stride;
        float covered = 0.0f;
        for (const Cell* c = first; c != last;) {
            const int x = c->x;
            if (x >= width)
                break;
            for (; c != last && c->x == x; ++c)
                covered += c->change;
            const auto a = static_cast<unsigned>(std::min(std::abs(covered), 1.0f) * 255.0f + 0.5f);
            if (a == 0)
                continue;
            const int end = c != last ? std::min(c->x, width) : width;
            if (a >= 255) {
                std::fill(line + x, line + end, colour);
            } else {
                for (int p = x; p < end; ++p)
                    line[p] = blendPixel(line[p], colour, a);
            }
        }
    }
}

// A row's cells come in rising runs, one for each piece of edge that
// crosses the row: merged run by run; a row of a few cells (the sides of a
// rectangle) sorted in place. Both keep cells of one column in the order
// they came, so that their changes add up alike.
void RasterFill::sortRow(Cell* first, Cell* last)
{
    const auto before = [](const Cell& a, const Cell& b) { return a.x < b.x; };
    if (last - first <= kFewCells) {
        for (Cell* i = first + 1; i < last; ++i) {
            const Cell c = *i;
            Cell* j = i;
            for (; j > first && before(c, j[-1]); --j)
                *j = j[-1];
            *j = c;
        }
        return;
    }
    Cell* sorted = std::is_sorted_until(first, last, before);
    if (sorted == last)
        return;
    m_merged.resize(static_cast<std::size_t>(last - first));
    while (sorted != last) {
        Cell* const next = std::is_sorted_until(sorted, last, before);
        Cell* const end = std::merge(first, sorted, sorted, next, m_merged.data(), before);
        std::copy(m_merged.data(), end, first);
        sorted = next;
    }
}

// Pieces left of the image lie on its left side (they cover every pixel to
// their right alike); pieces right of it change no pixel.
void RasterFill::edge(QPointF a, QPointF b)
{
    if (a.y() == b.y())
        return;
    const double w = m_width;
    double ts[4] = {0.0, 0.0, 0.0, 1.0};
    int n = 1;
    const double dx = b.x() - a.x();
    for (const double side : {0.0, w}) {
        const double t = dx != 0.0 ? (side - a.x()) / dx : -1.0;
        if (t > 0.0 && t < 1.0)
            ts[n++] = t;
    }
    if (n == 3 && ts[2] < ts[1])
        std::swap(ts[1], ts[2]);
    ts[n] = 1.0;
    const QPointF d = b - a;
    for (int i = 0; i < n; ++i) {
        const QPointF p = i == 0 ? a : a + d * ts[i];
        const QPointF q = i + 1 == n ? b : a + d * ts[i + 1];
        const double middle = 0.5 * (p.x() + q.x());
        if (middle < w)
            segment(std::clamp(p.x(), 0.0, w), p.y(), std::clamp(q.x(), 0.0, w), q.y());
    }
}

// The area a straight piece of edge leaves in each row it crosses: within
// one column, split by where its middle lies; across several, the parts of
// the trapezoids it cuts from each column.
void RasterFill::segment(double x0, double y0, double x1, double y1)
{
    if (y0 == y1)
        return;
    double dir = 1.0;
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
        dir = -1.0;
    }
    const double dxdy = (x1 - x0) / (y1 - y0);
    const double top = std::max(y0, 0.0);
    const double bottom = std::min(y1, double(m_height));
    if (!(top < bottom))
        return;
    double x = x0 + (top - y0) * dxdy;
    const int first = static_cast<int>(std::floor(top));
    const int last = static_cast<int>(std::ceil(bottom)) - 1;
    const auto add = [this](int row, int column, double change) {
        m_cells.push_back({row, {column, static_cast<float>(change)}});
        ++m_rowStart[static_cast<std::size_t>(row - m_top) + 1];
    };
    for (int row = first; row <= last; ++row) {
        const double dy = std::min(row + 1.0, bottom) - std::max(double(row), top);
        const double next = row == last ? x1 + (bottom - y1) * dxdy : x + dxdy * dy;
        const double d = dy * dir;
        const double left = std::min(x, next);
        const double right = std::max(x, next);
        const double leftFloor = std::floor(left);
        const int li = static_cast<int>(leftFloor);
        const int ri = static_cast<int>(std::ceil(right));
        if (ri <= li + 1) {
            const double middle = 0.5 * (x + next) - leftFloor;
            add(row, li, d * (1.0 - middle));
            add(row, li + 1, d * middle);
        } else {
            const double s = 1.0 / (right - left);
            const double lf = left - leftFloor;
            const double a0 = 0.5 * s * (1.0 - lf) * (1.0 - lf);
            const double rf = right - ri + 1.0;
            const double am = 0.5 * s * rf * rf;
            add(row, li, d * a0);
            if (ri == li + 2) {
                add(row, li + 1, d * (1.0 - a0 - am));
            } else {
                const double a1 = s * (1.5 - lf);
                add(row, li + 1, d * (a1 - a0));
                for (int c = li + 2; c < ri - 1; ++c)
                    add(row, c, d * s);
                const double a2 = a1 + (ri - li - 3) * s;
                add(row, ri - 1, d * (1.0 - a2 - am));
            }
            add(row, ri, d * am);
        }
        x = next;
    }
}

} // namespace lobus
