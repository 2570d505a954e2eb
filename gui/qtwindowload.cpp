// Reading a case beside the window: the passes run on a thread of their own
// while the window keeps answering; their dialogs, handed over by the one
// proxy, come up on the window's thread, one after the other as the passes
// ask; a progress bar with a stop button shows in the status bar once the
// reading takes a while.

#include "datafiles/readprogress.h"
#include "gui/mainwindow.h"
#include "gui/qtwindowlayer.h"
#include "gui/windowthread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <thread>

namespace lobus {

namespace {

// A load shorter than this shows no progress bar.
constexpr int kQuietMilliseconds = 200;

} // namespace

bool QtWindowLayer::runLoad(const std::function<void(PassUi&)>& load, std::uint64_t expectedBytes)
{
    assertWindowThread();
    PassUiOnWindowThread<> dialogs(*this);
    ReadProgress progress;
    std::exception_ptr failure;
    bool stopped = false;
    QEventLoop loop;
    std::thread worker([&] {
        setThreadReadProgress(&progress);
        try {
            load(dialogs);
        } catch (const ReadStopped&) {
            stopped = true;
        } catch (...) {
            failure = std::current_exception();
        }
        setThreadReadProgress(nullptr);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    QProgressBar* bar = nullptr;
    QPushButton* stop = nullptr;
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, &tick, [&] {
        if (!bar && clock.elapsed() >= kQuietMilliseconds && m_window) {
            QStatusBar* status = m_window->statusBar();
            bar = new QProgressBar(status);
            bar->setObjectName(QStringLiteral("loadProgress"));
            bar->setRange(0, expectedBytes > 0 ? 1000 : 0);
            bar->setMaximumWidth(200);
            stop = new QPushButton(QCoreApplication::translate("QtWindowLayer", "Anuluj"), status);
            stop->setObjectName(QStringLiteral("loadStop"));
            QObject::connect(stop, &QPushButton::clicked, stop, [&] {
                progress.stop = true;
                stop->setEnabled(false);
            });
            status->addPermanentWidget(bar);
            status->addPermanentWidget(stop);
        }
        if (bar && expectedBytes > 0)
            bar->setValue(
                static_cast<int>(std::min<std::uint64_t>(999, progress.bytes * 1000 / expectedBytes)));
    });
    tick.start();
    loop.exec();
    tick.stop();
    worker.join();
    delete bar;
    delete stop;
    if (failure)
        std::rethrow_exception(failure);
    return !stopped;
}

} // namespace lobus
