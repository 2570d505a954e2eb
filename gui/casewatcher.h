#pragma once
// Watches the shown case's files for the solver writing them anew: once every
// file's size and time have stayed the same for 300 ms it says so, when the
// check item it adds to the extras' menu is on (remembered in the settings).
// A file replaced by renaming another over it is watched again.

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QMenu;

namespace lobus {

class CaseWatcher : public QObject {
public:
    // `remember` keeps the item's state; `changed` is called on the window's
    // thread when the files have settled.
    CaseWatcher(QMenu& menu, bool on, std::function<void(bool)> remember, std::function<void()> changed);
    void setFiles(const std::vector<std::string>& files);
    QAction* action() const { return m_action; }

private:
    using Snapshot = std::vector<std::pair<qint64, qint64>>; // size and time of each file; -1 when gone
    Snapshot snapshot() const;
    void touched();
    void check();

    QAction* m_action = nullptr;
    std::function<void()> m_changed;
    QFileSystemWatcher m_watcher;
    QTimer m_timer;
    QStringList m_files;
    Snapshot m_last;
    int m_stableMs = 0;
};

} // namespace lobus
