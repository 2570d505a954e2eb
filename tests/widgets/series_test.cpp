// The shared series fixture in the window: a case compared with another of
// its series, and the picture as it was once the comparison ends; a case the
// solver writes anew, shown again without a box, and a damaged one that keeps
// the picture.

#include "app/shell.h"
#include "gui/casewatcher.h"
#include "gui/mainwindow.h"
#include "gui/numberspanel.h"
#include "gui/numbersview.h"
#include "layerfixture.h"
#include "tests/support/cases.h"
#include "tests/support/seriesfixture.h"
#include "tests/support/tempdir.h"

#include <QAction>
#include <QElapsedTimer>
#include <QImage>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>

namespace lobus::test {
namespace {

using Command = NumbersView::Command;

void runPending(QtWindowLayer& layer, Shell& shell)
{
    for (int round = 0; round < 10; ++round) {
        settle();
        if (layer.pendingMessages() == 0)
            return;
        while (layer.pendingMessages() > 0)
            shell.step();
    }
}

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
    QTemporaryDir dir;
    QtWindowLayer layer {hooks};
    ShellOptions options;
    options.tracePath = dir.filePath(QStringLiteral("wdr.txt")).toStdString();
    Shell shell {layer, 2, options};
    shell.startUp();
    runPending(layer, shell);
    Message open;
    open.value1 = 40002;
    shell.handle(kMenuSelect, open);
    runPending(layer, shell);
    NumbersView* numbers = layer.numbers();
    ASSERT_TRUE(numbers);
    numbers->action(Command::Panel)->trigger();
    runPending(layer, shell);
    const QImage plain = layer.picture().copy();
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
    EXPECT_FALSE(table->isVisibleTo(numbers->panel()));
}

// Runs the window until pane 2 of the status bar begins with `start`; false after 5 s.
bool waitForStatus(QtWindowLayer& layer, Shell& shell, const QString& start)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        runPending(layer, shell);
        if (layer.window()->statusText(2).startsWith(start))
            return true;
        QThread::msleep(20);
    }
    return false;
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
    Shell shell {layer, 2, ShellOptions {}};
    shell.startUp();
    runPending(layer, shell);
    Message open;
    open.value1 = 40002;
    shell.handle(kMenuSelect, open);
    runPending(layer, shell);
    ASSERT_EQ(boxes, 0);
    const QImage first = layer.picture().copy();
    ASSERT_FALSE(layer.caseWatcher()->action()->isChecked()); // off until chosen
    layer.caseWatcher()->action()->trigger();

    // The solver writes the case again at another speed.
    casegen::Bearing b;
    b.name = "n500";
    b.solver = casegen::Solver::MERANT;
    b.speed = 3000.0;
    b.ekscen = 0.5;
    b.points = 13;
    b.model = casegen::PressureModel::ShortBearing;
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

} // namespace
} // namespace lobus::test
