// The shared series fixture in the window: a case compared with another of
// its series, exported and saved as lobus-render --compare draws it, and the
// picture as it was once the comparison ends; a case the
// solver writes anew, shown again without a box, a damaged one that keeps
// the picture, a result file chosen by hand at Open read again itself, and
// the compared case read again when the solver rewrites it; the series
// window's table, plots and clicks, its rows read again when the solver
// rewrites a case, and its files.

#include "app/shell.h"
#include "gui/angleviewwidget.h"
#include "gui/casewatcher.h"
#include "gui/mainwindow.h"
#include "gui/numberspanel.h"
#include "gui/numbersview.h"
#include "gui/serieswindows.h"
#include "layerfixture.h"
#include "resources/ids.h"
#include "series/seriesfiles.h"
#include "series/seriesread.h"
#include "series/seriestable.h"
#include "serieswindow/seriesmodel.h"
#include "serieswindow/seriesplotwidget.h"
#include "tests/cli/runrender.h"
#include "tests/support/cases.h"
#include "tests/support/seriesfixture.h"
#include "tests/support/tempdir.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ranges>

namespace lobus::test {
namespace {

using Command = NumbersView::Command;

TEST(SeriesWindow, ComparisonDrawsTheOtherCaseShowsBMinusAAndEndsAsItBegan)
{
    TempDir cases;
    const SeriesFixture f = writeSeries(cases.path());
    const auto path = [&](const std::string& name) {
        return QString::fromStdString((cases.path() / "DANE" / (name + ".dan")).string());
    };
    QString answer = path("n500");
    DialogHooks hooks;
    hooks.selectFile = [&](QWidget*, const FileRequest&) -> std::optional<QString> { return answer; };
    hooks.messageBox = [](QWidget*, const MessageBoxRequest&) { return true; };
    ExportChoice size;
    size.size = ExportChoice::Size::Custom;
    size.custom = QSize(900, 560);
    hooks.exportChoice = [&](QWidget*, const ExportChoice&, QSize) { return std::optional(size); };
    QTemporaryDir dir;
    QtWindowLayer layer {hooks};
    Shell shell {layer, 2, traceIn(dir)};
    startAndOpen(layer, shell);
    NumbersView* numbers = layer.numbers();
    ASSERT_TRUE(numbers);
    numbers->action(Command::Panel)->trigger();
    runPending(layer, shell);
    numbers->action(Command::AngleView)->trigger();
    runPending(layer, shell);
    const QImage plain = layer.picture().copy();
    const QImage plainPlot = numbers->angleView()->plot().copy();
    EXPECT_FALSE(numbers->action(Command::EndCompare)->isEnabled());

    // The broken case cannot be compared with: the picture stays.
    answer = path(f.broken);
    numbers->action(Command::Compare)->trigger();
    runPending(layer, shell);
    EXPECT_EQ(numbers->comparison(), nullptr);

    answer = path("n4000");
    numbers->action(Command::Compare)->trigger();
    runPending(layer, shell);
    ASSERT_NE(numbers->comparison(), nullptr);
    EXPECT_NE(layer.picture(), plain);
    EXPECT_NE(numbers->angleView()->plot(), plainPlot);

    // What the window writes of the comparison is what lobus-render writes.
    const auto saved = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    answer = saved("exported.png");
    Message exportPicture;
    exportPicture.value1 = kCmdExportPicture;
    shell.handle(kMenuSelect, exportPicture);
    runPending(layer, shell);
    answer = saved("angle.png");
    numbers->action(Command::SaveAngleView)->trigger();
    runPending(layer, shell);
    for (const auto& [file, view] :
         {std::pair {"exported.png", "picture"}, std::pair {"angle.png", "angle"}}) {
        const RunResult r
            = runRender({path("n500"), QStringLiteral("--compare"), path("n4000"), QStringLiteral("--view"),
                         QString::fromLatin1(view), QStringLiteral("--size"), QStringLiteral("900x560"),
                         QStringLiteral("-o"), saved("rendered.png")});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QImage rendered(saved("rendered.png"));
        ASSERT_EQ(rendered.size(), QSize(900, 560)) << view;
        EXPECT_EQ(QImage(saved(file)).convertToFormat(QImage::Format_RGB32),
                  rendered.convertToFormat(QImage::Format_RGB32))
            << view;
    }
    const QTableWidget* table = numbers->panel()->comparisonTable();
    ASSERT_TRUE(table->isVisibleTo(numbers->panel()));
    ASSERT_GE(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("ekscen"));
    const double a = f.solved.front().ekscen;
    const double b = f.solved.back().ekscen;
    EXPECT_EQ(table->item(0, 3)->text(), readoutText(b - a, 4));

    numbers->action(Command::EndCompare)->trigger();
    runPending(layer, shell);
    EXPECT_EQ(numbers->comparison(), nullptr);
    EXPECT_EQ(layer.picture(), plain);
    EXPECT_EQ(numbers->angleView()->plot(), plainPlot);
    EXPECT_FALSE(table->isVisibleTo(numbers->panel()));
}

// Runs the window until `done`; false after 5 s.
bool waitUntil(QtWindowLayer& layer, Shell& shell, const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        runPending(layer, shell);
        if (done())
            return true;
        QThread::msleep(20);
    }
    return false;
}

// Runs the window until pane 2 of the status bar begins with `start`; false after 5 s.
bool waitForStatus(QtWindowLayer& layer, Shell& shell, const QString& start)
{
    return waitUntil(layer, shell, [&] { return layer.window()->statusText(2).startsWith(start); });
}

TEST(SeriesWindow, CaseWrittenAnewIsShownAgainWithoutABoxAndADamagedOneKeepsThePicture)
{
    TempDir cases;
    writeSeries(cases.path());
    int boxes = 0;
    DialogHooks hooks;
    hooks.selectFile = [&](QWidget*, const FileRequest&) -> std::optional<QString> {
        return QString::fromStdString((cases.path() / "DANE" / "n500.dan").string());
    };
    hooks.messageBox = [&](QWidget*, const MessageBoxRequest&) { return ++boxes, true; };
    QtWindowLayer layer {hooks};
    Shell shell {layer, 2, traceIn(cases.path())};
    startAndOpen(layer, shell);
    ASSERT_EQ(boxes, 0);
    const QImage first = layer.picture().copy();
    ASSERT_FALSE(layer.caseWatcher()->action()->isChecked()); // off until chosen
    layer.caseWatcher()->action()->trigger();

    // The solver writes the case again at another speed.
    const casegen::Bearing b = seriesBearing("n500", casegen::Solver::MERANT, 3000.0, 0.5);
    CaseText text = casegen::caseText(b, casegen::solve(b));
    casegen::writeCase(text, cases.path());
    ASSERT_TRUE(waitForStatus(layer, shell, QStringLiteral("Przeczytano ponownie ")));
    const QImage second = layer.picture().copy();
    EXPECT_NE(second, first);

    replaceRecord(text.cis, 12, "to nie liczba"); // the third point of the first lobe
    casegen::writeCase(text, cases.path());
    ASSERT_TRUE(waitForStatus(layer, shell, QStringLiteral("Nie przeczytano ponownie: ")))
        << layer.window()->statusText(2).toStdString();
    EXPECT_TRUE(layer.window()->statusText(2).contains(QStringLiteral("n500.cis")));
    EXPECT_EQ(layer.picture(), second);
    QThread::msleep(500);
    runPending(layer, shell);
    EXPECT_EQ(layer.pendingMessages(), 0u); // reported once, not read again and again
    EXPECT_EQ(boxes, 0);
}

// The window program over the shared series, with the series window opened
// on its folder.
class SeriesWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fixture = writeSeries(cases.path());
        DialogHooks hooks;
        hooks.selectFiles = [this](QWidget*, const FileRequest& request) -> std::optional<QStringList> {
            EXPECT_TRUE(request.folder);
            return QStringList {QString::fromStdString(cases.path().string())};
        };
        hooks.messageBox = [this](QWidget*, const MessageBoxRequest& request) {
            boxes << request.text;
            return true;
        };
        hooks.selectFile = [this](QWidget*, const FileRequest&) -> std::optional<QString> { return saveAs; };
        hooks.exportChoice = [](QWidget*, const ExportChoice& last, QSize) { return std::optional(last); };
        layer.setHooks(hooks);
        ShellOptions options;
        options.tracePath = (cases.path() / "wdr.txt").string();
        shell = std::make_unique<Shell>(layer, 2, options);
        shell->startUp();
        runPending(layer, *shell);
        layer.numbers()->action(Command::SeriesFolder)->trigger();
        ASSERT_EQ(layer.seriesWindows()->windows().size(), 1u);
        window = layer.seriesWindows()->windows().front();
        ASSERT_TRUE(waitUntil(layer, *shell, [this] { return !window->reading(); }));
    }

    // The case on a row of the table as it is sorted now.
    int caseOnRow(int row) const
    {
        return window->sorted()->mapToSource(window->sorted()->index(row, 0)).row();
    }
    int caseNamed(const std::string& name) const
    {
        const Series& s = window->series();
        const auto at = std::ranges::find_if(s, [&](const SeriesCase& c) { return c.name == name; });
        return at == s.end() ? -1 : static_cast<int>(at - s.begin());
    }
    int column(const std::string& title) const
    {
        const auto& columns = window->model()->columns();
        return static_cast<int>(std::ranges::find(columns, title) - columns.begin());
    }
    // The column that holds the MERANT cases' speeds.
    std::string speedColumn() const
    {
        for (const std::string& c : window->model()->columns())
            if (std::ranges::all_of(
                    std::views::iota(std::size_t {0}, fixture.speeds.size()), [&](std::size_t i) {
                        return columnValue(window->series()[i], c) == float(fixture.speeds[i]);
                    }))
                return c;
        return {};
    }

    TempDir cases;
    SeriesFixture fixture;
    QStringList boxes;
    QString saveAs; // what a save dialog answers
    QtWindowLayer layer;
    std::unique_ptr<Shell> shell;
    SeriesWindow* window = nullptr;
};

