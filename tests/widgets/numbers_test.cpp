// The numbers in the window: the extras start off and leave the picture as
// the program draws it; the overlay comes and goes; the panel, the probe and
// the angle view show the case that was opened.

#include "app/shell.h"
#include "drawing/casefigures.h"
#include "drawing/graphics/graphics.h"
#include "gui/angleviewwidget.h"
#include "gui/mainwindow.h"
#include "gui/numberspanel.h"
#include "gui/numbersview.h"
#include "gui/picturewidget.h"
#include "gui/renderimage.h"
#include "layerfixture.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QSplitter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

namespace lobus {
namespace {

using Command = NumbersView::Command;

// Handles what the window queued until it has nothing more to say.
void runPending(QtWindowLayer& layer, Shell& shell)
{
    for (int round = 0; round < 10; ++round) {
        test::settle();
        if (layer.pendingMessages() == 0)
            return;
        while (layer.pendingMessages() > 0)
            shell.step();
    }
}

TEST(NumbersWindow, ExtrasStartOffPanelProbeOverlayAndAngleViewShowTheCase)
{
    const QString datafile
        = QDir(QStringLiteral(LOBUS_EXAMPLES_DIR)).filePath(QStringLiteral("DANE/solako4.dan"));
    QTemporaryDir dir;
    DialogHooks hooks;
    QString saveAs; // what a save dialog answers
    hooks.selectFile = [&](QWidget*, const FileRequest& request) -> std::optional<QString> {
        return request.save ? saveAs : datafile;
    };
    hooks.printSetup = [&](QWidget*, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
        return true;
    };
    QtWindowLayer layer(hooks);
    ShellOptions options;
    options.tracePath = dir.filePath(QStringLiteral("wdr.txt")).toStdString();
    Shell shell(layer, 1, options);
    shell.startUp();
    runPending(layer, shell);
    Message open;
    open.value1 = 40002;
    shell.handle(kMenuSelect, open);
    runPending(layer, shell);

    MainWindow* window = layer.window();
    NumbersView* numbers = layer.numbers();
    ASSERT_TRUE(window && numbers);
    const QList<QAction*> top = window->menuBar()->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[2]->menu(), numbers->menu());
    EXPECT_FALSE(numbers->dock()->isVisible());
    EXPECT_FALSE(numbers->angleView()->isVisible());
    EXPECT_FALSE(numbers->action(Command::Overlay)->isChecked());
    EXPECT_EQ(window->picture()->size(), window->splitter()->size());

    Case expected;
    RYSUJ rysuj;
    const std::string problem = test::loadCase(datafile.toStdString(), 1, expected, rysuj);
    ASSERT_TRUE(problem.empty()) << problem;
    const QImage shown = layer.picture().convertToFormat(QImage::Format_RGB32);
    QImage drawn(shown.size(), QImage::Format_RGB32);
    drawn.setDotsPerMeterX(shown.dotsPerMeterX());
    drawn.setDotsPerMeterY(shown.dotsPerMeterY());
    Graphics fresh;
    renderToImage(drawn, fresh, expected, rysuj);
    EXPECT_EQ(shown, drawn);

    // The overlay draws over the picture and, switched off, leaves it as drawn.
    numbers->action(Command::Overlay)->trigger();
    runPending(layer, shell);
    EXPECT_NE(layer.picture().convertToFormat(QImage::Format_RGB32), drawn);
    numbers->action(Command::Overlay)->trigger();
    runPending(layer, shell);
    EXPECT_EQ(layer.picture().convertToFormat(QImage::Format_RGB32), drawn);

    // The panel: one row per lobe, each peak the largest pressure read.
    numbers->action(Command::Panel)->trigger();
    test::settle();
    ASSERT_TRUE(numbers->dock()->isVisible());
    const QTableWidget* table = numbers->panel()->table();
    ASSERT_EQ(table->rowCount(), expected.dane.ikm);
    for (int k = 1; k <= expected.dane.ikm; ++k) {
        float peak = expected.results.cis(k, 1);
        for (int j = 2; j <= static_cast<int>(expected.dane.ilcis(k)); ++j)
            peak = std::max(peak, expected.results.cis(k, j));
        EXPECT_EQ(table->item(k - 1, 6)->text(), QString::number(peak / 1.0e6, 'f', 3)) << k;
        EXPECT_EQ(table->item(k - 1, 5)->text(), QString::number(static_cast<int>(expected.dane.ilcis(k))));
    }

    // The probe over lobe 4's grid point 20, on the arc: the mouse there
    // reads the lobe and the point's pressure; the angle view's cursor follows.
    numbers->action(Command::AngleView)->trigger();
    test::settle();
    ASSERT_TRUE(numbers->angleView()->isVisible());
    EXPECT_FALSE(numbers->angleView()->plot().isNull());
    const float a = expected.results.katcis(4, 20) * 3.14159265f / 180.0f;
    PointF device;
    ASSERT_TRUE(layer.graphics().unitsToDevice(expected.dane.tabkla(4) + 0.99f * std::cos(a),
                                               expected.dane.tabklb(4) + 0.99f * std::sin(a), device));
    const double ratio = window->picture()->devicePixelRatioF();
    const QPointF logical(device.x / ratio, device.y / ratio);
    const ProbeHit hit = numbers->probe(logical);
    EXPECT_EQ(hit.lobe, 4);
    EXPECT_EQ(hit.point, 20);
    QTest::mouseMove(window->picture(), logical.toPoint());
    test::settle();
    EXPECT_TRUE(window->statusText(2).startsWith(QStringLiteral("Klin 4: kąt ")))
        << window->statusText(2).toStdString();

    // A notch of the wheel shows a fifth less about the angle under the
    // mouse; a double click shows the whole turn again.
    AngleViewWidget* view = numbers->angleView();
    const QPointF middle(view->width() / 2.0, view->height() / 4.0);
    QWheelEvent wheel(middle, view->mapToGlobal(middle), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    EXPECT_NEAR(view->view().to - view->view().from, 288.0f, 1e-3f);
    EXPECT_GT(view->view().from, 0.0f);
    EXPECT_LT(view->view().to, 360.0f);
    QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier, middle.toPoint());
    EXPECT_EQ(view->view().from, 0.0f);
    EXPECT_EQ(view->view().to, 360.0f);

    // Data and plot out: the CSV is the command's, the plot a file and a printout.
    saveAs = dir.filePath(QStringLiteral("points.csv"));
    numbers->action(Command::ExportCsv)->trigger();
    QFile csv(saveAs);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().toStdString(), pointsCsv(expected));
    saveAs = dir.filePath(QStringLiteral("katy.svg"));
    numbers->action(Command::SaveAngleView)->trigger();
    QFile svg(saveAs);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));
    numbers->action(Command::PrintAngleView)->trigger();
    QFile pdf(dir.filePath(QStringLiteral("printed.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");
}

} // namespace
} // namespace lobus
