#include "gui/imagedevice.h"

#include <QImage>

#include <algorithm>
#include <cstring>

namespace lobus {

namespace {

double imageDpi(const QImage& image)
{
    const int dpm = image.dotsPerMeterY();
    return dpm > 0 ? dpm * 0.0254 : 96.0;
}

} // namespace

ImageDevice::ImageDevice(QImage& image)
    : m_image(image), m_painter(&image), m_device(m_painter, QRectF(0, 0, image.width(), image.height()), imageDpi(image))
{
    m_device.setRaster(true);
}

ImageDevice::~ImageDevice() = default;

// The formats whose pixel of an opaque colour is 0xffRRGGBB; others go
// through the painter. The painter has made the image's memory its own
// when it began, so bits() does not copy it.
void ImageDevice::clear(int x0, int y0, int x1, int y1, Rgb background)
{
    const QImage::Format format = m_image.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32
        && format != QImage::Format_ARGB32_Premultiplied) {
        m_device.clear(x0, y0, x1, y1, background);
        return;
    }
    m_device.flush();
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, m_image.width());
    y1 = std::min(y1, m_image.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    const QRgb pixel = qRgb(std::clamp(background.r, 0, 255), std::clamp(background.g, 0, 255),
                            std::clamp(background.b, 0, 255));
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    const auto count = static_cast<std::size_t>(x1 - x0);
    // White, the usual background, is one byte value throughout: memset
    // fills whole rows, or the whole image at once, fastest.
    const bool bytewise = (pixel & 0xff) == ((pixel >> 8) & 0xff) && (pixel & 0xff) == ((pixel >> 16) & 0xff)
                          && (pixel & 0xff) == 0xff;
    if (bytewise && x0 == 0 && x1 == m_image.width() && stride == m_image.width() * 4) {
        std::memset(bits + y0 * stride, 0xff, static_cast<std::size_t>(y1 - y0) * static_cast<std::size_t>(stride));
        return;
    }
    for (int y = y0; y < y1; ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits + y * stride) + x0;
        if (bytewise)
            std::memset(row, 0xff, count * sizeof(QRgb));
        else
            std::fill_n(row, count, pixel);
    }
}

} // namespace lobus
