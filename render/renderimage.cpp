#include "render/renderimage.h"

#include "datafiles/largememory.h"
#include "drawing/graphics/graphics.h"
#include "drawing/graphics/units.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

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
    device.finish();
}

QImage largeImage(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QImage();
    const std::size_t line = std::size_t(width) * 4;
    if (std::size_t(height) > std::numeric_limits<std::size_t>::max() / line
        || line > std::size_t(std::numeric_limits<qsizetype>::max()))
        return QImage();
    void* bits = allocateLarge(line * std::size_t(height));
    if (!bits)
        return QImage();
    return QImage(
        static_cast<uchar*>(bits), width, height, static_cast<qsizetype>(line), QImage::Format_RGB32,
        [](void* p) { std::free(p); }, bits);
}

void fitScreenImage(QImage& image, QSize logical, double ratio)
{
    const QSize size(std::max(1, static_cast<int>(std::lround(logical.width() * ratio))),
                     std::max(1, static_cast<int>(std::lround(logical.height() * ratio))));
    const int dotsPerMeter = static_cast<int>(std::lround(kScreenDpi * ratio / 0.0254));
    if (image.size() == size && image.dotsPerMeterX() == dotsPerMeter)
        return;
    image = largeImage(size.width(), size.height());
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
}

} // namespace lobus
