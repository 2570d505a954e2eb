// The peaks overlay on the bundled cases, in pixels: each label's ink covers
// no filled shape of the picture and no other text, and a lobe without
// pressure gets no marker.

#include "datafiles/loadcase.h"
#include "drawing/casefigures.h"
#include "drawing/graphics/graphics.h"
#include "drawing/graphics/graphicsrecorder.h"
#include "drawing/overlay.h"
#include "drawing/rysunek.h"
#include "examples/casegen.h"
#include "render/renderimage.h"
#include "tests/support/scriptedui.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace lobus::test {
namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

struct Text {
    DrawOp op;
    bool overlay = false;
};

// The pixels a text drawn alone where the picture drew it inks.
QRect inkOf(const Case& c, const RYSUJ& settings, const DrawOp& text)
{
    QImage ink(kWidth, kHeight, QImage::Format_RGB32);
    Graphics g;
    RYSUJ r = settings;
    renderToImage(ink, g, [&](Graphics& graphics) {
        RYSUNEK(graphics, c, r); // the picture's units and character size
        graphics.IGRAREACLEAR();
        graphics.IGRCHARJUSTIFY(text.justify == Justify::Centre ? "C" : "L");
        graphics.IGRCHAROUT(text.x[0], text.y[0], text.text);
    });
    QRect box;
    for (int y = 0; y < ink.height(); ++y)
        for (int x = 0; x < ink.width(); ++x)
            if ((ink.pixel(x, y) & 0xffffff) != 0xffffff)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(Overlay, LabelsCoverNoFilledShapeNoTextAndNoZeroPeakIsMarked)
{
    for (const casegen::Bearing& b : casegen::bundledExamples()) {
        SCOPED_TRACE(b.name);
        Case c;
        c.dane.variant = b.solver == casegen::Solver::SOLAKO ? kVariantSolako : kVariantMerant;
        RYSUJ r;
        ScriptedUi ui;
        const LoadOutcome o = loadCase(LOBUS_EXAMPLES_DIR "/DANE/" + b.name + ".dan", c, r, ui, nullptr);
        ASSERT_EQ(o.end, PassEnd::Completed) << o.report;

        // The texts of the picture and of the overlay, as drawn.
        RecordingDevice device(kWidth, kHeight);
        Graphics g;
        g.setDevice(&device);
        g.setRecorder(&device);
        RYSUNEK(g, c, r);
        const std::size_t pictureOps = device.ops().size();
        drawPeaksOverlay(g, c, r);
        std::vector<Text> texts;
        for (std::size_t i = 0; i < device.ops().size(); ++i)
            if (device.ops()[i].kind == DrawOp::Kind::Text)
                texts.push_back({device.ops()[i], i >= pictureOps});

        // One number a lobe, one value a lobe whose peak is not 0 (solako4's
        // first lobe carries no pressure).
        const CaseFigures f = caseFigures(c);
        std::size_t peaks = 0;
        for (const LobeFigures& l : f.lobes)
            peaks += l.pressure.found && l.pressure.value != 0.0f ? 1 : 0;
        EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const Text& t) { return t.overlay; }),
                  static_cast<long>(f.lobes.size() + peaks));

        QImage plain(kWidth, kHeight, QImage::Format_RGB32);
        Graphics pg;
        renderToImage(plain, pg, c, r);
        // The colours the picture fills with: each lobe's, its temperature
        // band's and the hatch lines'.
        std::set<QRgb> fills {qRgb(105, 105, 105)};
        for (int k = 1; k <= c.dane.ikm; ++k) {
            const int red = r.colour(1, k), green = r.colour(2, k), blue = r.colour(3, k);
            fills.insert(qRgb(red, green, blue));
            fills.insert(qRgb(static_cast<int>(std::lround(0.75 * red)),
                              static_cast<int>(std::lround(0.75 * green)),
                              static_cast<int>(std::lround(0.75 * blue))));
        }
        std::vector<QRect> inks;
        for (const Text& t : texts)
            inks.push_back(inkOf(c, r, t.op));
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (!texts[i].overlay)
                continue;
            SCOPED_TRACE(texts[i].op.text);
            const QRect box = inks[i].adjusted(-1, -1, 1, 1);
            ASSERT_FALSE(inks[i].isEmpty());
            int covered = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    covered += fills.count(plain.pixel(x, y) | 0xff000000u) > 0 ? 1 : 0;
            EXPECT_EQ(covered, 0);
            for (std::size_t j = 0; j < texts.size(); ++j) {
                if (j != i) {
                    EXPECT_FALSE(box.intersects(inks[j])) << "over " << texts[j].op.text;
                }
            }
        }
    }
}

} // namespace
} // namespace lobus::test
