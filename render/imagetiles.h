#pragma once
// Which tiles of an image hold nothing but the background. A picture begins
// by clearing its area, most of the image: kept from one picture to the next
// into the same image, this lets a picture clear only the tiles the last one
// drew on. What is kept is tied to the image's QImage::cacheKey(), which
// changes with any other change of the image (a painter on it, bits(),
// fill(), a new image): then the whole area is cleared.

#include "drawing/graphics/device.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <span>
#include <vector>

namespace lobus {

// What a picture into an image leaves for the next picture into it. Owned,
// one for each image, by whoever draws into it in turn (in a PictureCache).
struct ImageTiles {
    qint64 key = 0; // the image's cacheKey() when the last picture ended
    QSize size;
    QImage::Format format = QImage::Format_Invalid;
    std::vector<std::uint8_t> clean; // per tile, rows first: 1 = only `colour` in it
    QRgb colour = 0;
};

// The tiles of one picture into an image: those drawn on are marked, and a
// clear writes only the others.
class TileMap {
public:
    static constexpr int kTile = 32; // pixels a side

    // Made before a painter begins on the image, from what `kept` (may be
    // null: nothing kept) says of it.
    TileMap(const QImage& image, ImageTiles* kept);

    // Pixels a drawn line reaches beyond its ends and sides.
    void setMargin(double margin) { m_margin = margin; }
    double margin() const { return m_margin; }

    void markRect(double x0, double y0, double x1, double y1);
    void markSegment(PointF a, PointF b);       // the tiles a line may touch
    void markFilled(std::span<const PointF> p); // the tiles a filled outline may touch

    // Clears [x0, x1) x [y0, y1) of an image of `size` (of a format whose
    // pixel of an opaque colour is 0xffRRGGBB) to `pixel`, leaving alone the
    // tiles that hold only that already: the rectangles to fill go into
    // `fills` (for fill()), the tiles count as cleared.
    void clear(QSize size, int x0, int y0, int x1, int y1, QRgb pixel, std::vector<QRect>& fills);
    // Fills `r` of the image with `pixel`.
    static void fill(QImage& image, const QRect& r, QRgb pixel);

    // Hands what the picture leaves back to `kept`, after the painter ended.
    void keep(const QImage& image, ImageTiles& kept);

private:
    int m_tilesX;
    int m_tilesY;
    std::vector<std::uint8_t> m_clean; // per tile, rows first: 1 = only m_colour in it
    QRgb m_colour = 0;
    std::vector<int> m_rowMin; // per tile row, for markFilled
    std::vector<int> m_rowMax;
    double m_margin = 0.0;
};

} // namespace lobus
