#include "render/renderimage.h"

#include "drawing/graphics/graphics.h"

#include <QImage>

namespace lobus {

void renderToImage(QImage& image, Graphics& g, const Case& c, RYSUJ& rysuj, PictureCache& cache)
{
    renderToImage(
        image, g, [&](Graphics& graphics) { RYSUNEK(graphics, c, rysuj, cache.drawing); }, &cache.tiles);
}

void renderToImage(QImage& image, Graphics& g, const Case& c, RYSUJ& rysuj)
{
    renderToImage(image, g, [&](Graphics& graphics) { RYSUNEK(graphics, c, rysuj); });
}

void renderToImage(QImage& image, Graphics& g, const std::function<void(Graphics&)>& draw, ImageTiles* tiles)
{
    if (image.isNull())
        return;
    Device* previous = g.device();
    {
        ImageTiles none;
        ImageDevice device(image, tiles ? *tiles : none);
        g.setDevice(&device);
        draw(g);
        g.setDevice(previous);
    }
}

} // namespace lobus