TEST_F(SeriesWindowTest, TableIsTheCsvSortsByValueClicksShowTheCaseAndEachViewIsSaved)
{
    // The columns and cells of the command line's CSV, read apart from the
    // window; the unreadable case's row carries its error instead.
    const Series apart = readSeries(seriesInputs({cases.path().string()}));
    const QStringList csv
        = QString::fromStdString(seriesCsv(apart)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const SeriesModel& model = *window->model();
    ASSERT_EQ(model.rowCount(), csv.size() - 1);
    QStringList header;
    for (int c = 0; c < model.columnCount(); ++c)
        header << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(header.join(QLatin1Char(',')), csv[0].trimmed());
    for (int r = 0; r < model.rowCount(); ++r) {
        const QStringList fields = csv[r + 1].trimmed().split(QLatin1Char(','));
        const bool broken = window->series()[std::size_t(r)].name == fixture.broken;
        for (int c = 0; c < model.columnCount(); ++c) {
            const QString cell = model.index(r, c).data().toString();
            if (broken && c == kSolverColumn)
                EXPECT_TRUE(cell.contains(QStringLiteral(".cis"))) << cell.toStdString();
            else
                EXPECT_EQ(cell, fields.value(c)) << r << "," << c;
        }
    }

    // By speed: as numbers (n500 before n1000), the case without one last.
    const std::string speed = speedColumn();
    ASSERT_FALSE(speed.empty());
    window->table()->sortByColumn(column(speed), Qt::AscendingOrder);
    std::vector<float> shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown.push_back(columnValue(window->series()[std::size_t(caseOnRow(row))], speed));
    EXPECT_EQ(caseOnRow(0), caseNamed("n500"));
    EXPECT_TRUE(std::isnan(shown.back()));
    shown.pop_back();
    EXPECT_TRUE(std::ranges::is_sorted(shown));

    // A row clicked, then a point of the locus: the main window opens each.
    const int n2000 = caseNamed("n2000");
    const QModelIndex at = window->sorted()->mapFromSource(model.index(n2000, 0));
    QTest::mouseClick(window->table()->viewport(), Qt::LeftButton, {},
                      window->table()->visualRect(at).center());
    ASSERT_TRUE(waitUntil(
        layer, *shell, [&] { return layer.window()->statusText(1).endsWith(QStringLiteral("n2000.dan")); }));
    EXPECT_EQ(window->highlighted(), n2000);
    EXPECT_EQ(model.highlighted(), n2000);
    const int n4000 = caseNamed("n4000");
    const QImage before = window->locus()->plot().copy();
    QTest::mouseClick(window->locus(), Qt::LeftButton, {}, window->locus()->pointOf(n4000).toPoint());
    ASSERT_TRUE(waitUntil(
        layer, *shell, [&] { return layer.window()->statusText(1).endsWith(QStringLiteral("n4000.dan")); }));
    EXPECT_EQ(window->highlighted(), n4000);
    EXPECT_NE(window->locus()->plot(), before); // the mark moved
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('\n')).toStdString();

    // Another axis, another chart.
    const QImage chart = window->chart()->plot().copy();
    window->yAxis()->setCurrentIndex(window->yAxis()->findText(QStringLiteral("pmax")));
    EXPECT_NE(window->chart()->plot(), chart);

    // Its files: the table is the command line's CSV; the plots and the
    // report are written whole; what cannot be written is said, named.
    TempDir out;
    const auto save = [&](SeriesWindow::Command command, const std::filesystem::path& file) {
        saveAs = QString::fromStdString(file.string());
        window->action(command)->trigger();
        QFile written(saveAs);
        return written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
    };
    EXPECT_EQ(save(SeriesWindow::Command::SaveTable, out.path() / "seria.csv").toStdString(),
              seriesCsv(apart));
    EXPECT_TRUE(save(SeriesWindow::Command::SaveLocus, out.path() / "tor.svg").contains("n4000"));
    EXPECT_TRUE(save(SeriesWindow::Command::SaveChart, out.path() / "wykres.png").startsWith("\x89PNG"));
    EXPECT_TRUE(save(SeriesWindow::Command::Report, out.path() / "raport.pdf").startsWith("%PDF"));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('\n')).toStdString();
    save(SeriesWindow::Command::Report, out.path() / "nie ma" / "raport.pdf");
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains(QStringLiteral("nie ma/raport.pdf"))) << boxes[0].toStdString();
}

