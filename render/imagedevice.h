#pragma once
// The graphics layer's device over a QImage: antialiased lines, a scalable
// font, sizes from the image's own resolution. The painter is open for the
// lifetime of the device; make one per picture, the image lives on.
//
// A picture begins by clearing its area, most of the image. Given an
// ImageTiles, the device keeps there, from one picture to the next into the
// same image, which tiles of it hold nothing but the background, and clears
// only the others. What it keeps is tied to the image's QImage::cacheKey(),
// which changes with any other change of the image (a painter on it, bits(),
// fill(), a new image): then the whole area is cleared.

#include "render/painterdevice.h"

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <vector>

namespace lobus {

// What a picture into an image leaves for the next picture into it: which
// tiles hold only the background. Owned by whoever draws into one image in
// turn (the window, the renderer), one for each image.
struct ImageTiles {
    qint64 key = 0; // the image's cacheKey() when the last picture ended
    QSize size;
    QImage::Format format = QImage::Format_Invalid;
    std::vector<std::uint8_t> clean; // per tile, rows first: 1 = only `colour` in it
    QRgb colour = 0;
};

class ImageDevice : public Device {
public:
    // A picture that keeps nothing: the whole area is cleared.
    explicit ImageDevice(QImage& image);
    // A picture that starts from what `kept` says of the image and leaves
    // there what it drew on; `kept` must outlive the device.
    ImageDevice(QImage& image, ImageTiles& kept);
    ~ImageDevice() override;

    int width() const override { return m_device.width(); }
    int height() const override { return m_device.height(); }
    double dotsPerInch() const override { return m_device.dotsPerInch(); }
    // Writes the background straight into the image's memory: a clear is most
    // of a picture's pixels and needs no blending.
    void clear(int x0, int y0, int x1, int y1, Rgb background) override;
    void line(PointF a, PointF b, Rgb colour) override;
    void polyline(std::span<const PointF> p, Rgb colour) override;
    void polygon(std::span<const PointF> p, Rgb colour, bool filled) override;
    void text(PointF at, std::string_view utf8, double h, Justify j, Rgb colour) override;
    void lines(PointF a, PointF b, Rgb colour, int count) override;
    void hatch(std::span<const PointF> from, std::span<const PointF> to, Rgb colour,
               double linesPerPixel) override;
    bool levelOfDetail() const override { return m_device.levelOfDetail(); }

    static constexpr int kTile = 32; // pixels a side

private:
    ImageDevice(QImage& image, ImageTiles* kept);
    void markSegment(PointF a, PointF b); // the tiles a line may touch
    void markRect(double x0, double y0, double x1, double y1);
    void markFilled(std::span<const PointF> p); // the tiles a filled outline may touch
    void fillRows(int x0, int x1, int y0, int y1, QRgb pixel);

    struct Tiles {
        std::vector<std::uint8_t> clean; // per tile, rows first: 1 = only `colour` in it
        QRgb colour = 0;
    };
    static Tiles keptTiles(const QImage& image, ImageTiles* kept); // before the painter begins

    QImage& m_image;
    ImageTiles* m_kept; // null: nothing kept
    bool m_tracked;     // the format is one the device clears itself
    int m_tilesX;
    int m_tilesY;
    Tiles m_tiles;
    std::vector<int> m_rowMin; // per tile row, for markFilled
    std::vector<int> m_rowMax;
    double m_margin; // pixels a drawn line reaches beyond its ends and sides
    QPainter m_painter;
    PainterDevice m_device;
};

} // namespace lobus
