#include "gui/renderimage.h"

#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "gui/imagedevice.h"

#include <QImage>

namespace lobus {

void renderToImage(QImage& image, Graphics& g, const Case& c, RYSUJ& rysuj)
{
    renderToImage(image, g, [&](Graphics& graphics) { RYSUNEK(graphics, c, rysuj); });
}

void renderToImage(QImage& image, Graphics& g, const std::function<void(Graphics&)>& draw)
{
    if (image.isNull())
        return;
    Device* previous = g.device();
    {
        ImageDevice device(image);
        g.setDevice(&device);
        draw(g);
        g.setDevice(previous);
    }
}

} // namespace lobus
