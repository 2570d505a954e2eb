#pragma once
// The window's thread: the one thread on which widgets are touched. A case is
// read on a thread of its own (QtWindowLayer::runLoad), and the passes reach
// the window only through a proxy made from WindowThreadProxy, which hands
// every call over to the window's thread and waits for it. The layer's
// methods that touch widgets begin with assertWindowThread(), which stops a
// debug build that calls one from another thread.

#include "datafiles/passui.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

namespace lobus {

// True on the thread of the application's event loop, or with no application.
inline bool onWindowThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

// At the entry of every layer method that touches widgets.
inline void assertWindowThread()
{
    Q_ASSERT_X(onWindowThread(), "lobus::assertWindowThread", "a widget touched off the window's thread");
}

// Runs `call` on the window's thread, one call at a time, and returns what it
// returns; the calling thread waits meanwhile. On the window's thread itself
// it runs at once.
template <class Call> std::invoke_result_t<Call&> onWindowThreadWait(Call&& call)
{
    using Result = std::invoke_result_t<Call&>;
    if (onWindowThread())
        return call();
    QCoreApplication* app = QCoreApplication::instance();
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(
            app, [&] { call(); }, Qt::BlockingQueuedConnection);
    } else {
        std::optional<Result> result;
        QMetaObject::invokeMethod(
            app, [&] { result.emplace(call()); }, Qt::BlockingQueuedConnection);
        return std::move(*result);
    }
}

// A stand-in for an interface that hands each call over to the window's
// thread. Each method of the interface is overridden with one line:
//     int WINFODIALOG(int what) override { return handOver(&PassUi::WINFODIALOG, what); }
// The interfaces handed over have only pure virtual methods, so a method
// added to one and not to its proxy leaves the proxy abstract, and the build
// says so.
template <class Interface> class WindowThreadProxy : public Interface {
public:
    explicit WindowThreadProxy(Interface& target) : m_target(target) { }

protected:
    template <class Method, class... Args> decltype(auto) handOver(Method method, Args&&... args)
    {
        return onWindowThreadWait(
            [&]() -> decltype(auto) { return std::invoke(method, m_target, std::forward<Args>(args)...); });
    }

private:
    Interface& m_target;
};

// The passes' window, from the reading thread.
template <class Ui = PassUi> class PassUiOnWindowThread : public WindowThreadProxy<Ui> {
public:
    using WindowThreadProxy<Ui>::WindowThreadProxy;

    void WMESSAGEBOX(int buttons, int icon, int defaultButton, const std::string& text,
                     const std::string& title) override
    {
        this->handOver(&PassUi::WMESSAGEBOX, buttons, icon, defaultButton, text, title);
    }
    void WSELECTFILE(int filter, int flags, std::string& name, const std::string& title) override
    {
        this->handOver(&PassUi::WSELECTFILE, filter, flags, name, title);
    }
    int WINFODIALOG(int what) override { return this->handOver(&PassUi::WINFODIALOG, what); }
    std::string presetResultFile(int filter) override
    {
        return this->handOver(&PassUi::presetResultFile, filter);
    }
};

} // namespace lobus
