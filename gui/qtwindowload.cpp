// Reading a case beside the window: the passes run on a thread of their own
// while the window keeps answering; their dialogs, handed over by the one
// proxy, come up on the window's thread, one after the other as the passes
// ask; a progress bar with a stop button shows over the status bar once the
// reading takes a while. Meanwhile the picture shown stays as it is, the
// commands that would only run after the reading are greyed, and Exit asks
// whether to stop the reading.

#include "datafiles/readprogress.h"
#include "datafiles/texts.h"
#include "gui/mainwindow.h"
#include "gui/numbersview.h"
#include "gui/qtwindowlayer.h"
#include "gui/windowthread.h"
#include "series/seriesread.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace lobus {

namespace {

// A load shorter than this shows no progress bar.
constexpr int kQuietMilliseconds = 200;
// The widest the progress bar with its button grows, in logical pixels.
constexpr int kIndicatorWidth = 320;

// The progress bar and its stop button, laid over the right end of the
// status bar rather than into its layout: showing them changes the size of
// no widget, so the picture above keeps its size and its pixels.
class ReadIndicator : public QWidget {
public:
    ReadIndicator(QStatusBar* status, bool measured, ReadProgress& progress) : QWidget(status)
    {
        setObjectName(QStringLiteral("loadIndicator"));
        setAutoFillBackground(true);
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(2, 1, 2, 1);
        row->setSpacing(4);
        bar = new QProgressBar(this);
        bar->setObjectName(QStringLiteral("loadProgress"));
        bar->setRange(0, measured ? 1000 : 0);
        auto* stop = new QPushButton(QCoreApplication::translate("QtWindowLayer", "Anuluj"), this);
        stop->setObjectName(QStringLiteral("loadStop"));
        // Both take the status bar's height, whatever their own would be.
        for (QWidget* w : {static_cast<QWidget*>(bar), static_cast<QWidget*>(stop)}) {
            w->setSizePolicy(w->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
            w->setMinimumHeight(1);
            row->addWidget(w);
        }
        QObject::connect(stop, &QPushButton::clicked, stop, [stop, &progress] {
            progress.stop = true;
            stop->setEnabled(false);
        });
        status->installEventFilter(this);
        place();
        show();
        raise();
    }

    QProgressBar* bar = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && event->type() == QEvent::Resize)
            place();
        return false;
    }

private:
    void place()
    {
        const auto* status = static_cast<const QStatusBar*>(parentWidget());
        const int h = status->height();
        const int grip = status->isSizeGripEnabled() ? h : 0;
        const int w = std::min(kIndicatorWidth, status->width() / 2);
        setGeometry(status->width() - grip - w, 0, w, h);
    }
};

} // namespace

// While a case is read, the commands that would only run after it (Open, the
// recent files, Save bitmap, Export, Print and the View menu) are greyed,
// and come back as they were.
class QtWindowLayer::ReadingCommands {
public:
    explicit ReadingCommands(MainWindow* window) : m_window(window)
    {
        if (!window)
            return;
        const int commands[]
            = {kCmdOpen, kMenuRecentFiles, kCmdSaveBitmap, kCmdExportPicture, kCmdPrint, kMenuView};
        for (int id : commands) {
            if (QAction* action = window->menuAction(id)) {
                m_saved.emplace_back(action, action->isEnabled());
                action->setEnabled(false);
            }
        }
        window->setReading(true);
    }
    ~ReadingCommands()
    {
        // Restored in reverse, so that Export follows Save bitmap back.
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
            if (it->first)
                it->first->setEnabled(it->second);
        if (m_window)
            m_window->setReading(false);
    }
    ReadingCommands(const ReadingCommands&) = delete;
    ReadingCommands& operator=(const ReadingCommands&) = delete;

private:
    QPointer<MainWindow> m_window;
    std::vector<std::pair<QPointer<QAction>, bool>> m_saved;
};

bool QtWindowLayer::askToStopReading()
{
    MessageBoxRequest request;
    request.buttons = kButtonsYesNo;
    request.icon = kIconQuestion;
    request.defaultButton = kDefaultSecond; // No: a slip of the hand loses nothing
    request.text = QCoreApplication::translate("QtWindowLayer",
                                               "Trwa odczyt przypadku. Przerwać odczyt i zakończyć program?");
    request.title = QString::fromStdString(texts::translate("DataFiles", "UWAGA"));
    const bool yes = m_hooks.messageBox ? m_hooks.messageBox(dialogParent(), request)
                                        : systemMessageBox(dialogParent(), request);
    if (yes && m_reading)
        m_reading->stop = true;
    return yes;
}

bool QtWindowLayer::runLoad(const std::function<void(PassUi&)>& load, std::uint64_t expectedBytes)
{
    assertWindowThread();
    PassUiOnWindowThread<> dialogs(*this);
    ReadProgress progress;
    m_reading = &progress;
    std::optional<ReadingCommands> greyed(std::in_place, m_window.get());
    std::exception_ptr failure;
    bool finished = false;
    try {
        finished = readBeside([&] { load(dialogs); }, progress, expectedBytes);
    } catch (...) {
        failure = std::current_exception();
    }
    greyed.reset();
    m_reading = nullptr;
    // A size the window took meanwhile gets its picture now.
    if (m_resizePending) {
        m_resizePending = false;
        pictureResized();
    }
    if (failure)
        std::rethrow_exception(failure);
    return finished;
}

bool QtWindowLayer::runQuietly(const std::function<void()>& work, std::uint64_t expectedBytes)
{
    assertWindowThread();
    ReadProgress progress;
    return readBeside(work, progress, expectedBytes);
}

// The reading on a thread of its own, reporting to `progress`, while the
// window answers; once it takes a while its progress lies over the status
// bar (when the window has one), with the button that stops it.
bool QtWindowLayer::readBeside(const std::function<void()>& work, ReadProgress& progress,
                               std::uint64_t expectedBytes)
{
    std::exception_ptr failure;
    bool stopped = false;
    QEventLoop loop;
    std::thread worker([&] {
        setThreadReadProgress(&progress);
        try {
            work();
        } catch (const ReadStopped&) {
            stopped = true;
        } catch (...) {
            failure = std::current_exception();
        }
        setThreadReadProgress(nullptr);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    QPointer<ReadIndicator> indicator;
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, &tick, [&] {
        if (!indicator && clock.elapsed() >= kQuietMilliseconds && m_window)
            indicator = new ReadIndicator(m_window->statusBar(), expectedBytes > 0, progress);
        if (indicator && expectedBytes > 0)
            indicator->bar->setValue(
                static_cast<int>(std::min<std::uint64_t>(999, progress.bytes * 1000 / expectedBytes)));
    });
    tick.start();
    loop.exec();
    tick.stop();
    worker.join();
    delete indicator;
    if (failure)
        std::rethrow_exception(failure);
    return !stopped;
}

void QtWindowLayer::rereadComparison()
{
    assertWindowThread();
    const SeriesCase* shown = m_numbers ? m_numbers->comparison() : nullptr;
    if (!shown)
        return;
    const SeriesInput input {shown->file, {}};
    // Read as at the start of the comparison: from where the case locates its files.
    const std::uint64_t bytes = shown->data ? expectedReadBytes(shown->file, shown->data->dane.variant) : 0;
    SeriesCase b;
    if (runQuietly([&] { b = readSeriesCase(input); }, bytes) && m_numbers)
        m_numbers->comparisonReadAgain(std::move(b));
}

} // namespace lobus
