// The window's picture on screens of any device pixel ratio: the image has
// the screen's pixels and says their resolution, the screen shows it pixel
// for pixel, and the picture keeps its proportions. These run in the normal
// headless run (ratio 1) and once more with QT_SCALE_FACTOR=2; the run tells
// the ratio it is meant to have in LOBUS_TEST_DPR, so a run that silently
// fell back to ratio 1 fails instead of passing trivially.

#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "gui/mainwindow.h"
#include "gui/picturewidget.h"
#include "layerfixture.h"
#include "render/imagedevice.h"
#include "render/renderimage.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lobus::test {
namespace {

double expectedRatio()
{
    const QByteArray value = qgetenv("LOBUS_TEST_DPR");
    return value.isEmpty() ? 1.0 : value.toDouble();
}

int dotsPerMeter(double dpi) { return static_cast<int>(std::lround(dpi / 0.0254)); }

QSize timesRatio(QSize logical, double ratio)
{
    return QSize(static_cast<int>(std::lround(logical.width() * ratio)),
                 static_cast<int>(std::lround(logical.height() * ratio)));
}

TEST(HighDpi, PictureHasTheScreensPixelsAndResolution)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow());
    drain(layer);
    const PictureWidget* widget = layer.window()->picture();
    const double ratio = expectedRatio();
    ASSERT_DOUBLE_EQ(widget->devicePixelRatioF(), ratio);

    const QImage& image = layer.picture();
    EXPECT_EQ(image.size(), timesRatio(widget->size(), ratio));
    EXPECT_EQ(image.dotsPerMeterX(), dotsPerMeter(96.0 * ratio));
    EXPECT_EQ(image.dotsPerMeterY(), dotsPerMeter(96.0 * ratio));
    // The graphics layer sees device pixels at 96 dpi per unit of ratio ...
    const Device* device = layer.graphics().device();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->width(), image.width());
    EXPECT_EQ(device->height(), image.height());
    EXPECT_NEAR(device->dotsPerInch(), 96.0 * ratio, 0.05); // dots per metre are whole
    // ... and so, on a surface finer than 1.2 x 96 dpi, measures the
    // picture's own pixels in logical pixels: the whole area spans the
    // widget's logical size. Up to 1.2 they stay device pixels.
    Graphics& g = layer.graphics();
    g.IGRAREA(0, 0, 1, 1);
    g.IGRUNITS(0, 0, 1, 1);
    int ix0 = 0;
    int iy0 = 0;
    int ix1 = 0;
    int iy1 = 0;
    g.IGRUNITSTOPIXELS(0.0f, 0.0f, ix0, iy0);
    g.IGRUNITSTOPIXELS(1.0f, 1.0f, ix1, iy1);
    const QSize span = ratio > 1.2 ? widget->size() : image.size();
    EXPECT_NEAR(std::abs(ix1 - ix0), span.width(), 1);
    EXPECT_NEAR(std::abs(iy1 - iy0), span.height(), 1);

    // A resize makes a new image, again in device pixels at the same resolution.
    layer.window()->showNormal();
    layer.window()->resize(360, 250);
    settle();
    int itype = 0;
    Message msg;
    bool resized = false;
    while (layer.pendingMessages() > 0) {
        layer.WMESSAGE(itype, msg);
        resized = resized || itype == kResize;
    }
    EXPECT_TRUE(resized);
    const QImage& after = layer.picture();
    EXPECT_EQ(after.size(), timesRatio(widget->size(), ratio));
    EXPECT_EQ(after.dotsPerMeterX(), dotsPerMeter(96.0 * ratio));

    // Save bitmap writes those pixels and that resolution.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ekran.bmp"));
    ASSERT_TRUE(layer.IGRSAVEIMAGE(path.toStdString())) << layer.saveImageError();
    const QImage saved(path, "BMP");
    EXPECT_EQ(saved.size(), after.size());
    EXPECT_EQ(saved.dotsPerMeterX(), after.dotsPerMeterX());
}