TEST_F(SeriesWindowTest, RewrittenCaseIsReadAgainKeepingSortSelectionAndAxes)
{
    layer.caseWatcher()->action()->trigger(); // reading again on
    const int n500 = caseNamed("n500");
    const int ekscen = column("ekscen");
    window->table()->sortByColumn(ekscen, Qt::DescendingOrder);
    ASSERT_EQ(caseOnRow(0), n500);
    window->yAxis()->setCurrentIndex(window->yAxis()->findText(QStringLiteral("pmax")));
    window->table()->selectRow(2);
    const int selected = caseOnRow(2);

    // The solver writes n500 again, its journal centre further in.
    const casegen::Bearing b = seriesBearing("n500", casegen::Solver::MERANT, 500.0, 0.05);
    const casegen::Solution again = casegen::solve(b);
    casegen::writeCase(b, again, cases.path());
    ASSERT_TRUE(waitUntil(layer, *shell, [&] {
        return window->statusText().startsWith(QStringLiteral("Przeczytano ponownie"));
    })) << window->statusText().toStdString();
    EXPECT_EQ(columnValue(window->series()[std::size_t(n500)], "ekscen"), again.ekscen);
    const QModelIndex cell = window->sorted()->mapFromSource(window->model()->index(n500, ekscen));
    EXPECT_EQ(cell.data().toString().toStdString(), cellText(window->series()[std::size_t(n500)], "ekscen"));
    EXPECT_NE(caseOnRow(0), n500); // still sorted by ekscen, descending
    EXPECT_EQ(window->table()->horizontalHeader()->sortIndicatorSection(), ekscen);
    EXPECT_EQ(window->yAxis()->currentText(), QStringLiteral("pmax"));
    EXPECT_EQ(window->highlighted(), selected);
}

