// The numbers in the window: the extras start off and leave the picture as
// the program draws it; the overlay comes and goes; the panel, the probe and
// the angle view show the case that was opened.

#include "app/shell.h"
#include "dataexport/pointscsv.h"
#include "dialogs/resourcedialog.h"
#include "drawing/angleview.h"
#include "drawing/casefigures.h"
#include "drawing/graphics/graphics.h"
#include "examples/casegen.h"
#include "gui/angleviewwidget.h"
#include "gui/mainwindow.h"
#include "gui/numberspanel.h"
#include "gui/numbersview.h"
#include "gui/picturewidget.h"
#include "gui/unitsmenu.h"
#include "layerfixture.h"
#include "render/angleviewtexts.h"
#include "render/imagedevice.h"
#include "render/renderimage.h"
#include "resources/ids.h"
#include "tests/support/commalocales.h"
#include "translations/language.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QLineF>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPrinter>
#include <QSettings>
#include <QSplitter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

namespace lobus::test {
namespace {

using Command = NumbersView::Command;

QString thermalCase()
{
    return QDir(QStringLiteral(LOBUS_EXAMPLES_DIR)).filePath(QStringLiteral("DANE/solako4.dan"));
}

DialogHooks thermalHooks()
{
    DialogHooks hooks;
    hooks.selectFile = [](QWidget*, const FileRequest&) -> std::optional<QString> { return thermalCase(); };
    return hooks;
}

// The thermal example opened as the program opens it, with the panel, the
// overlay and the angle view on, as a user has the window.
struct ThermalWindow {
    ThermalWindow()
    {
        startAndOpen(layer, shell);
        window = layer.window();
        numbers = layer.numbers();
        for (Command c : {Command::Panel, Command::Overlay, Command::AngleView}) {
            if (numbers)
                numbers->action(c)->trigger();
            runPending(layer, shell);
        }
    }
    QTemporaryDir dir;
    QtWindowLayer layer {thermalHooks()};
    Shell shell {layer, 1, traceIn(dir)};
    MainWindow* window = nullptr;
    NumbersView* numbers = nullptr;
};

TEST(NumbersWindow, ExtrasStartOffPanelProbeOverlayAndAngleViewShowTheCase)
{
    const QString datafile = thermalCase();
    QTemporaryDir dir;
    DialogHooks hooks;
    QString saveAs; // what a save dialog answers
    hooks.selectFile = [&](QWidget*, const FileRequest& request) -> std::optional<QString> {
        return request.save ? saveAs : datafile;
    };
    QString job;
    QPageLayout::Orientation page = QPageLayout::Portrait;
    hooks.printSetup = [&](QWidget*, QPrinter& printer) {
        job = printer.docName();
        page = printer.pageLayout().orientation();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
        return true;
    };
    hooks.exportChoice = [](QWidget*, const ExportChoice&, QSize) {
        ExportChoice c;
        c.size = ExportChoice::Size::FullHd;
        return std::optional(c);
    };
    QtWindowLayer layer(hooks);
    Shell shell(layer, 1, traceIn(dir));
    startAndOpen(layer, shell);

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
    const std::string problem = loadCase(datafile.toStdString(), 1, expected, rysuj);
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
    settle();
    ASSERT_TRUE(numbers->dock()->isVisible());
    const QTableWidget* table = numbers->panel()->table();
    ASSERT_EQ(table->rowCount(), expected.dane.ikm);
    for (int k = 1; k <= expected.dane.ikm; ++k) {
        float peak = expected.results.cis(k, 1);
        for (int j = 2; j <= static_cast<int>(expected.dane.ilcis(k)); ++j)
            peak = std::max(peak, expected.results.cis(k, j));
        // A lobe without pressure has no peak to show.
        EXPECT_EQ(table->item(k - 1, 5)->text(),
                  peak == 0.0f ? QStringLiteral("—") : QString::number(peak / 1.0e6, 'f', 3))
            << k;
        EXPECT_EQ(table->item(k - 1, 4)->text(), QString::number(static_cast<int>(expected.dane.ilcis(k))));
    }

    // The probe over lobe 4's grid point 20, on the arc: the mouse there
    // reads the lobe and the point's pressure; the angle view's cursor follows.
    numbers->action(Command::AngleView)->trigger();
    settle();
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
    settle();
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
    EXPECT_TRUE(svg.readAll().contains("viewBox=\"0 0 1920 1080\"")); // the size chosen
    numbers->action(Command::PrintAngleView)->trigger();
    QFile pdf(dir.filePath(QStringLiteral("printed.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");
    EXPECT_EQ(page, QPageLayout::Landscape);
    EXPECT_EQ(job, QFileInfo(datafile).completeBaseName() + QStringLiteral(" - wykres kątowy"));
}

// The files' other values in the panel, in Polish and in English: named as
// the files name them, with their meaning where the name is known, in the
// engineering words of the interface's language.
TEST(NumbersWindow, PanelTablesNameTheFilesValuesInBothLanguages)
{
    struct Expected {
        Language language;
        QString diameter;  // the meaning of D
        QString centre;    // the journal centre's line
        QString arcCentre; // the lobes' arc-centre column
        QString fallback;  // a value no header named
    };
    for (const Expected& e :
         {Expected {Language::Polish, QStringLiteral("średnica czopa"),
                    QStringLiteral("Środek czopa: mimośród względny ε = 0.4500, kąt położenia = "),
                    QStringLiteral("Środek łuku a, b [c]"), QStringLiteral("wartość 3")},
          Expected {Language::English, QStringLiteral("journal diameter"),
                    QStringLiteral("Journal centre: eccentricity ratio ε = 0.4500, attitude angle = "),
                    QStringLiteral("Lobe arc centre a, b [c]"), QStringLiteral("value 3")}}) {
        SCOPED_TRACE(languageCode(e.language).toStdString());
        useLanguage(e.language);
        ThermalWindow w;
        ASSERT_TRUE(w.numbers);
        NumbersPanel* panel = w.numbers->panel();
        EXPECT_TRUE(panel->summaryText().contains(e.centre)) << panel->summaryText().toStdString();
        EXPECT_FALSE(panel->summaryText().contains(QStringLiteral("ekscen")));
        EXPECT_EQ(panel->table()->horizontalHeaderItem(3)->text(), e.arcCentre);

        const casegen::Bearing b = casegen::bundledExamples()[1];
        const casegen::Solution s = casegen::solve(b);
        const struct {
            QTableWidget* table;
            QStringList names;
            QStringList units;
            std::vector<float> values;
        } tables[] = {
            {panel->conditionsTable(),
             {QStringLiteral("D"), QStringLiteral("L"), QStringLiteral("c"), QStringLiteral("mi"),
              QStringLiteral("n")},
             {QStringLiteral("m"), QStringLiteral("m"), QStringLiteral("m"), QStringLiteral("Pa s"),
              QStringLiteral("obr/min")},
             {static_cast<float>(b.diameter), static_cast<float>(b.width), static_cast<float>(b.clearance),
              static_cast<float>(b.viscosity), static_cast<float>(b.speed)}},
            {panel->characteristicsTable(),
             {QStringLiteral("W"), QStringLiteral("N"), QStringLiteral("Q"), QStringLiteral("hmin"),
              QStringLiteral("So")},
             {QString(), QString(), QString(), QString(), QString()},
             {s.load, s.powerLoss, s.flow, s.minFilm, s.sommerfeld}},
        };
        ASSERT_EQ(b.name, "solako4");
        for (const auto& t : tables) {
            ASSERT_EQ(t.table->rowCount(), 5);
            for (int row = 0; row < 5; ++row) {
                EXPECT_EQ(t.table->item(row, 0)->text(), t.names[row]);
                EXPECT_FALSE(t.table->item(row, 1)->text().isEmpty()) << t.names[row].toStdString();
                EXPECT_EQ(t.table->item(row, 0)->toolTip(), t.table->item(row, 1)->text());
                EXPECT_EQ(t.table->item(row, 2)->text().toFloat(), t.values[static_cast<std::size_t>(row)]);
                EXPECT_EQ(t.table->item(row, 3)->text(), t.units[row]);
            }
        }
        EXPECT_EQ(panel->conditionsTable()->item(0, 1)->text(), e.diameter);

        // A name the program does not know stands as written, without a
        // meaning; a value no header named is named in the interface's words.
        Case other;
        other.results.named.characteristics = {{{"Zz", "kg", true}, 1.5f}, {{"value 3", "", false}, 2.0f}};
        panel->setCase(&other, "other.dan");
        QTableWidget* c = panel->characteristicsTable();
        EXPECT_EQ(c->item(0, 0)->text(), QStringLiteral("Zz"));
        EXPECT_TRUE(c->item(0, 1)->text().isEmpty());
        EXPECT_EQ(c->item(0, 2)->text(), QStringLiteral("1.5"));
        EXPECT_EQ(c->item(0, 3)->text(), QStringLiteral("kg"));
        EXPECT_EQ(c->item(1, 0)->text(), e.fallback);
        panel->setCase(nullptr, std::string());
    }
    useSourceTexts();
}

// One choice of units serves the panel and the probe and outlives the
// window; the status bar and the panel say which files a case lacks.
TEST(NumbersWindow, UnitsServeEveryReadOutAndAnIncompleteCaseSaysSo)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("lobus.conf"));
    // The thermal example without its temperature file, whose dialog is cancelled.
    const QString dan = dir.filePath(QStringLiteral("P/DANE/solako4.dan"));
    QDir().mkpath(dir.filePath(QStringLiteral("P/WYN")));
    QDir().mkpath(dir.filePath(QStringLiteral("P/DANE")));
    const QDir examples(QStringLiteral(LOBUS_EXAMPLES_DIR));
    for (const char* f : {"DANE/solako4.dan", "WYN/solako4.cha", "WYN/solako4.cis"})
        ASSERT_TRUE(QFile::copy(examples.filePath(QLatin1String(f)),
                                dir.filePath(QStringLiteral("P/") + QLatin1String(f))));
    DialogHooks hooks;
    hooks.selectFile = [&](QWidget*, const FileRequest& request) -> std::optional<QString> {
        return request.title.contains(QStringLiteral("danych")) ? std::optional<QString>(dan) : std::nullopt;
    };
    hooks.messageBox = [](QWidget*, const MessageBoxRequest&) { return true; };
    {
        QtWindowLayer layer(hooks);
        layer.useSettings(std::make_unique<QSettings>(ini, QSettings::IniFormat));
        Shell shell(layer, 1, traceIn(dir));
        startAndOpen(layer, shell);
        NumbersView* numbers = layer.numbers();
        ASSERT_TRUE(numbers);
        numbers->action(Command::Panel)->trigger();
        runPending(layer, shell);
        const QString gaps = QStringLiteral("Przypadek niepełny: nie wczytano solako4.tem");
        EXPECT_TRUE(numbers->gapsText().startsWith(gaps)) << numbers->gapsText().toStdString();
        EXPECT_TRUE(numbers->panel()->summaryText().contains(gaps));
        EXPECT_TRUE(layer.window()->statusText(1).endsWith(QStringLiteral("solako4.dan")));

        EXPECT_TRUE(numbers->unitsMenu()->action(PressureUnit::MPa)->isChecked());
        numbers->unitsMenu()->action(PressureUnit::Bar)->trigger();
        numbers->unitsMenu()->action(TemperatureUnit::Kelvin)->trigger();
        runPending(layer, shell);
        const QString summary = numbers->panel()->summaryText();
        EXPECT_TRUE(summary.contains(QStringLiteral("pmax = 68.8"))
                    && summary.contains(QStringLiteral(" bar")))
            << summary.toStdString();
        EXPECT_EQ(numbers->panel()->table()->horizontalHeaderItem(5)->text(),
                  QStringLiteral("p maks. [bar]"));
        EXPECT_EQ(numbers->panel()->table()->horizontalHeaderItem(7)->text(), QStringLiteral("t1 maks. [K]"));
        // The probe over lobe 4's grid point 20 reads it in the same units.
        const Case& shown = shell.state().shown;
        const float a = shown.results.katcis(4, 20) * 3.14159265f / 180.0f;
        PointF device;
        ASSERT_TRUE(layer.graphics().unitsToDevice(shown.dane.tabkla(4) + 0.99f * std::cos(a),
                                                   shown.dane.tabklb(4) + 0.99f * std::sin(a), device));
        const double ratio = layer.window()->picture()->devicePixelRatioF();
        QTest::mouseMove(layer.window()->picture(), QPointF(device.x / ratio, device.y / ratio).toPoint());
        settle();
        const QString read = layer.window()->statusText(2);
        EXPECT_TRUE(read.startsWith(QStringLiteral("Klin 4: kąt ")) && read.contains(QStringLiteral(" bar"))
                    && read.contains(QStringLiteral(" K")))
            << read.toStdString();
        layer.WINDOWCLOSE();
    }
    // A window opened later starts with the units chosen last.
    QtWindowLayer layer(hooks);
    layer.useSettings(std::make_unique<QSettings>(ini, QSettings::IniFormat));
    layer.WINDOWOPEN(mainWindowRecord(1));
    ASSERT_TRUE(layer.numbers());
    EXPECT_TRUE(layer.numbers()->unitsMenu()->action(PressureUnit::Bar)->isChecked());
    EXPECT_TRUE(layer.numbers()->unitsMenu()->action(TemperatureUnit::Kelvin)->isChecked());
    EXPECT_EQ(layer.numbers()->units(), (ReadoutUnits {PressureUnit::Bar, TemperatureUnit::Kelvin}));
}

// The two views point at the same thing, as a user has the window: panel,
// overlay and angle view on and the picture redrawn at its new size. Where
// each view puts a point is worked out on the same pictures drawn afresh.
TEST(NumbersWindow, AngleViewAndPictureMarkTheSamePoint)
{
    ThermalWindow w;
    QtWindowLayer& layer = w.layer;
    Shell& shell = w.shell;
    MainWindow* window = w.window;
    NumbersView* numbers = w.numbers;
    ASSERT_TRUE(window && numbers);
    Case expected;
    RYSUJ rysuj;
    const std::string problem = loadCase(thermalCase().toStdString(), 1, expected, rysuj);
    ASSERT_TRUE(problem.empty()) << problem;
    const double ratio = window->picture()->devicePixelRatioF();

    QImage picture;
    Graphics drawn;
    std::optional<ImageDevice> pictureSurface;
    const auto drawAfresh = [&] {
        drawn.setDevice(nullptr);
        pictureSurface.reset();
        const QImage& shown = layer.picture();
        picture = QImage(shown.size(), QImage::Format_RGB32);
        picture.setDotsPerMeterX(shown.dotsPerMeterX());
        picture.setDotsPerMeterY(shown.dotsPerMeterY());
        drawn = Graphics();
        renderToImage(picture, drawn, expected, rysuj);
        pictureSurface.emplace(picture);
        drawn.setDevice(&*pictureSurface);
    };
    drawAfresh();
    const auto inPicture = [&](int k, float angle, double depth) {
        const double a = double(angle) * 3.14159265358979323846 / 180.0;
        PointF p;
        EXPECT_TRUE(drawn.unitsToDevice(static_cast<float>(expected.dane.tabkla(k) + depth * std::cos(a)),
                                        static_cast<float>(expected.dane.tabklb(k) + depth * std::sin(a)),
                                        p));
        return QPointF(p.x, p.y) / ratio;
    };

    AngleViewWidget* view = numbers->angleView();
    QImage plot(view->plot().size(), QImage::Format_RGB32);
    plot.setDotsPerMeterX(view->plot().dotsPerMeterX());
    plot.setDotsPerMeterY(view->plot().dotsPerMeterY());
    Graphics plotted;
    AngleViewLayout layout;
    renderToImage(plot, plotted, [&](Graphics& g) {
        layout = drawAngleView(g, expected, rysuj, view->view(), angleViewTexts());
    });
    ImageDevice plotSurface(plot);
    plotted.setDevice(&plotSurface);
    const float* area = layout.pressure.area;
    const float* units = layout.pressure.units;
    plotted.IGRAREA(area[0], area[1], area[2], area[3]);
    plotted.IGRUNITS(units[0], units[1], units[2], units[3]);
    const auto inPlot = [&](float angle) {
        PointF p;
        EXPECT_TRUE(plotted.unitsToDevice(angle, 0.5f * (units[1] + units[3]), p));
        return QPointF(p.x, p.y) / ratio;
    };

    // At a fractional position: a whole logical pixel spans more than a
    // grid step on a small plot.
    const auto hoverPlot = [&](float angle) {
        const QPointF at = inPlot(angle);
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        settle();
    };
    const int k = 4;
    const auto ringOnPressurePoint = [&](int j) {
        const float angle = expected.results.katcis(k, j);
        const double depth = 1.0 - double(expected.results.cis(k, j)) * rysuj.plen / rysuj.pscale;
        const QPointF pressurePoint = inPicture(k, angle, depth);
        const std::optional<QPointF> ring = window->picture()->marker();
        ASSERT_TRUE(ring) << j;
        EXPECT_LE(QLineF(*ring, pressurePoint).length(), 1.5)
            << j << ": ring at " << ring->x() << "," << ring->y() << ", pressure point at "
            << pressurePoint.x() << "," << pressurePoint.y();
    };
    for (int j : {8, 20, 40}) {
        const float angle = expected.results.katcis(k, j);
        hoverPlot(angle);
        ASSERT_TRUE(window->statusText(2).startsWith(
            QStringLiteral("Klin 4: kąt %1°").arg(QString::number(angle, 'f', 2))))
            << window->statusText(2).toStdString();
        ringOnPressurePoint(j);

        // And back: the probe on that ray of the diagram, nearer the arc
        // than the pressure point, puts the cursor at the point's angle and
        // takes the ring away, whether or not the plot heard the mouse leave.
        QTest::mouseMove(window->picture(), inPicture(k, angle, 0.9).toPoint());
        settle();
        ASSERT_TRUE(view->cursorAngle()) << j;
        EXPECT_EQ(*view->cursorAngle(), angle) << j;
        EXPECT_FALSE(window->picture()->marker()) << j;
    }

    // The picture drawn anew at another size keeps the ring on the point.
    hoverPlot(expected.results.katcis(k, 20));
    window->resize(window->width() + 160, window->height() + 90);
    runPending(layer, shell);
    drawAfresh();
    ringOnPressurePoint(20);
}

// What the window shows of the thermal example under the C library's locale
// `locale`, with panel, overlay and angle view on, after "1,25" was typed
// into the drawing-scale field as a Polish user writes it.
struct Shown {
    QImage picture;
    QImage plot;
    std::string texts; // the dialog's field, the panel, the probe: a line each
    QByteArray trace;
    float halfy = 0.0f; // what the field was read as
};

Shown shownUnder(const std::string& locale)
{
    const ScopedLocale scoped(locale);
    EXPECT_TRUE(scoped.taken()) << locale;
    ThermalWindow w;
    Shown shown;
    if (!w.window || !w.numbers) {
        ADD_FAILURE() << "no window";
        return shown;
    }
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<ResourceDialog*>(modal);
        auto* field = qobject_cast<QLineEdit*>(dialog->field(kFieldFactor));
        shown.texts += field->text().toStdString() + '\n';
        field->setText(QStringLiteral("1,25"));
        qobject_cast<QAbstractButton*>(dialog->field(kButtonOk))->click();
    });
    Message scale;
    scale.value1 = kCmdDrawingScale;
    w.shell.handle(kMenuSelect, scale);
    runPending(w.layer, w.shell);
    shown.halfy = w.shell.state().rysuj.halfy;
    shown.picture = w.layer.picture().convertToFormat(QImage::Format_RGB32);
    shown.plot = w.numbers->angleView()->plot().convertToFormat(QImage::Format_RGB32);
    shown.texts += w.numbers->panel()->summaryText().toStdString() + '\n';
    const QTableWidget* table = w.numbers->panel()->table();
    for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column)
            if (const QTableWidgetItem* item = table->item(row, column))
                shown.texts += item->text().toStdString() + '\n';
    // The probe across the picture's middle: lobes, their points and the centre.
    QWidget* picture = w.window->picture();
    for (int x = 0; x < picture->width(); x += 30) {
        QTest::mouseMove(picture, QPoint(x, picture->height() / 2));
        settle();
        shown.texts += w.window->statusText(2).toStdString() + '\n';
    }
    QFile trace(w.dir.filePath(QStringLiteral("wdr.txt")));
    if (trace.open(QIODevice::ReadOnly))
        shown.trace = trace.readAll();
    return shown;
}

TEST(NumbersWindow, EveryNumberShownIsTheSameUnderADecimalCommaLocale)
{
    const CommaLocales& locales = commaLocales();
    if (!locales.ready())
        return;
    const Shown reference = shownUnder("C");
    EXPECT_EQ(reference.halfy, 1.25f);
    EXPECT_NE(reference.texts.find("Klin "), std::string::npos);
    EXPECT_FALSE(reference.trace.isEmpty());
    for (const std::string& name : locales.names) {
        const Shown shown = shownUnder(name);
        EXPECT_EQ(shown.halfy, 1.25f) << name;
        EXPECT_EQ(shown.texts, reference.texts) << name;
        EXPECT_TRUE(shown.trace == reference.trace) << name;
        EXPECT_TRUE(shown.picture == reference.picture) << name;
        EXPECT_TRUE(shown.plot == reference.plot) << name;
    }
}

} // namespace
} // namespace lobus::test
