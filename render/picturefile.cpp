#include "render/picturefile.h"

#include "drawing/graphics/units.h"

#include "datafiles/filereplace.h"
#include "datafiles/texts.h"
#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "render/painterdevice.h"
#include "render/pngwriter.h"
#include "render/renderimage.h"
#include "render/vectorfile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QSvgGenerator>

namespace lobus {

namespace {

// Only the extension is taken from the name; the name itself stays bytes.
QString extensionOf(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return QString::fromLatin1(path.substr(dot + 1).c_str()).toLower();
}

std::string_view bytesOf(const QByteArray& data)
{
    return std::string_view(data.constData(), static_cast<std::size_t>(data.size()));
}

std::string outOfMemory(const char* what, const std::string& detail)
{
    return texts::fillIn(texts::translate("lobus", "Brak pamięci na %1"),
                         {texts::fillIn(texts::translate("lobus", what), {detail})});
}

// The drawing state of a fresh start: the whole surface as the area.
void startGraphics(Graphics& g) { g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f); }

// One drawing through a painter into the target rectangle, at the surface's
// resolution and level of detail, with the drawing state of a fresh start.
void drawOnPainter(QPainter& painter, const QRectF& target, double dpi, double detailPixels,
                   const Drawing& draw)
{
    PainterDevice device(painter, target, dpi, detailPixels);
    Graphics g;
    startGraphics(g);
    g.setDevice(&device);
    draw(g);
    g.setDevice(nullptr);
}

// Draws `draw` with `painter` and ends it; when memory runs out on the way
// the failure passes on, with the painter ended: normally when the memory
// is there again (the engine then lets go of all it holds; what it writes
// goes into a file that is dropped), else abandoned (render/vectorfile.h).
template <class Paint> void paintWhole(QPainter& painter, const Paint& paint)
{
    try {
        paint();
        painter.end();
    } catch (const std::bad_alloc&) {
        try {
            if (painter.isActive())
                painter.end();
        } catch (const std::bad_alloc&) { }
        abandonPainter(painter);
        throw;
    }
}

void renderSvg(const Drawing& draw, int width, int height, VectorDetail detail, QIODevice& out)
{
    Abandonable<QSvgGenerator> svg;
    svg.setOutputDevice(&out);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setResolution(static_cast<int>(kScreenDpi));
    svg.setTitle(QStringLiteral("LOBUS"));
    QPainter painter(&svg);
    const double detailPixels = detail == VectorDetail::Full ? 0.0 : PainterDevice::kSvgDetailPixels;
    paintWhole(painter,
               [&] { drawOnPainter(painter, QRectF(0, 0, width, height), kScreenDpi, detailPixels, draw); });
}

// One A4 landscape page at 600 dpi, the picture fitted into its printable
// area keeping the aspect of width x height.
void setUpPdf(QPdfWriter& pdf)
{
    pdf.setResolution(600);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                  QPageLayout::Millimeter));
    pdf.setTitle(QStringLiteral("LOBUS"));
    pdf.setCreator(QStringLiteral("LOBUS"));
}

// The level of detail of a PDF page: 1/1200 inch.
double pageDetail(const QPdfWriter& pdf, VectorDetail detail)
{
    return detail == VectorDetail::Full ? 0.0 : PainterDevice::pageDetailPixels(pdf.resolution());
}

void renderPdf(const Drawing& draw, int width, int height, VectorDetail detail, QIODevice& out)
{
    Abandonable<QPdfWriter> pdf(&out);
    setUpPdf(pdf);
    QPainter painter(&pdf);
    const QRectF page(0, 0, pdf.width(), pdf.height());
    const QRectF target = PainterDevice::fitted(page, static_cast<double>(width) / height);
    paintWhole(painter,
               [&] { drawOnPainter(painter, target, pdf.resolution(), pageDetail(pdf, detail), draw); });
}

void renderPdfPages(int pages, const PageMaker& page, QIODevice& out)
{
    Abandonable<QPdfWriter> pdf(&out);
    setUpPdf(pdf);
    QPainter painter(&pdf);
    paintWhole(painter, [&] {
        for (int i = 0; i < pages; ++i) {
            if (i > 0)
                pdf.newPage();
            const double w = pdf.width();
            const double h = pdf.height();
            for (const PageArea& a : page(i))
                drawOnPainter(painter, QRectF(a.x * w, a.y * h, a.width * w, a.height * h), pdf.resolution(),
                              pageDetail(pdf, VectorDetail::Thinned), a.draw);
        }
    });
}