// The characteristics file chosen by hand at Open, away from where the case
// locates it, is watched and read again from where it was chosen.
TEST(SeriesWindow, AResultFileChosenAtOpenIsTheOneReadAgain)
{
    TempDir cases;
    casegen::Bearing b = seriesBearing("n500", casegen::Solver::MERANT, 500.0, 0.5);
    const std::filesystem::path dan
        = casegen::writeCase(casegen::caseText(b, casegen::solve(b)), cases.path());
    const std::filesystem::path chosen = cases.path() / "inne" / "n500.cha";
    std::filesystem::create_directories(chosen.parent_path());
    std::filesystem::rename(cases.path() / "WYN" / "n500.cha", chosen);
    int dialogs = 0;
    DialogHooks hooks;
    hooks.selectFile = [&](QWidget*, const FileRequest&) -> std::optional<QString> {
        return QString::fromStdString((dialogs++ == 0 ? dan : chosen).string());
    };
    hooks.messageBox = [](QWidget*, const MessageBoxRequest&) { return true; };
    QtWindowLayer layer {hooks};
    Shell shell {layer, 2, traceIn(cases.path())};
    startAndOpen(layer, shell);
    ASSERT_EQ(dialogs, 2);
    const QImage first = layer.picture().copy();
    layer.caseWatcher()->action()->trigger();

    // The chosen file is written anew with another journal centre.
    b.ekscen = 0.3;
    std::ofstream(chosen, std::ios::binary | std::ios::trunc) << casegen::caseText(b, casegen::solve(b)).cha;
    ASSERT_TRUE(waitForStatus(layer, shell, QStringLiteral("Przeczytano ponownie ")))
        << layer.window()->statusText(2).toStdString();
    EXPECT_NE(layer.picture(), first);
    EXPECT_EQ(dialogs, 2);
}

