#include "gui/imagedevice.h"

#include <QImage>

namespace lobus {

namespace {

double imageDpi(const QImage& image)
{
    const int dpm = image.dotsPerMeterY();
    return dpm > 0 ? dpm * 0.0254 : 96.0;
}

} // namespace

ImageDevice::ImageDevice(QImage& image)
    : m_painter(&image), m_device(m_painter, QRectF(0, 0, image.width(), image.height()), imageDpi(image))
{
    m_device.setRaster(true);
}

ImageDevice::~ImageDevice() = default;

} // namespace lobus