// The image in the format of `path`'s extension; false when Qt cannot encode it.
bool encodeImage(const QImage& image, const std::string& path, QByteArray& data, std::string& error)
{
    // The picture's own encoder writes an opaque image as PNG; anything else
    // goes through Qt's writers.
    if (extensionOf(path) == QStringLiteral("png")) {
        data = encodePng(image);
        if (!data.isEmpty())
            return true;
    }
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, extensionOf(path).toLatin1());
    if (!writer.write(image)) {
        error = texts::fillIn(texts::translate("lobus", "nie można zapisać %1: %2"),
                              {displayName(path), writer.errorString().toStdString()});
        return false;
    }
    return true;
}

} // namespace

bool writeTextFile(const std::string& path, const std::string& text, std::string& error,
                   const WriteCalls& calls, std::string* note)
{
    return replaceFileWhole(path, text, error, calls, note);
}

bool saveImageFile(const QImage& image, const std::string& path, std::string& error, const WriteCalls& calls,
                   std::string* note)
{
    if (image.isNull()) {
        error = texts::fillIn(texts::translate("lobus", "nie można zapisać %1: brak rysunku"),
                              {displayName(path)});
        return false;
    }
    try {
        QByteArray data;
        return encodeImage(image, path, data, error)
            && replaceFileWhole(path, bytesOf(data), error, calls, note);
    } catch (const std::bad_alloc&) {
        error = outOfMemory(QT_TRANSLATE_NOOP("lobus", "zakodowany obraz zbioru %1"), displayName(path));
        return false;
    }
}

bool writePictureFile(const std::string& path, const Case& c, RYSUJ& rysuj, int width, int height,
                      std::string& error, const WriteCalls& calls, std::string* note, VectorDetail detail)
{
    return writeDrawingFile(
        path, width, height, [&](Graphics& g) { RYSUNEK(g, c, rysuj); }, error, calls, note, detail);
}

bool writeDrawingFile(const std::string& path, int width, int height, const Drawing& draw, std::string& error,
                      const WriteCalls& calls, std::string* note, VectorDetail detail)
{
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768) {
        error = texts::fillIn(texts::translate("lobus", "rozmiar rysunku poza zakresem: %1x%2"),
                              {std::to_string(width), std::to_string(height)});
        return false;
    }
    const QString ext = extensionOf(path);
    const bool raster = ext == QStringLiteral("png") || ext == QStringLiteral("bmp");
    if (!raster && ext != QStringLiteral("svg") && ext != QStringLiteral("pdf")) {
        error = texts::fillIn(
            texts::translate("lobus", "nieznany format rysunku %1 (.png, .bmp, .svg lub .pdf)"),
            {displayName(path)});
        return false;
    }
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    try {
        if (raster) {
            QImage image = largeImage(width, height);
            if (image.isNull()) {
                error = outOfMemory(QT_TRANSLATE_NOOP("lobus", "obraz %1"), size);
                return false;
            }
            Graphics g;
            startGraphics(g);
            renderToImage(image, g, draw);
            return saveImageFile(image, path, error, calls, note);
        }
        // Written as it is made, into the file that replaces the target.
        FileReplacement file(calls);
        if (!file.begin(path, error))
            return false;
        ReplacementDevice out(file);
        if (ext == QStringLiteral("svg"))
            renderSvg(draw, width, height, detail, out);
        else
            renderPdf(draw, width, height, detail, out);
        if (!file.commit(error))
            return false;
        if (note)
            *note = file.note();
        return true;
    } catch (const std::bad_alloc&) {
        error = outOfMemory(QT_TRANSLATE_NOOP("lobus", "rysunek %1"), size);
        return false;
    }
}

bool writePdfPages(const std::string& path, int pages, const PageMaker& page, std::string& error,
                   const WriteCalls& calls, std::string* note)
{
    try {
        FileReplacement file(calls);
        if (!file.begin(path, error))
            return false;
        ReplacementDevice out(file);
        renderPdfPages(pages, page, out);
        if (!file.commit(error))
            return false;
        if (note)
            *note = file.note();
        return true;
    } catch (const std::bad_alloc&) {
        error = outOfMemory(QT_TRANSLATE_NOOP("lobus", "raport %1"), displayName(path));
        return false;
    }
}

} // namespace lobus