// The compared case, written anew by the solver, is read again and drawn.
TEST(SeriesWindow, ComparedCaseWrittenAnewIsReadAgain)
{
    TempDir cases;
    writeSeries(cases.path());
    const auto path = [&](const std::string& name) { return cases.path() / "DANE" / (name + ".dan"); };
    std::string answer = path("n500").string();
    DialogHooks hooks;
    hooks.selectFile = [&](QWidget*, const FileRequest&) -> std::optional<QString> {
        return QString::fromStdString(answer);
    };
    hooks.messageBox = [](QWidget*, const MessageBoxRequest&) { return true; };
    QtWindowLayer layer {hooks};
    Shell shell {layer, 2, traceIn(cases.path())};
    startAndOpen(layer, shell);
    NumbersView* numbers = layer.numbers();
    numbers->action(Command::Panel)->trigger();
    answer = path("n4000").string();
    numbers->action(Command::Compare)->trigger();
    runPending(layer, shell);
    ASSERT_NE(numbers->comparison(), nullptr);
    const QImage before = layer.picture().copy();
    layer.caseWatcher()->action()->trigger();

    const casegen::Bearing b = seriesBearing("n4000", casegen::Solver::MERANT, 4000.0, 0.2);
    const casegen::Solution solved = casegen::solve(b);
    casegen::writeCase(casegen::caseText(b, solved), cases.path());
    ASSERT_TRUE(waitForStatus(layer, shell, QStringLiteral("Przeczytano ponownie przypadek B (n4000)")))
        << layer.window()->statusText(2).toStdString();
    runPending(layer, shell);
    EXPECT_NE(layer.picture(), before);
    EXPECT_EQ(numbers->panel()->comparisonTable()->item(0, 2)->text(), readoutText(solved.ekscen, 4));
}

} // namespace
} // namespace lobus::test
