// Opening a case in the window: the reading runs beside the window, the
// passes' dialogs come up in order on the window's thread, a progress bar
// with a Cancel button shows once the reading takes a while, and Cancel
// drops what was being read; a reading again after the files changed shows
// its progress the same way.

#include "app/shell.h"
#include "datafiles/readprogress.h"
#include "gui/mainwindow.h"
#include "gui/picturewidget.h"
#include "layerfixture.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUrl>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace lobus::test {
namespace {

// merant3 without its characteristics file in a folder of `dir`: the reading
// pass asks for it, and the reading waits while the test holds the dialog.
QString caseWithoutCha(const QTemporaryDir& dir)
{
    const QDir examples(QStringLiteral(LOBUS_EXAMPLES_DIR));
    const QString dan = dir.filePath(QStringLiteral("P/DANE/merant3.dan"));
    if (!QDir(dir.path()).mkpath(QStringLiteral("P/DANE"))
        || !QDir(dir.path()).mkpath(QStringLiteral("P/WYN"))
        || !QFile::copy(examples.filePath(QStringLiteral("DANE/merant3.dan")), dan)
        || !QFile::copy(examples.filePath(QStringLiteral("WYN/merant3.cis")),
                        dir.filePath(QStringLiteral("P/WYN/merant3.cis"))))
        return {};
    return dan;
}

// Lets the window run until its reading shows its progress; the stop button.
QPushButton* waitForProgress(QtWindowLayer& layer)
{
    QElapsedTimer clock;
    clock.start();
    QPushButton* stop = nullptr;
    while (!stop && clock.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        stop = layer.window()->findChild<QPushButton*>(QStringLiteral("loadStop"));
    }
    return stop;
}

TEST(WindowLoad, DialogsComeInOrderAndCancelDropsTheReading)
{
    const QDir examples(QStringLiteral(LOBUS_EXAMPLES_DIR));
    QTemporaryDir dir;
    const QString dan = caseWithoutCha(dir);
    ASSERT_FALSE(dan.isEmpty());
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
        QPushButton* cancel = waitForProgress(*window);
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
        } else if (asked.size() >= 3 && !layer.reading()) {
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

// While a case is read the previous picture stays on screen, pixel for
// pixel, through the progress bar's showing and a new window size; the
// commands that would wait for the reading are greyed, a drop is refused,
// and Exit asks: No reads on, Yes stops the reading and ends the program.
TEST(WindowLoad, ThePictureStaysAndExitAsksWhileACaseIsRead)
{
    const QDir examples(QStringLiteral(LOBUS_EXAMPLES_DIR));
    QTemporaryDir dir;
    const QString dan = caseWithoutCha(dir);
    ASSERT_FALSE(dan.isEmpty());

    QtWindowLayer* window = nullptr;
    QImage before;
    QSize pictureSize;
    int statusHeight = 0;
    std::vector<QString> questions;
    std::vector<bool> answers {false, true}; // Exit: No, then the close box: Yes
    QImage during;
    QImage resized;
    QSize sizeDuring;
    int statusHeightDuring = 0;
    std::vector<int> greyed;
    QString notice;
    std::size_t queuedByDropAndNo = 99;
    DialogHooks hooks;
    hooks.messageBox = [&](QWidget*, const MessageBoxRequest& request) {
        if (request.buttons != kButtonsYesNo)
            return true; // "Brak zbioru": OK
        questions.push_back(request.text);
        const bool yes = answers.at(questions.size() - 1);
        return yes;
    };
    hooks.selectFile = [&](QWidget*, const FileRequest& request) -> std::optional<QString> {
        if (request.title == QStringLiteral("Wybor zbioru danych"))
            return dan;
        MainWindow* w = window->window();
        EXPECT_NE(waitForProgress(*window), nullptr);
        during = w->picture()->grab().toImage();
        sizeDuring = w->picture()->size();
        statusHeightDuring = w->statusBar()->height();
        const int waiting[]
            = {kCmdOpen, kMenuRecentFiles, kCmdSaveBitmap, kCmdExportPicture, kCmdPrint, kMenuView};
        for (int id : waiting)
            if (!w->menuAction(id)->isEnabled())
                greyed.push_back(id);
        const std::size_t queued = window->pendingMessages();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dan)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &drop);
        notice = w->statusBar()->currentMessage();
        w->menuAction(kCmdExit)->trigger(); // asks; No
        queuedByDropAndNo = window->pendingMessages() - queued;
        w->resize(w->width() - 40, w->height() - 30);
        settle();
        resized = w->picture()->grab().toImage();
        w->close(); // asks; Yes
        return examples.filePath(QStringLiteral("WYN/merant3.cha"));
    };
    QtWindowLayer layer(hooks);
    window = &layer;

