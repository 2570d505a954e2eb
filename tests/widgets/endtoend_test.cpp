// The program as its users run it: runLobus over the Qt layer, an example
// opened through the menu, the status bar and the saved bitmap checked
// against the picture the drawing makes of the same case (and lobus-render's
// file of it), then Exit.

#include "app/shell.h"
#include "datafiles/passes.h"
#include "drawing/graphics/graphics.h"
#include "gui/mainwindow.h"
#include "layerfixture.h"
#include "render/picturefile.h"
#include "render/renderimage.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

namespace lobus::test {
namespace {

struct Example {
    const char* name;
    int variant;
    int wedges;
};

class EndToEnd : public ::testing::TestWithParam<Example> { };

TEST_P(EndToEnd, OpenShowsTheCaseAndSaveBitmapWritesThePicture)
{
    const Example example = GetParam();
    const QString datafile
        = QDir(QStringLiteral(LOBUS_EXAMPLES_DIR))
              .filePath(QStringLiteral("DANE/%1.dan").arg(QString::fromLatin1(example.name)));
    ASSERT_TRUE(QFileInfo::exists(datafile)) << datafile.toStdString();
    QTemporaryDir dir;
    const QString bitmap = dir.filePath(QStringLiteral("obraz.bmp"));

    DialogHooks hooks;
    std::vector<QString> titles;
    hooks.selectFile = [&](QWidget*, const FileRequest& request) -> std::optional<QString> {
        titles.push_back(request.title);
        return request.save ? bitmap : datafile;
    };
    std::vector<QString> boxes;
    hooks.messageBox = [&](QWidget*, const MessageBoxRequest& request) {
        boxes.push_back(request.text);
        return true;
    };
    QtWindowLayer layer(hooks);

    // What a user does, one step at a time, whenever the program waits.
    enum class Step { Open, Loaded, Saved, Done };
    Step step = Step::Open;
    QString status;
    std::map<int, bool> enabled;
    QElapsedTimer clock;
    clock.start();
    QTimer user;
    user.setInterval(20);
    QObject::connect(&user, &QTimer::timeout, &user, [&] {
        MainWindow* window = layer.window();
        if (!window)
            return;
        if (clock.elapsed() > 30000) { // never hang the test run
            step = Step::Done;
            window->menuAction(40005)->trigger();
            return;
        }
        switch (step) {
        case Step::Open:
            window->menuAction(40002)->trigger();
            step = Step::Loaded;
            break;
        case Step::Loaded:
            if (window->statusText(1).isEmpty())
                return;
            status = window->statusText(1);
            for (int id = 40002; id <= 40016; ++id)
                if (QAction* action = window->menuAction(id))
                    enabled[id] = action->isEnabled();
            window->menuAction(40003)->trigger();
            step = Step::Saved;
            break;
        case Step::Saved:
            if (!QFileInfo::exists(bitmap))
                return;
            window->menuAction(40005)->trigger();
            step = Step::Done;
            break;
        case Step::Done:
            break;
        }
    });
    user.start();

    ShellOptions options;
    options.tracePath = dir.filePath(QStringLiteral("wdr.txt")).toStdString();
    const int status_code = runLobus(layer, example.variant, options);
    user.stop();

    EXPECT_EQ(status_code, 0);
    EXPECT_EQ(layer.window(), nullptr);
    EXPECT_TRUE(boxes.empty()) << boxes.front().toStdString();
    ASSERT_EQ(step, Step::Done);
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], QStringLiteral("Wybor zbioru danych"));
    EXPECT_EQ(titles[1], QStringLiteral("Zapisz mapę bitową"));
    EXPECT_EQ(status, QDir::toNativeSeparators(datafile));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("wdr.txt"))).size() > 0);

    // The menu of a loaded case.
    for (int id : {40002, 40003, 40004, 40005, 40007, 40008, 40009})
        EXPECT_TRUE(enabled[id]) << id;
    EXPECT_EQ(enabled[40016], example.variant == 1);
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(enabled[40009 + k], k <= example.wedges) << k;

    // The same case read and drawn without the window.
    Case expected;
    RYSUJ rysuj;
    const std::string problem = loadCase(datafile.toStdString(), example.variant, expected, rysuj);
    ASSERT_TRUE(problem.empty()) << problem;

    // The bitmap has the window's device pixels and says their resolution
    // (192 dpi on a screen of ratio 2); the same picture drawn at that size
    // and resolution must match it pixel for pixel.
    QImage saved(bitmap, "BMP");
    ASSERT_FALSE(saved.isNull());
    saved = saved.convertToFormat(QImage::Format_RGB32);
    QImage drawn(saved.size(), QImage::Format_RGB32);
    drawn.setDotsPerMeterX(saved.dotsPerMeterX());
    drawn.setDotsPerMeterY(saved.dotsPerMeterY());
    Graphics g;
    g.IGRAREA(0, 0, 1, 1);
    renderToImage(drawn, g, expected, rysuj);

    int differing = 0;
    int drawnPixels = 0;
    const QRgb background
        = qRgb(Graphics::background().r, Graphics::background().g, Graphics::background().b);
    for (int y = 0; y < saved.height(); ++y) {
        for (int x = 0; x < saved.width(); ++x) {
            if (saved.pixel(x, y) != drawn.pixel(x, y))
                ++differing;
            if (drawn.pixel(x, y) != background)
                ++drawnPixels;
        }
    }
    EXPECT_EQ(differing, 0) << "of " << saved.width() * saved.height();
    // A real picture, not two empty ones.
    EXPECT_GT(drawnPixels, saved.width() * saved.height() / 100);

    // At the resolution lobus-render draws at, its file of the case at the
    // window's size is the window's picture.
    if (saved.dotsPerMeterX() != QImage(1, 1, QImage::Format_RGB32).dotsPerMeterX())
        return;
    const QString file = dir.filePath(QStringLiteral("render.png"));
    std::string error;
    ASSERT_TRUE(writePictureFile(file.toStdString(), expected, rysuj, saved.width(), saved.height(), error))
        << error;
    EXPECT_TRUE(QImage(file).convertToFormat(QImage::Format_RGB32) == saved);
}

INSTANTIATE_TEST_SUITE_P(Examples, EndToEnd,
                         ::testing::Values(Example {"merant3", 2, 3}, Example {"solako4", 1, 4},
                                           Example {"cytryna2", 2, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lobus::test
