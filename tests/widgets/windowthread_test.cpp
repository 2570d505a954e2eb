// The reading thread reaches the window only through the proxy that hands
// each call over to the window's thread: a call added to the passes'
// interface is handed over as their own are, with one line in the proxy.

#include "gui/windowthread.h"
#include "resources/ids.h"

#include <QEventLoop>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace lobus::test {
namespace {

// The passes' interface with one call more, as a later change would add it.
class MoreUi : public PassUi {
public:
    virtual int chooseLobe(int lobes) = 0;
};

// Answers on whatever thread calls it, and notes which that was.
class Window : public MoreUi {
public:
    void WMESSAGEBOX(int, int, int, const std::string&, const std::string&) override { note(); }
    void WSELECTFILE(int, int, std::string& name, const std::string&) override
    {
        note();
        name = "inny.cis";
    }
    int WINFODIALOG(int what) override { return note(), what; }
    std::string presetResultFile(int) override { return note(), "podany.cha"; }
    int chooseLobe(int lobes) override { return note(), lobes - 1; }

    std::vector<QThread*> threads;

private:
    void note() { threads.push_back(QThread::currentThread()); }
};

class MoreProxy : public PassUiOnWindowThread<MoreUi> {
public:
    using PassUiOnWindowThread<MoreUi>::PassUiOnWindowThread;
    int chooseLobe(int lobes) override { return handOver(&MoreUi::chooseLobe, lobes); }
};

TEST(WindowThread, EveryCallFromTheReadingThreadRunsOnTheWindowsThread)
{
    Window window;
    MoreProxy proxy(window);
    std::string name;
    int confirmed = 0;
    std::string preset;
    int lobe = 0;
    QEventLoop loop;
    std::thread reader([&] {
        proxy.WMESSAGEBOX(kButtonsOk, kIconWarning, kDefaultFirst, "Brak zbioru", "UWAGA");
        proxy.WSELECTFILE(kFilterCisMerant, kSelectKeepDirectory, name, "Wybor zbioru wyników");
        confirmed = proxy.WINFODIALOG(kInfoConfirmed);
        preset = proxy.presetResultFile(kFilterChaMerant);
        lobe = proxy.chooseLobe(6);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    reader.join();

    ASSERT_EQ(window.threads.size(), 5u);
    for (QThread* thread : window.threads)
        EXPECT_EQ(thread, QThread::currentThread());
    EXPECT_EQ(name, "inny.cis"); // an answer through a reference comes back
    EXPECT_EQ(confirmed, kInfoConfirmed);
    EXPECT_EQ(preset, "podany.cha");
    EXPECT_EQ(lobe, 5);
}

#ifndef QT_NO_DEBUG
// A debug build stops where a widget method is entered off the window's thread.
TEST(WindowThreadDeathTest, AWidgetMethodOffTheWindowsThreadStopsADebugBuild)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(std::thread(assertWindowThread).join(), "off the window's thread");
}
#endif

} // namespace
} // namespace lobus::test
