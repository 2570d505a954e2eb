// Opening a case in the window: the reading runs beside the window, the
// passes' dialogs come up in order on the window's thread, a progress bar
// with a Cancel button shows once the reading takes a while, and Cancel
// drops what was being read.

#include "app/shell.h"
#include "gui/mainwindow.h"
#include "layerfixture.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace lobus::test {
namespace {

TEST(WindowLoad, DialogsComeInOrderAndCancelDropsTheReading)
{
    // merant3 without its characteristics file: the reading pass asks for it.
    const QDir examples(QStringLiteral(LOBUS_EXAMPLES_DIR));
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("P/DANE"))
                && QDir(dir.path()).mkpath(QStringLiteral("P/WYN")));
    const QString dan = dir.filePath(QStringLiteral("P/DANE/merant3.dan"));
    ASSERT_TRUE(QFile::copy(examples.filePath(QStringLiteral("DANE/merant3.dan")), dan));
    ASSERT_TRUE(QFile::copy(examples.filePath(QStringLiteral("WYN/merant3.cis")),
                            dir.filePath(QStringLiteral("P/WYN/merant3.cis"))));
    const QString cha = examples.filePath(QStringLiteral("WYN/merant3.cha"));

    QtWindowLayer* window = nullptr;
    std::vector<QString> asked;
    bool barShown = false;
    DialogHooks hooks;
    hooks.messageBox = [&](QWidget*, const MessageBoxRequest& request) {
        asked.push_back(request.text);
        return true;
    };
    hooks.selectFile = [&](QWidget*, const FileRequest& request) -> std::optional<QString> {
        asked.push_back(request.title);
        if (asked.size() == 1)
            return dan;
        // The user thinks it over: the reading waits, and its progress shows.
        QElapsedTimer clock;
        clock.start();
        QPushButton* cancel = nullptr;
        while (!cancel && clock.elapsed() < 10000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
            cancel = window->window()->findChild<QPushButton*>(QStringLiteral("loadStop"));
        }
        barShown = window->window()->findChild<QProgressBar*>(QStringLiteral("loadProgress")) != nullptr;
        if (cancel)
            cancel->click();
        return cha;
    };
    QtWindowLayer layer(hooks);
    window = &layer;

    bool opened = false;
    bool saveEnabled = true;
    QString status = QStringLiteral("?");
    QTimer user;
    user.setInterval(20);
    QObject::connect(&user, &QTimer::timeout, &user, [&] {
        MainWindow* w = layer.window();
        if (!w || QApplication::activeModalWidget())
            return;
        if (!opened) {
            opened = true;
            w->menuAction(40002)->trigger();
        } else if (asked.size() >= 3 && !w->findChild<QPushButton*>(QStringLiteral("loadStop"))) {
            saveEnabled = w->menuAction(40003)->isEnabled();
            status = w->statusText(1);
            w->menuAction(40005)->trigger();
        }
    });
    user.start();
    QTemporaryDir traceDir;
    ShellOptions options;
    options.tracePath = traceDir.filePath(QStringLiteral("wdr.txt")).toStdString();
    EXPECT_EQ(runLobus(layer, 2, options), 0);
    user.stop();

    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0], QStringLiteral("Wybor zbioru danych"));
    EXPECT_TRUE(asked[1].startsWith(QStringLiteral("Brak zbioru "))) << asked[1].toStdString();
    EXPECT_TRUE(asked[1].endsWith(QStringLiteral("merant3.cha"))) << asked[1].toStdString();
    EXPECT_EQ(asked[2], QStringLiteral("Wybor zbioru wyników"));
    EXPECT_TRUE(barShown);
    // Cancelled, the reading is dropped: the program still has no case.
    EXPECT_FALSE(saveEnabled);
    EXPECT_TRUE(status.isEmpty()) << status.toStdString();
}

} // namespace
} // namespace lobus::test