// A one-pixel line, a filled square and a text: details that resampling
// would blur. What the widget puts on the screen must be the image itself.
TEST(HighDpi, ScreenShowsEveryImagePixelUnscaled)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow());
    drain(layer);
    layer.drawPicture([](Graphics& g, PictureMemory&) {
        g.IGRAREA(0, 0, 1, 1);
        g.IGRUNITS(0, 0, 1, 1);
        g.IGRAREACLEAR();
        g.IGRPALETTERGB(1, 200, 0, 0);
        g.IGRCOLOURN(1);
        g.IGRFILLPATTERN(4, 2, 3);
        const float x[] = {0.2f, 0.45f, 0.45f, 0.2f};
        const float y[] = {0.2f, 0.2f, 0.45f, 0.45f};
        g.IGRPOLYGONCOMPLEX(x, y, 4);
        g.IGRPALETTERGB(2, 0, 0, 0);
        g.IGRCOLOURN(2);
        g.IGRJOIN(0.1f, 0.1f, 0.9f, 0.83f);
        g.IGRCHAROUT(0.7f, 0.3f, "Op 1.25 MPa");
    });
    const QImage image = layer.picture().convertToFormat(QImage::Format_RGB32);
    settle();

    const QPixmap grabbed = layer.window()->picture()->grab();
    EXPECT_DOUBLE_EQ(grabbed.devicePixelRatio(), expectedRatio());
    const QImage screen = grabbed.toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(screen.size(), image.size());
    int differing = 0;
    for (int row = 0; row < image.height(); ++row)
        for (int col = 0; col < image.width(); ++col)
            differing += screen.pixel(col, row) != image.pixel(col, row);
    EXPECT_EQ(differing, 0) << "of " << image.width() * image.height();
}

// How far a pixel is from another: its largest channel difference.
int distance(QRgb a, QRgb b)
{
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// The ink of a picture: how far its pixels are from the background, summed.
// Bringing a picture down to a quarter of its pixels keeps it, so a pen or a
// band that is as wide as at 96 dpi keeps its share of it.
double ink(const QImage& image)
{
    const QRgb background
        = qRgb(Graphics::background().r, Graphics::background().g, Graphics::background().b);
    double sum = 0.0;
    for (int row = 0; row < image.height(); ++row)
        for (int col = 0; col < image.width(); ++col)
            sum += distance(image.pixel(col, row), background);
    return sum;
}

// The case drawn in the window, brought down to the logical size, against
// the same case drawn at the logical size at 96 dpi: the same picture, the
// same bands, dots, pens and texts in the same places. At ratio 1 they are
// the same pixels; at 2 they differ only along edges.
TEST(HighDpi, PictureKeepsItsProportionsAtAnyRatio)
{
    const std::string datafile
        = QDir(QStringLiteral(LOBUS_EXAMPLES_DIR)).filePath(QStringLiteral("DANE/merant3.dan")).toStdString();
    Case c;
    RYSUJ rysuj;
    const std::string problem = loadCase(datafile, kVariantMerant, c, rysuj);
    ASSERT_TRUE(problem.empty()) << problem;

    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow());
    drain(layer);
    const QSize logical = layer.window()->picture()->size();
    layer.graphics().IGRAREA(0, 0, 1, 1);
    RYSUJ windowRysuj = rysuj;
    layer.drawPicture([&](Graphics& g, PictureMemory& memory) { RYSUNEK(g, c, windowRysuj, memory); });
    const QImage shown = layer.picture().convertToFormat(QImage::Format_RGB32);

    QImage reference(logical, QImage::Format_RGB32);
    reference.setDotsPerMeterX(dotsPerMeter(96.0));
    reference.setDotsPerMeterY(dotsPerMeter(96.0));
    Graphics g;
    g.IGRAREA(0, 0, 1, 1);
    renderToImage(reference, g, c, rysuj);

    const QImage down = shown.size() == logical
        ? shown
        : shown.scaled(logical, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    long inked = 0; // pixels of the reference that are not background
    long far = 0;   // pixels that differ clearly, beyond the grey of an edge brought down
    const QRgb background
        = qRgb(Graphics::background().r, Graphics::background().g, Graphics::background().b);
    for (int row = 0; row < logical.height(); ++row) {
        for (int col = 0; col < logical.width(); ++col) {
            inked += reference.pixel(col, row) != background;
            far += distance(down.pixel(col, row), reference.pixel(col, row)) > 96;
        }
    }
    ASSERT_GT(inked, logical.width() * logical.height() / 100); // a real picture
    if (expectedRatio() == 1.0) {
        EXPECT_EQ(far, 0);
        return;
    }
    // Pens, bands, dots and texts as heavy as at 96 dpi; drawn at 96 dpi on
    // the doubled image they would come out about 10 % lighter.
    EXPECT_NEAR(ink(down) / ink(reference), 1.0, 0.05);
    // Everything in its place: only edges differ (about 7 % of the inked
    // pixels; with the resolution left at 96 dpi, 19 %).
    EXPECT_LT(far, inked / 10) << "of " << inked << " inked pixels";
}

} // namespace
} // namespace lobus::test
