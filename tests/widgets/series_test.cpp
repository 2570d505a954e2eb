// The shared series fixture in the window: a case compared with another of
// its series, and the picture as it was once the comparison ends.

#include "app/shell.h"
#include "gui/numberspanel.h"
#include "gui/numbersview.h"
#include "layerfixture.h"
#include "tests/support/seriesfixture.h"
#include "tests/support/tempdir.h"

#include <QAction>
#include <QImage>
#include <QTableWidget>
#include <QTemporaryDir>

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

} // namespace
} // namespace lobus::test
