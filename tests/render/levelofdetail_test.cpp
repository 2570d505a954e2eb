// The picture drawn with a level of detail, against the same picture with
// every point and hatch line drawn: on images, and in vector files (SVG,
// PDF) rasterised. What the surface cannot show is left out, and the
// picture stays the same to the eye.

#include "datafiles/loadcase.h"
#include "drawing/angleview.h"
#include "drawing/graphics/graphics.h"
#include "drawing/rysunek.h"
#include "render/painterdevice.h"
#include "render/picturefile.h"
#include "render/renderimage.h"
#include "tests/drawing/samplecase.h"
#include "tests/support/scriptedui.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace lobus::test {
namespace {

// One step of antialiasing: a sixteenth of a colour channel's range.
constexpr int kStep = 16;

QImage draw(const Case& c, bool levelOfDetail, PictureCache* kept = nullptr, bool angleView = false,
            int dotsPerMeter = 3780 /* 96 dpi */, float plen = 0.0f)
{
    QImage image(960, 540, QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    Graphics g;
    g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f);
    RYSUJ r = sampleSettings(c);
    if (plen > 0.0f)
        r.plen = plen;
    PictureCache fresh;
    renderToImage(
        image, g,
        [&](Graphics& graphics, PictureMemory& memory) {
            if (angleView)
                drawAngleView(graphics, c, r, AngleViewState(), AngleViewTexts());
            else
                RYSUNEK(graphics, c, r, memory);
        },
        kept ? *kept : fresh, levelOfDetail ? ImageDetail::Summarised : ImageDetail::EveryLine);
    return image;
}

// At most one pixel in a thousand differs by more than a step of antialiasing.
void expectSameToTheEye(const QImage& full, const QImage& light, const std::string& what)
{
    ASSERT_EQ(full.size(), light.size()) << what;
    long differ = 0;
    int worst = 0; // for the report
    for (int y = 0; y < full.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(full.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(light.constScanLine(y));
        for (int x = 0; x < full.width(); ++x) {
            const int d = std::max({std::abs(qRed(a[x]) - qRed(b[x])), std::abs(qGreen(a[x]) - qGreen(b[x])),
                                    std::abs(qBlue(a[x]) - qBlue(b[x]))});
            worst = std::max(worst, d);
            differ += d > kStep;
        }
    }
    const long pixels = static_cast<long>(full.width()) * full.height();
    EXPECT_LE(differ * 1000, pixels) << what << ": " << differ << " pixels differ, by up to " << worst;
}

// And the angle-base view, whose curves are walked by runs along the angle
// axis (three lobes of 70,000 points: on two threads).
TEST(LevelOfDetail, PictureStaysTheSameFromAHundredToAMillionPointsALobe)
{
    for (const int points : {100, 2000, 70000, 1000000}) {
        Case c = sampleCase(1, points >= 1000000 ? 1 : 3, points);
        // A lobe without pressure: its hatch is a row of lines of no length.
        if (points == 70000)
            for (int j = 1; j <= points; ++j)
                c.results.cis(2, j) = 0.0f;
        for (const bool angleView : {false, true})
            expectSameToTheEye(draw(c, false, nullptr, angleView), draw(c, true, nullptr, angleView),
                               std::to_string(points) + " points a lobe" + (angleView ? ", angle view" : ""));
    }
}

// Hatches from a few lines to a pixel to many, drawn as their ends and a
// filled middle; on an image of a wider pen (144 dpi) a hatch below a solid
// one comes line by line.
TEST(LevelOfDetail, HatchesOfEveryDensityLookAsTheirLines)
{
    for (const int points : {1300, 4000, 6000}) {
        const Case c = sampleCase(1, 3, points);
        expectSameToTheEye(draw(c, false), draw(c, true), std::to_string(points) + " points a lobe");
    }
    const Case c = sampleCase(1, 3, 4000);
    expectSameToTheEye(draw(c, false, nullptr, false, 5669), draw(c, true, nullptr, false, 5669),
                       "4000 points a lobe at 144 dpi");
}

// A filled outline on an image keeps only the vertices its pixels need: an
// annular sector of 4,000 vertices (a temperature band) fills the pixels it
// fills with every vertex, to within one step of antialiasing.
TEST(LevelOfDetail, AFilledOutlineKeepsItsPixelsWithFewerVertices)
{
    std::vector<PointF> band;
    for (int i = 0; i <= 2000; ++i)
        band.push_back(
            {480.0 + 300.0 * std::cos(0.2 + 1.1e-3 * i), 270.0 + 300.0 * std::sin(0.2 + 1.1e-3 * i)});
    for (int i = 2000; i >= 0; --i) {
        const double r = 220.0 + 30.0 * std::sin(3.0e-3 * i);
        band.push_back({480.0 + r * std::cos(0.2 + 1.1e-3 * i), 270.0 + r * std::sin(0.2 + 1.1e-3 * i)});
    }
    const auto fill = [&](bool thinned) {
        QImage image(960, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
        ImageDevice(image, nullptr, thinned ? ImageDetail::EveryLine : ImageDetail::EveryPoint)
            .polygon(band, {0, 0, 255}, true);
        return image;
    };
    const QImage every = fill(false);
    const QImage thinned = fill(true);
    int worst = 0;
    for (int y = 0; y < every.height(); ++y)
        for (int x = 0; x < every.width(); ++x)
            worst = std::max({worst, std::abs(qRed(every.pixel(x, y)) - qRed(thinned.pixel(x, y))),
                              std::abs(qBlue(every.pixel(x, y)) - qBlue(thinned.pixel(x, y)))});
    EXPECT_LE(worst, kStep);
}

QImage rasterisedSvg(const QString& path)
{
    QSvgRenderer svg(path);
    QImage image(svg.viewBox().size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

// The drawing of a PDF page, through the device the page gets, at 300 dpi.
QImage page(const Case& c, bool thinned)
{
    QImage image(3508, 2480, QImage::Format_RGB32); // A4 landscape
    image.fill(Qt::white);
    QPainter painter(&image);
    constexpr double dpi = 300.0;
    PainterDevice device(painter, PainterDevice::fitted(QRectF(0, 0, 3508, 2480), 1.6), dpi,
                         thinned ? PainterDevice::pageDetailPixels(dpi) : 0.0);
    Graphics g;
    g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f);
    g.setDevice(&device);
    RYSUJ r = sampleSettings(c);
    RYSUNEK(g, c, r);
    g.setDevice(nullptr);
    return image;
}

// The examples' SVG files and PDF pages hold fewer points than they are
// given and look as those with every point do; a dense case's SVG shrinks
// to what its pixels show.
TEST(LevelOfDetail, VectorFilesKeepWhatTheirMediumShows)
{
    QTemporaryDir dir;
    const auto svg = [&](const Case& c, VectorDetail detail, const char* file) {
        RYSUJ r = sampleSettings(c);
        std::string error;
        const QString path = dir.filePath(QLatin1String(file));
        EXPECT_TRUE(writePictureFile(path.toStdString(), c, r, 960, 540, error, {}, nullptr, detail))
            << error;
        return path;
    };
    for (const char* name : {"merant3", "cytryna2", "solako4", "solako3w"}) {
        Case c;
        RYSUJ r;
        c.dane.variant = name[0] == 's' ? kVariantSolako : kVariantMerant;
        test::ScriptedUi quiet;
        ASSERT_EQ(
            loadCase(std::string(LOBUS_EXAMPLES_DIR "/DANE/") + name + ".dan", c, r, quiet, nullptr).end,
            PassEnd::Completed)
            << name;
        expectSameToTheEye(rasterisedSvg(svg(c, VectorDetail::Full, "full.svg")),
                           rasterisedSvg(svg(c, VectorDetail::Thinned, "thin.svg")),
                           name + std::string(" in SVG"));
        expectSameToTheEye(page(c, false), page(c, true), name + std::string(" on a PDF page"));
    }
    const Case dense = sampleCase(kVariantSolako, 3, 30000);
    EXPECT_LT(QFile(svg(dense, VectorDetail::Thinned, "thin.svg")).size() * 10,
              QFile(svg(dense, VectorDetail::Full, "full.svg")).size());
}

// What a picture keeps of a dense case for the next one must follow the
// values: changed in place, or a new case of the same size in memory.
TEST(LevelOfDetail, ARedrawWithKeptMemoryFollowsTheValues)
{
    Case c = sampleCase(1, 1, 400000);
    PictureCache memory;
    const QImage first = draw(c, true, &memory);
    // A peak that no block of the first picture had.
    c.results.cis(1, 120018) = 2.0f * c.dane.pmax;
    const QImage edited = draw(c, true, &memory);
    EXPECT_TRUE(edited == draw(c, true));
    EXPECT_FALSE(edited == first);
    // Diagrams twice as long: their runs are walked again.
    const QImage longer = draw(c, true, &memory, false, 3780, 2.0f * sampleSettings(c).plen);
    EXPECT_TRUE(longer == draw(c, true, nullptr, false, 3780, 2.0f * sampleSettings(c).plen));
    EXPECT_FALSE(longer == edited);

    const Case other = sampleCase(1, 1, 400000, 2.5e7f);
    c = Case();
    EXPECT_TRUE(draw(other, true, &memory) == draw(other, true));
}

} // namespace
} // namespace lobus::test
