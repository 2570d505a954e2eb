// The picture in pixels, through the image device: probes of a few pixels
// rather than whole golden images.

#include "drawing/graphics/colours.h"
#include "drawing/graphics/graphics.h"
#include "drawing/graphics/graphicsrecorder.h"
#include "drawing/rysunek.h"
#include "render/imagedevice.h"
#include "render/pixellane.h"
#include "render/rasterfill.h"
#include "render/rasterline.h"
#include "render/renderimage.h"
#include "tests/drawing/samplecase.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <thread>

namespace lobus::test {
namespace {

QRgb rgbOf(Rgb c) { return qRgb(c.r, c.g, c.b); }

// Colours equal but for the rounding of antialiased coverage.
bool near(QRgb a, QRgb b, int tolerance = 3)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Pixels of the clearance circle's teal, also where blended into white by the
// antialiasing: green and blue alike and well above red.
bool tealish(QRgb p) { return std::abs(qGreen(p) - qBlue(p)) < 40 && qGreen(p) - qRed(p) > 30; }

template <class Match> QRect boxWhere(const QImage& image, Match match)
{
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (match(line[x])) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The bounding box of the pixels of one colour.
QRect boxOf(const QImage& image, QRgb colour)
{
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xffffff) == (colour & 0xffffff)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// A case of no wedges: the clearance circle alone.
QRect circleBox(int width, int height, float halfy)
{
    Case c = sampleCase(kVariantMerant, 1, 4);
    c.dane.ikm = 0;
    RYSUJ r = sampleSettings(c);
    r.halfy = halfy;
    QImage image(width, height, QImage::Format_RGB32);
    Graphics g;
    renderToImage(image, g, c, r);
    EXPECT_TRUE(tealish(rgbOf(g.palette(colours::kCircle))));
    return boxWhere(image, tealish);
}

TEST(ImageDevice, ClearanceCircleStaysRoundOnAWideSurface)
{
    const QRect box = circleBox(800, 400, 1.5f);
    ASSERT_FALSE(box.isNull());
    EXPECT_NEAR(box.width(), box.height(), 2);
    EXPECT_NEAR(box.height(), 400.0 / 1.5, 3); // a clearance radius is 1/1.5 of the half-height
    EXPECT_NEAR(box.center().x(), 400, 1);
}

TEST(ImageDevice, ScaleThreeHalvesTheBearing)
{
    const QRect normal = circleBox(900, 600, 1.5f);
    const QRect small = circleBox(900, 600, 3.0f);
    ASSERT_FALSE(normal.isNull());
    ASSERT_FALSE(small.isNull());
    EXPECT_NEAR(small.width(), normal.width() / 2.0, 2.0);
    EXPECT_NEAR(small.height(), normal.height() / 2.0, 2.0);
}

TEST(ImageDevice, TwoDrawingsInARowGiveTheSamePixels)
{
    Case c = sampleCase(kVariantSolako, 6, 60);
    RYSUJ r = sampleSettings(c);
    Graphics g;
    QImage first(640, 400, QImage::Format_RGB32);
    QImage image(640, 400, QImage::Format_RGB32);
    image.fill(Qt::black);
    PictureCache cache;
    renderToImage(first, g, c, r);
    renderToImage(image, g, c, r, cache);
    EXPECT_TRUE(image == first);
    renderToImage(image, g, c, r, cache); // over the last picture, in the same memory
    EXPECT_TRUE(image == first);
}

// A picture over a different one in the same image clears only the tiles
// the last drew on; what is left must be exactly the picture drawn afresh,
// also over a change made to the image between the pictures, and with
// another image drawn with its own cache in between.
TEST(ImageDevice, PictureOverAnotherEqualsItDrawnAfresh)
{
    Case thermal = sampleCase(kVariantSolako, 6, 60);
    RYSUJ rt = sampleSettings(thermal);
    Case plain = sampleCase(kVariantMerant, 3, 25, 3.0e7f);
    RYSUJ rp = sampleSettings(plain);
    rp.halfy = 2.0f;
    Graphics g;
    QImage fresh(517, 333, QImage::Format_RGB32);
    renderToImage(fresh, g, plain, rp);
    QImage freshThermal(517, 333, QImage::Format_RGB32);
    renderToImage(freshThermal, g, thermal, rt);

    QImage image(517, 333, QImage::Format_RGB32);
    QImage other(517, 333, QImage::Format_RGB32);
    PictureCache cache;
    PictureCache otherCache;
    renderToImage(image, g, thermal, rt, cache);
    renderToImage(other, g, plain, rp, otherCache);
    renderToImage(image, g, plain, rp, cache);
    EXPECT_TRUE(image == fresh);
    renderToImage(other, g, thermal, rt, otherCache);
    EXPECT_TRUE(other == freshThermal);

    renderToImage(image, g, thermal, rt, cache);
    image.setPixel(3, 3, qRgb(1, 2, 3)); // a corner no picture draws on
    {
        QPainter painter(&image);
        painter.fillRect(QRect(470, 10, 40, 40), Qt::green);
    }
    renderToImage(image, g, plain, rp, cache);
    EXPECT_TRUE(image == fresh);
}

// Laid by the lane's thread beside the drawing or by the drawing's own, a
// picture comes out the same, pixel for pixel: dense hatches, fills, lines
// and texts alike, in an image of its own and one kept between pictures.
TEST(ImageDevice, PixelsLaidBesideTheDrawingAreThoseItLaysItself)
{
    Graphics g;
    for (const int points : {60, 3000}) {
        Case c = sampleCase(kVariantSolako, 6, points);
        RYSUJ r = sampleSettings(c);
        QImage beside(900, 600, QImage::Format_RGB32);
        QImage alone(900, 600, QImage::Format_RGB32);
        PictureCache cache;
        renderToImage(beside, g, c, r, cache);
        renderToImage(beside, g, c, r, cache);
        PixelLane::setEnabled(false);
        renderToImage(alone, g, c, r);
        PixelLane::setEnabled(true);
        EXPECT_TRUE(beside == alone) << points;
    }
}

// The lane does what it is handed in order on a thread of its own, hands back
// what an operation raised (the rest undone), and serves the next picture.
TEST(PixelLane, DoesItsOperationsInOrderAndRaisesWhatTheyRaised)
{
    struct Recorder final : PixelLane::Doer {
        virtual ~Recorder() = default;
        std::vector<int> done;
        std::thread::id where;
        void run(const PixelLane::Op& op, std::span<const std::byte> bytes) override
        {
            where = std::this_thread::get_id();
            if (op.kind == 1 << 20)
                throw std::runtime_error("lane");
            done.push_back(op.kind + static_cast<int>(bytes.size()));
        }
    } doer;
    for (int round = 0; round < 2; ++round) {
        PixelLane* lane = PixelLane::take(doer);
        ASSERT_NE(lane, nullptr);
        EXPECT_EQ(PixelLane::take(doer), nullptr); // held
        doer.done.clear();
        for (int i = 0; i < 5000; ++i) { // more than the lane holds at once
            PixelLane::Op op;
            op.kind = i;
            std::byte* room = lane->room(i % 3);
            lane->hand(op, room, i % 3);
        }
        if (round == 1) {
            PixelLane::Op fails;
            fails.kind = 1 << 20;
            lane->hand(fails);
            lane->hand(PixelLane::Op {});
            EXPECT_THROW(lane->give(), std::runtime_error);
        } else {
            lane->give();
        }
        ASSERT_EQ(doer.done.size(), 5000u);
        for (int i = 0; i < 5000; ++i)
            ASSERT_EQ(doer.done[static_cast<std::size_t>(i)], i + i % 3);
        EXPECT_NE(doer.where, std::this_thread::get_id());
    }
}

TEST(ImageDevice, MarkerIsAFiveByFiveDotWithoutCorners)
{
    Case c = sampleCase(kVariantMerant, 3, 20);
    c.dane.ekscen = 0.5f;
    c.dane.katekscen = 200.0f;
    RYSUJ r = sampleSettings(c);
    QImage image(800, 500, QImage::Format_RGB32);
    Graphics g;
    renderToImage(image, g, c, r);
    RecordingDevice sameSize(800, 500);
    g.setDevice(&sameSize);
    int ix = 0, iy = 0;
    const float a = 200.0f * 3.141592f / 180.0f;
    g.IGRUNITSTOPIXELS(0.5f * std::cos(a), 0.5f * std::sin(a), ix, iy);
    g.setDevice(nullptr);
    const QRgb marker = rgbOf(g.palette(colours::kOutline));
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const bool corner = std::abs(dx) == 2 && std::abs(dy) == 2;
            const QRgb pixel = image.pixel(ix + dx, iy + dy);
            if (!corner) {
                EXPECT_TRUE(near(pixel, marker)) << dx << "," << dy;
            }
        }
    EXPECT_FALSE(near(image.pixel(ix - 3, iy - 3), marker));
}

TEST(ImageDevice, WedgeColoursAndTheBackgroundShowWhereExpected)
{
    Case c = sampleCase(kVariantMerant, 3, 80);
    RYSUJ r = sampleSettings(c);
    QImage image(1000, 700, QImage::Format_RGB32);
    Graphics g;
    renderToImage(image, g, c, r);
    EXPECT_EQ(image.pixel(2, 2) & 0xffffff, rgbOf(Graphics::background()) & 0xffffff);
    // Each wedge's colour fills some of its pressure diagram.
    for (int k = 1; k <= 3; ++k) {
        const QRgb colour = qRgb(r.colour(1, k), r.colour(2, k), r.colour(3, k));
        EXPECT_FALSE(boxOf(image, colour).isNull()) << k;
    }
    EXPECT_FALSE(boxOf(image, rgbOf(g.palette(colours::kAxes))).isNull()); // axes
}

TEST(ImageDevice, PointsRoundTripThroughPixelsWithinOnePixel)
{
    QImage image(1234, 567, QImage::Format_RGB32);
    ImageDevice device(image);
    Graphics g;
    g.setDevice(&device);
    g.IGRUNITS(-3.0f, -1.5f, 3.5f, 1.5f);
    const double px = 6.5 / 1234.0, py = 3.0 / 567.0;
    for (int i = 0; i < 300; ++i) {
        const float x = -2.9f + 6.3f * static_cast<float>((i * 7) % 101) / 101.0f;
        const float y = -1.4f + 2.8f * static_cast<float>((i * 13) % 97) / 97.0f;
        int ix = 0, iy = 0;
        float bx = 0.0f, by = 0.0f;
        g.IGRUNITSTOPIXELS(x, y, ix, iy);
        g.IGRUNITSFROMPIXELS(ix, iy, bx, by);
        EXPECT_LE(std::abs(bx - x), px);
        EXPECT_LE(std::abs(by - y), py);
    }
    g.setDevice(nullptr);
}

} // namespace
} // namespace lobus::test

