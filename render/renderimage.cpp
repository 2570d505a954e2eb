#include "render/renderimage.h"

#include "drawing/graphics/graphics.h"
#include "drawing/graphics/units.h"

#include <QImage>

#include <algorithm>
#include <cmath>

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

void fitScreenImage(QImage& image, QSize logical, double ratio)
{
    const QSize size(std::max(1, static_cast<int>(std::lround(logical.width() * ratio))),
                     std::max(1, static_cast<int>(std::lround(logical.height() * ratio))));
    const int dotsPerMeter = static_cast<int>(std::lround(kScreenDpi * ratio / 0.0254));
    if (image.size() == size && image.dotsPerMeterX() == dotsPerMeter)
        return;
    image = QImage(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
}

} // namespace lobus
