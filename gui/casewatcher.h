#pragma once
// Watching files that a solver writes anew: a FileSettler says when they have
// settled, once every file's size and time have stayed the same for 300 ms; a
// file replaced by renaming another over it is watched again. The
// CaseWatcher watches the shown case's files so, and those of the case
// compared with it, when the check item it adds to the extras' menu is on
// (remembered in the settings); the series windows follow the same item.

#include "dialogs/filename.h"

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

class FileSettler : public QObject {
public:
    // `settled` is called on the window's thread once the files written have settled.
    FileSettler(QObject* parent, std::function<void()> settled);
    void setFiles(const std::vector<std::string>& files);

private:
    void touched();
    void check();

    std::function<void()> m_settled;
    QFileSystemWatcher m_watcher;
    QTimer m_timer;
    QStringList m_files;
    FileStamps m_last; // the files' stamps when last looked at
    int m_stableMs = 0;
};

class CaseWatcher : public QObject {
public:
    // `remember` keeps the item's state; `changed` (the shown case's files)
    // and `comparedChanged` (the compared case's) are called on the window's
    // thread when the files have settled.
    CaseWatcher(QMenu& menu, bool on, std::function<void(bool)> remember, std::function<void()> changed,
                std::function<void()> comparedChanged = {});
    void setFiles(const std::vector<std::string>& files) { m_settler->setFiles(files); }
    // The compared case's files; none while nothing is compared.
    void setComparedFiles(const std::vector<std::string>& files) { m_compared->setFiles(files); }
    QAction* action() const { return m_action; }

private:
    QAction* m_action = nullptr;
    FileSettler* m_settler = nullptr;
    FileSettler* m_compared = nullptr;
};

} // namespace lobus