namespace lobus::test {
namespace {

// Ink laid by a black line on white: its amount and where its middle lies.
struct Ink {
    double amount = 0.0;
    double x = 0.0;
    double y = 0.0;
};

Ink inkOf(const QImage& image)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double a = (255 - qGreen(image.pixel(x, y))) / 255.0;
            ink.amount += a;
            ink.x += a * (x + 0.5);
            ink.y += a * (y + 0.5);
        }
    if (ink.amount > 0.0) {
        ink.x /= ink.amount;
        ink.y /= ink.amount;
    }
    return ink;
}

// A line lays a band one pixel thick across its longer axis, reaching half
// a pixel past each end: as much ink as that band's area, centred on the
// line's middle, at every slope and in either direction. A line reaching
// past the image draws its inside part alike.
TEST(RasterLine, LaysABandOnePixelThickCentredOnTheLine)
{
    const QLineF lines[] = {{10.3, 20.7, 70.6, 31.2}, {70.6, 31.2, 10.3, 20.7}, {40.2, 5.5, 47.9, 75.1},
                            {12.5, 12.5, 62.5, 62.5}, {60.1, 10.4, 15.8, 54.3}, {30.0, 40.25, 31.0, 40.75}};
    for (const QLineF& l : lines) {
        QImage ours(80, 80, QImage::Format_RGB32);
        ours.fill(Qt::white);
        rasterLine(ours, l.p1(), l.p2(), qRgb(0, 0, 0));
        const Ink ink = inkOf(ours);
        const double major = std::max(std::abs(l.dx()), std::abs(l.dy()));
        EXPECT_NEAR(ink.amount, major + 1.0, 0.01 * (major + 1.0)) << l.x1() << "," << l.y1();
        EXPECT_NEAR(ink.x, l.center().x(), 0.02) << l.x1() << "," << l.y1();
        EXPECT_NEAR(ink.y, l.center().y(), 0.02) << l.x1() << "," << l.y1();

        QImage part(80, 40, QImage::Format_RGB32);
        part.fill(Qt::white);
        rasterLine(part, l.p1() - QPointF(0, 40), l.p2() - QPointF(0, 40), qRgb(0, 0, 0));
        EXPECT_EQ(part, ours.copy(0, 40, 80, 40)) << l.x1() << "," << l.y1();
    }
    QImage dot(8, 8, QImage::Format_RGB32);
    dot.fill(Qt::white);
    rasterLine(dot, {3.2, 4.7}, {3.2, 4.7}, qRgb(0, 0, 0));
    rasterLine(dot, {1.0, 1.0}, {1.0 + 1e-3, 1.0}, qRgb(0, 0, 0));
    rasterLine(dot, {-1e300, 2.0}, {1e300, 3.0}, qRgb(0, 0, 0));
    rasterLine(dot, {0.0, qQNaN()}, {5.0, 5.0}, qRgb(0, 0, 0));
    EXPECT_NEAR(inkOf(dot).amount, 1.0 + 8.0, 1e-9); // the dot at (3, 5) and the row across
    EXPECT_EQ(dot.pixel(3, 5), qRgb(0, 0, 0));
}