    bool opened = false;
    QTimer user;
    user.setInterval(20);
    QObject::connect(&user, &QTimer::timeout, &user, [&] {
        MainWindow* w = layer.window();
        if (!w || opened || layer.pendingMessages() > 0)
            return;
        opened = true;
        before = w->picture()->grab().toImage();
        pictureSize = w->picture()->size();
        statusHeight = w->statusBar()->height();
        w->menuAction(kCmdOpen)->trigger();
    });
    user.start();
    QTemporaryDir traceDir;
    ShellOptions options;
    options.tracePath = traceDir.filePath(QStringLiteral("wdr.txt")).toStdString();
    options.openAtStart = examples.filePath(QStringLiteral("DANE/cytryna2.dan")).toStdString();
    EXPECT_EQ(runLobus(layer, 2, options), 0); // ended by the second answer
    user.stop();

    ASSERT_FALSE(before.isNull());
    EXPECT_EQ(sizeDuring, pictureSize);
    EXPECT_EQ(statusHeightDuring, statusHeight);
    EXPECT_TRUE(during == before) << "the picture changed while the case was read";
    ASSERT_FALSE(resized.isNull());
    EXPECT_TRUE(resized == before.copy(0, 0, resized.width(), resized.height()));
    EXPECT_EQ(greyed.size(), 6u);
    EXPECT_TRUE(notice.contains(QStringLiteral("merant3.dan"))) << notice.toStdString();
    EXPECT_EQ(queuedByDropAndNo, 0u);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0], QStringLiteral("Trwa odczyt przypadku. Przerwać odczyt i zakończyć program?"));
}

} // namespace
} // namespace lobus::test

namespace lobus::test {
namespace {

// A case read again after its files changed shows its progress over the
// status bar as any reading does, greys nothing, changes no widget's size,
// and its button stops it.
TEST(WindowLoad, AReadingAgainShowsItsProgressAndGreysNothing)
{
    QtWindowLayer layer {DialogHooks {}};
    layer.WINDOWOPEN(programWindow());
    settle();
    MainWindow* window = layer.window();
    const QSize picture = window->picture()->size();
    bool shown = false;
    bool openEnabled = false;
    QSize during;
    QTimer user;
    user.setInterval(20);
    QObject::connect(&user, &QTimer::timeout, &user, [&] {
        auto* stop = window->findChild<QPushButton*>(QStringLiteral("loadStop"));
        if (!stop || shown)
            return;
        shown = window->findChild<QProgressBar*>(QStringLiteral("loadProgress")) != nullptr;
        openEnabled = window->menuAction(40002)->isEnabled();
        during = window->picture()->size();
        stop->click();
    });
    user.start();
    // A reading that goes on until it is stopped, as the record readers stop.
    const bool finished = layer.runQuietly(
        [] {
            while (!threadReadProgress()->stop)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            throw ReadStopped();
        },
        1000);
    user.stop();
    EXPECT_FALSE(finished);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(openEnabled);
    EXPECT_EQ(during, picture);
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("loadStop")), nullptr);
}

} // namespace
} // namespace lobus::test
