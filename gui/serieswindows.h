#pragma once
// The series windows of the main window. "Seria przypadków…" asks for ".dan"
// files and "Seria przypadków z folderu…" for a folder of cases; each opens a
// series window over them. A window's clicks show a case in the main window
// by the road a dropped file takes; the case the main window shows is
// highlighted in every window. A window's files are watched as the shown
// case's are: once they settle, and while the extras' menu's reading again is
// on, the cases that changed are read again.

#include "dialogs/dialoghooks.h"
#include "serieswindow/serieswindow.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QWidget;

namespace lobus {

class SeriesWindows : public QObject {
public:
    // `files` and `folder` are the two menu entries; `refreshOn` says
    // whether changed files are to be read again. The hooks must outlive
    // this.
    SeriesWindows(QWidget& mainWindow, QAction& files, QAction& folder, const DialogHooks& hooks,
                  SeriesServices services, std::function<bool()> refreshOn);
    ~SeriesWindows() override;

    // A window over the cases of `arguments` (".dan" files and folders).
    SeriesWindow* open(const std::vector<std::string>& arguments);
    // The main window shows the case of `datafile` now.
    void caseShown(const std::string& datafile);
    std::vector<SeriesWindow*> windows() const;

private:
    void choose(bool folder);

    QWidget& m_mainWindow;
    const DialogHooks& m_hooks;
    SeriesServices m_services;
    std::function<bool()> m_refreshOn;
    std::vector<QPointer<SeriesWindow>> m_windows;
    std::string m_shown;
    QString m_lastFolder; // where the dialogs start
};

} // namespace lobus