// Only a line's end columns, raised as two lines darken, or of a wider pen:
// the end columns are the whole line's pixels there and nothing between, the
// raised line lays what the line laid twice does, the wider pen the painter's
// band (its width across the line, its caps half that along it).
TEST(RasterLine, DrawsItsEndsRaisedOrWiderAsTheWholeLineWould)
{
    std::array<unsigned char, 256> once {};
    std::array<unsigned char, 256> twice {};
    for (int a = 0; a < 256; ++a) {
        once[static_cast<std::size_t>(a)] = static_cast<unsigned char>(a);
        twice[static_cast<std::size_t>(a)] = static_cast<unsigned char>(std::lround(a * (510 - a) / 255.0));
    }
    const auto white = [] {
        QImage image(80, 80, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    };
    for (const QLineF& l : {QLineF(10.3, 20.7, 70.6, 31.2), QLineF(40.2, 75.1, 47.9, 5.5)}) {
        QImage whole = white();
        rasterLine(whole, l.p1(), l.p2(), qRgb(0, 0, 0));
        QImage ends = white();
        rasterLineEnds(ends, l.p1(), l.p2(), qRgb(0, 0, 0), once.data(), 3);
        const bool alongX = std::abs(l.dx()) >= std::abs(l.dy());
        const double low = std::min(alongX ? l.x1() : l.y1(), alongX ? l.x2() : l.y2()) - 0.5;
        const double high = std::max(alongX ? l.x1() : l.y1(), alongX ? l.x2() : l.y2()) + 0.5;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 80; ++x) {
                const int column = alongX ? x : y;
                const bool atEnd = column < std::floor(low) + 3 || column > std::ceil(high) - 4;
                EXPECT_EQ(ends.pixel(x, y), atEnd ? whole.pixel(x, y) : qRgb(255, 255, 255)) << x << "," << y;
            }
        QImage twiceOver = white();
        rasterLine(twiceOver, l.p1(), l.p2(), qRgb(0, 0, 0));
        rasterLine(twiceOver, l.p1(), l.p2(), qRgb(0, 0, 0));
        QImage raised = white();
        rasterLineEnds(raised, l.p1(), l.p2(), qRgb(0, 0, 0), twice.data(), 0);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 80; ++x)
                EXPECT_NEAR(qGreen(raised.pixel(x, y)), qGreen(twiceOver.pixel(x, y)), 1) << x << "," << y;
        QImage wide = white();
        rasterLineEnds(wide, l.p1(), l.p2(), qRgb(0, 0, 0), once.data(), 0, 1.5);
        EXPECT_NEAR(inkOf(wide).amount, 1.5 * (l.length() + 1.5), 0.01 * l.length());
        EXPECT_NEAR(inkOf(wide).x, l.center().x(), 0.02);
    }
}

