#include "render/renderimage.h"

#include "drawing/graphics/graphics.h"

#include <QImage>

namespace lobus {

void renderToImage(QImage& image, Graphics& g, const PictureDrawing& draw, PictureCache& cache,
                   ImageDetail detail)
{
    if (image.isNull())
        return;
    ImageDevice device(image, &cache.tiles, detail);
    // Gone before the device, also when the drawing throws.
    struct Restore {
        Graphics& g;
        Device* previous;
        ~Restore() { g.setDevice(previous); }
    } restore {g, g.device()};
    g.setDevice(&device);
    draw(g, cache.drawing);
}

} // namespace lobus
