#include "gui/picturefile.h"

#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "gui/painterdevice.h"
#include "gui/renderimage.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>
#include <QSvgGenerator>

namespace lobus {

namespace {

QString toQString(const std::string& s) { return QString::fromStdString(s); }

QString extensionOf(const std::string& path) { return QFileInfo(toQString(path)).suffix().toLower(); }

// The drawing state of a fresh start: the whole surface as the area.
void startGraphics(Graphics& g) { g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f); }

// One drawing through a painter into the target rectangle, at the surface's
// resolution, with the drawing state of a fresh start.
void drawOnPainter(QPainter& painter, const QRectF& target, double dpi, const Drawing& draw)
{
    PainterDevice device(painter, target, dpi);
    Graphics g;
    startGraphics(g);
    g.setDevice(&device);
    draw(g);
    g.setDevice(nullptr);
}

bool writeWhole(const std::string& path, const QByteArray& data, std::string& error)
{
    QSaveFile file(toQString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    if (file.write(data) != data.size() || !file.commit()) {
        error = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

QByteArray renderSvg(const Drawing& draw, int width, int height)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("LOBUS"));
    QPainter painter(&svg);
    drawOnPainter(painter, QRectF(0, 0, width, height), 96.0, draw);
    painter.end();
    return data;
}

// One A4 landscape page at 600 dpi, the picture fitted into its printable
// area keeping the aspect of width x height.
QByteArray renderPdf(const Drawing& draw, int width, int height)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(600);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                  QPageLayout::Millimeter));
    pdf.setTitle(QStringLiteral("LOBUS"));
    pdf.setCreator(QStringLiteral("LOBUS"));
    QPainter painter(&pdf);
    const QRectF page(0, 0, pdf.width(), pdf.height());
    const QRectF target = PainterDevice::fitted(page, static_cast<double>(width) / height);
    drawOnPainter(painter, target, pdf.resolution(), draw);
    painter.end();
    return data;
}

} // namespace

bool writeTextFile(const std::string& path, const std::string& text, std::string& error)
{
    return writeWhole(path, QByteArray(text.data(), static_cast<qsizetype>(text.size())), error);
}

bool saveImageFile(const QImage& image, const std::string& path, std::string& error)
{
    if (image.isNull()) {
        error = "cannot write " + path + ": no picture";
        return false;
    }
    QSaveFile file(toQString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    const QByteArray format = extensionOf(path).toLatin1();
    QImageWriter writer(&file, format);
    if (!writer.write(image)) {
        error = "cannot write " + path + ": " + writer.errorString().toStdString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

bool writePictureFile(const std::string& path, const Case& c, RYSUJ& rysuj, int width, int height,
                      std::string& error)
{
    return writeDrawingFile(
        path, width, height, [&](Graphics& g) { RYSUNEK(g, c, rysuj); }, error);
}

bool writeDrawingFile(const std::string& path, int width, int height, const Drawing& draw, std::string& error)
{
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768) {
        error = "picture size out of range: " + std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    const QString ext = extensionOf(path);
    if (ext == QStringLiteral("png") || ext == QStringLiteral("bmp")) {
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull()) {
            error = "not enough memory for a picture of " + std::to_string(width) + "x"
                + std::to_string(height);
            return false;
        }
        Graphics g;
        startGraphics(g);
        renderToImage(image, g, draw);
        return saveImageFile(image, path, error);
    }
    if (ext == QStringLiteral("svg"))
        return writeWhole(path, renderSvg(draw, width, height), error);
    if (ext == QStringLiteral("pdf"))
        return writeWhole(path, renderPdf(draw, width, height), error);
    error = "unknown picture format of " + path + " (use .png, .bmp, .svg or .pdf)";
    return false;
}

} // namespace lobus
