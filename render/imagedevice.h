#pragma once
// The graphics layer's device over a QImage: antialiased lines, a scalable
// font, sizes from the image's own resolution, and what only a raster
// surface does: lines on pixel rows kept crisp, lines and fills written
// straight into the pixels, the level of detail of an image (a quarter
// pixel: see drawing/graphics/levelofdetail.h), dense hatches drawn at the
// cost of their area, and only the tiles drawn on cleared (imagetiles.h). The
// painter is open for the lifetime of the device; make one per picture (as
// renderToImage does), the image lives on. What it lays on the pixels, it
// hands in order to the pixel lane's thread (pixellane.h) while the drawing
// works out what comes next; finish() waits for it.

#include "drawing/graphics/levelofdetail.h"
#include "render/hatchlines.h"
#include "render/imagetiles.h"
#include "render/painterdevice.h"
#include "render/pixellane.h"
#include "render/rasterfill.h"

#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QVector>

#include <cstdint>
#include <vector>

namespace lobus {

// How much of what it is given an image device may leave out.
enum class ImageDetail {
    Summarised, // its level of detail: the drawing hands it dense curves as summaries
    EveryLine,  // every line and every point of a curve; vertices the pixels cannot show left out
    EveryPoint, // every line and every vertex
};

// The resolution an image says it has (96 dpi when it says none).
double imageDotsPerInch(const QImage& image);

class ImageDevice : public Device, public DetailTarget, private PixelLane::Doer {
public:
    // Lines of a one-pixel pen: a quarter pixel changes none of their pixels.
    static constexpr double kTolerance = 0.25;
    // Filled outlines: their coverage of any pixel moves by less than a step
    // of its colour.
    static constexpr double kOutlineTolerance = 0.02;
    // Hatch lines this many to a pixel cover the middle of their area
    // solidly: a hatch this dense comes whole, drawn as its lines' ends and
    // that middle (hatchlines.h).
    static constexpr double kHatchWholeFrom = 3.0;
    // Operations handed to the pixel lane and not yet laid above which it
    // is behind: the drawing's thread then does what it can of the next.
    static constexpr std::uint64_t kLaneBehind = 2;

    // A picture that starts from what `kept` (may be null: nothing kept)
    // says of the image's tiles and leaves there what it drew on; `kept`
    // must outlive the device.
    explicit ImageDevice(QImage& image, ImageTiles* kept = nullptr,
                         ImageDetail detail = ImageDetail::Summarised);
    ~ImageDevice() override;

    ImageDevice(const ImageDevice&) = delete;
    ImageDevice& operator=(const ImageDevice&) = delete;

    // Waits until the picture is in the image; raises what laying its
    // pixels raised. The destructor waits too, and raises nothing.
    void finish();

    int width() const override { return m_device.width(); }
    int height() const override { return m_device.height(); }
    double dotsPerInch() const override { return m_device.dotsPerInch(); }
    // Writes the background straight into the image's memory: a clear is most
    // of a picture's pixels and needs no blending.
    void clear(int x0, int y0, int x1, int y1, Rgb background) override;
    void line(PointF a, PointF b, Rgb colour) override;
    void polyline(std::span<const PointF> p, Rgb colour) override;
    void widePolyline(std::span<const PointF> p, Rgb colour, double width) override;
    void polygon(std::span<const PointF> p, Rgb colour, bool filled) override;
    void text(PointF at, std::string_view utf8, double h, Justify j, Rgb colour) override;
    DetailTarget* detail() override { return m_detail == ImageDetail::Summarised ? this : nullptr; }

    double tolerance() const override { return kTolerance; }
    void lines(PointF a, PointF b, Rgb colour, int count) override;
    void hatch(std::span<const PointF> from, std::span<const PointF> to, Rgb colour,
               double linesPerPixel) override;
    double hatchWholeFrom() const override;

private:
    // ---- on the drawing's thread
    // A line without marking its tiles: snapped, merged, batched.
    void drawLine(PointF a, PointF b, Rgb colour);
    void batchLine(const QLineF& l, Rgb colour, bool crisp);
    void drawBatch(); // the batched lines in their colour; empties the batch
    void closeGroup();
    void flush(); // what is merged or batched, before any other operation
    // The points into m_points, without the vertices the pixels cannot show.
    void thin(std::span<const PointF> p, bool filled);
    // Hands the lane the cells of a filled outline, worked out here; false:
    // too many for it.
    bool layCells(std::span<const QPointF> outline, Rgb colour);
    void fillDirect(Rgb colour);

    // Lays `op` with its spans of bytes: on the lane, or here at once.
    void lay(PixelLane::Op op, std::span<const std::byte> a, std::span<const std::byte> b = {});

    // ---- where the pixels are laid (the lane's thread, or the drawing's)
    void run(const PixelLane::Op& op, std::span<const std::byte> bytes) override;
    void layHere(const PixelLane::Op& op, std::span<const std::byte> a, std::span<const std::byte> b);
    void fillHere(std::span<const PointF> outline, Rgb colour); // a filled outline, directly

    QImage& m_image;
    ImageTiles* m_kept; // null: nothing kept
    ImageDetail m_detail;
    bool m_tracked; // the format is one the device clears itself
    TileMap m_tiles;
    QPainter m_painter;
    PainterDevice m_device;
    QImage* m_direct; // the image, when its pixels may be written directly
    bool m_thinPen;   // a pen under 1.5 pixels: lines snapped, merged, hatches as areas
    lod::LineMerger m_merger;
    QVector<QLineF> m_lines; // consecutive lines of one colour, drawn in one go
    Rgb m_linesColour;
    bool m_linesCrisp = false;    // the batch holds snapped lines, drawn without antialiasing
    std::vector<PointF> m_points; // reused for polylines and polygons
    std::vector<QRect> m_fills;   // a clear's rectangles
    std::vector<PointF> m_stroke; // a wide line's outline
    QVector<QPointF> m_edges;     // a filled outline whose cells are worked out here
    RasterFill m_cells;           // with the lane: a filled outline's cells, worked out here
    HatchLines m_hatchPlan;       // with the lane: a hatch worked out here
    PixelLane* m_lane;            // null: the pixels are laid here

    // Where the pixels are laid.
    QVector<QPointF> m_outline; // a filled outline in the pixels
    QVector<QLineF> m_laidLines;
    std::vector<PointF> m_laidStroke;
    RasterFill m_fill;
    HatchLines m_hatch;
};

} // namespace lobus