// A filled outline covers each pixel by the part of its area inside, as the
// painter's antialiased fill does, by the non-zero winding rule: convex and
// concave outlines, one that crosses itself and winds twice, one reaching
// far past the image, one smaller than a pixel.
TEST(RasterFill, CoversEachPixelByItsAreaInsideAsThePainterDoes)
{
    const std::vector<std::vector<QPointF>> outlines = {
        {{10.2, 5.7}, {70.9, 20.1}, {30.4, 71.3}},
        {{5.5, 5.5}, {60.25, 8.0}, {20.0, 30.0}, {62.0, 70.0}, {4.0, 66.6}},
        {{40.0, 2.0}, {52.0, 76.0}, {2.0, 28.0}, {78.0, 28.0}, {28.0, 76.0}},
        {{-1e4, -50.0}, {1e4, 40.3}, {37.7, 1e5}},
        {{33.2, 33.1}, {33.7, 33.3}, {33.4, 33.8}},
    };
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        QImage ours(80, 80, QImage::Format_RGB32);
        ours.fill(Qt::white);
        QImage theirs = ours;
        RasterFill().fill(ours, outlines[i], qRgb(0, 0, 0));
        QPainter painter(&theirs);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPolygon(outlines[i].data(), static_cast<int>(outlines[i].size()), Qt::WindingFill);
        painter.end();
        int worst = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 80; ++x)
                worst = std::max(worst, std::abs(qGreen(ours.pixel(x, y)) - qGreen(theirs.pixel(x, y))));
        EXPECT_LE(worst, 4) << "outline " << i;
        EXPECT_NEAR(inkOf(ours).amount, inkOf(theirs).amount, 0.001 * inkOf(theirs).amount + 0.1)
            << "outline " << i;
    }
    QImage triangle(80, 80, QImage::Format_ARGB32_Premultiplied);
    triangle.fill(Qt::white);
    RasterFill().fill(triangle, outlines[0], qRgb(0, 0, 0));
    EXPECT_NEAR(inkOf(triangle).amount, 1845.52, 0.05); // its area

    // An outline that would need too many cells is left to the painter.
    std::vector<QPointF> zigzag;
    for (int i = 0; i < 20000; ++i)
        zigzag.emplace_back(i % 2 ? 80.0 : 0.0, i % 2 ? 80.0 : 0.0);
    const QImage before = triangle;
    EXPECT_FALSE(RasterFill().fill(triangle, zigzag, qRgb(0, 0, 0)));
    EXPECT_EQ(triangle, before);
}

} // namespace
} // namespace lobus::test
