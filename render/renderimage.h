#pragma once
// The one render path: every picture drawn into an image (the window's
// picture, which Save bitmap saves; Export and lobus-render's raster files;
// the angle view; the tests and benchmarks) is drawn by renderToImage, with a
// PictureCache that its caller owns.

#include "datafiles/state.h"
#include "drawing/rysunek.h"
#include "render/imagedevice.h"
#include "render/imagetiles.h"

#include <functional>

class QImage;
class QSize;

namespace lobus {

class Graphics;

// What pictures drawn in turn into one image keep for the next: the
// drawing's buffers, summaries and angles, and which tiles of the image hold
// only the background. One for each image drawn into again and again; two
// images drawn in turn with a cache each both keep their speed.
struct PictureCache {
    PictureMemory drawing;
    ImageTiles tiles;
};

// Draws `draw` into `image` through `g`, whose drawing state carries over
// from the previous picture; the drawing clears what it draws on itself. The
// image is kept by the caller so that its memory is reused between pictures;
// a null image is left alone. The device of `g` is what it was before, after
// the call and when `draw` throws. `detail`: see ImageDetail.
void renderToImage(QImage& image, Graphics& g, const PictureDrawing& draw, PictureCache& cache,
                   ImageDetail detail = ImageDetail::Summarised);

// An RGB32 image of uninitialised pixels whose memory, when it is large,
// comes in the system's large pages: first drawn into, it costs a fraction
// of the page faults. Null when there is no memory for it.
QImage largeImage(int width, int height);

// The case's whole picture (RYSUNEK).
inline void renderToImage(QImage& image, Graphics& g, const Case& c, RYSUJ& rysuj, PictureCache& cache)
{
    renderToImage(
        image, g, [&](Graphics& graphics, PictureMemory& memory) { RYSUNEK(graphics, c, rysuj, memory); },
        cache);
}

// Gives `image` the device pixels of a widget of `logical` size on a screen
// of device pixel ratio `ratio` (at least one pixel each way) and the
// screen's resolution, 96 dpi times the ratio; an image that has them is kept.
void fitScreenImage(QImage& image, QSize logical, double ratio);

// A picture that keeps nothing for a next one.
inline void renderToImage(QImage& image, Graphics& g, const Case& c, RYSUJ& rysuj)
{
    PictureCache cache;
    renderToImage(image, g, c, rysuj, cache);
}

// Any drawing that keeps nothing for a next one (a picture with extras over
// it, the angle view).
inline void renderToImage(QImage& image, Graphics& g, const std::function<void(Graphics&)>& draw)
{
    PictureCache cache;
    renderToImage(
        image, g, [&](Graphics& graphics, PictureMemory&) { draw(graphics); }, cache);
}

} // namespace lobus
