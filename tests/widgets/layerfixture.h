#pragma once
// Shared helpers of the widgets tests: a layer with its main window open as
// the program opens it, and a way to act on a modal dialog from inside its
// own event loop.

#include "app/shell.h"
#include "app/windowlayer.h"
#include "datafiles/loadcase.h"
#include "datafiles/state.h"
#include "gui/qtwindowlayer.h"
#include "tests/support/scriptedui.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace lobus::test {

inline WindowRecord programWindow(int flags = 47)
{
    WindowRecord record;
    record.flags = flags;
    record.left = -1;
    record.top = -1;
    record.width = 0;
    record.height = 0;
    record.menuid = 30001;
    record.title = "Graficzna interpretacja danych i wyników programu MERANT";
    return record;
}

// Runs `action` once the next modal widget is up (polling, so it works for
// dialogs opened by code that runs after this call).
inline void whenModal(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action = std::move(action)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

// Lets Qt deliver what is pending without blocking.
inline void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// Handles what the window queued until it has nothing more to say.
inline void runPending(QtWindowLayer& layer, Shell& shell)
{
    for (int round = 0; round < 10; ++round) {
        settle();
        if (layer.pendingMessages() == 0)
            return;
        while (layer.pendingMessages() > 0)
            shell.step();
    }
}

// The trace of a program run by a test, in its own folder: another test
// running beside it holds the working folder's.
inline ShellOptions traceIn(const std::filesystem::path& dir)
{
    ShellOptions options;
    options.tracePath = (dir / "wdr.txt").string();
    return options;
}
inline ShellOptions traceIn(const QTemporaryDir& dir) { return traceIn(dir.path().toStdString()); }

// Starts the program and opens the case the file dialog answers.
inline void startAndOpen(QtWindowLayer& layer, Shell& shell)
{
    shell.startUp();
    runPending(layer, shell);
    Message open;
    open.value1 = 40002;
    shell.handle(kMenuSelect, open);
    runPending(layer, shell);
}

// Takes every message already queued, so the next one is the test's own.
inline void drain(QtWindowLayer& layer)
{
    settle();
    int itype = 0;
    Message msg;
    while (layer.pendingMessages() > 0)
        layer.WMESSAGE(itype, msg);
}

// Reads a case as the program does, without a window. Empty on success,
// else what the passes said.
inline std::string loadCase(const std::string& datafile, int variant, Case& c, RYSUJ& rysuj)
{
    c.dane.variant = variant;
    ScriptedUi quiet; // a dialog asked for is a fault of the case
    const LoadOutcome o = lobus::loadCase(datafile, c, rysuj, quiet, nullptr);
    if (o.end == PassEnd::Failed)
        return o.report;
    return o.end == PassEnd::Completed ? std::string() : "cancelled: " + quiet.boxTexts();
}

} // namespace lobus::test
