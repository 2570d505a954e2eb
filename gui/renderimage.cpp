#include "gui/renderimage.h"

#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "gui/imagedevice.h"

#include <QImage>

namespace lobus {

void renderToImage(QImage& image, Graphics& g, const Case& c, RYSUJ& rysuj)
{
    if (image.isNull())
        return;
    Device* previous = g.device();
    {
        ImageDevice device(image);
        g.setDevice(&device);
        RYSUNEK(g, c, rysuj);
        g.setDevice(previous);
    }
}

} // namespace lobus
