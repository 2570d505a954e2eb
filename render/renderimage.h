#pragma once
// The one render-to-image function: the window's picture, its Save-bitmap
// command and the command line draw through it.

#include "datafiles/state.h"
#include "drawing/rysunek.h"
#include "render/imagedevice.h"

#include <functional>

class QImage;

namespace lobus {

class Graphics;

// What pictures drawn in turn into one image keep for the next: the
// drawing's buffers and angles, and which tiles of the image hold only the
// background. One for each image drawn into again and again; two images
// drawn in turn with a cache each both keep their speed.
struct PictureCache {
    PictureMemory drawing;
    ImageTiles tiles;
};

// Draws the whole picture of the case into `image` (cleared first by the
// drawing itself) through `g`, whose drawing state carries over from the
// previous picture. The image is kept by the caller so that its memory is
// reused between pictures; it must not be null. The device of `g` is restored
// to what it was before the call.
void renderToImage(QImage& image, Graphics& g, const Case& c, RYSUJ& rysuj, PictureCache& cache);

// A picture that keeps nothing for a next one.
void renderToImage(QImage& image, Graphics& g, const Case& c, RYSUJ& rysuj);

// The same for any drawing through the graphics layer (a picture with extras
// over it, the angle view); `tiles`, when given, as in the cache above.
void renderToImage(QImage& image, Graphics& g, const std::function<void(Graphics&)>& draw,
                   ImageTiles* tiles = nullptr);

} // namespace lobus
