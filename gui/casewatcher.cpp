#include "gui/casewatcher.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>

namespace lobus {

namespace {

constexpr int kStepMs = 100;
constexpr int kSettledMs = 300; // the sizes stay this long before the files count as written

} // namespace

FileSettler::FileSettler(QObject* parent, std::function<void()> settled)
    : QObject(parent), m_settled(std::move(settled))
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString&) { touched(); });
    m_timer.setInterval(kStepMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { check(); });
}

void FileSettler::setFiles(const std::vector<std::string>& files)
{
    QStringList wanted;
    for (const std::string& f : files)
        if (!f.empty() && !wanted.contains(QString::fromStdString(f)))
            wanted << QString::fromStdString(f);
    if (wanted == m_files)
        return;
    m_timer.stop();
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    m_files = wanted;
    if (!m_files.isEmpty())
        m_watcher.addPaths(m_files);
}

void FileSettler::touched()
{
    m_last = fileStamps(m_files);
    m_stableMs = 0;
    m_timer.start();
}

void FileSettler::check()
{
    FileStamps now = fileStamps(m_files);
    if (now != m_last) {
        m_last = std::move(now);
        m_stableMs = 0;
        return;
    }
    m_stableMs += kStepMs;
    if (m_stableMs < kSettledMs)
        return;
    m_timer.stop();
    // A file renamed over the old one is a new file: watch it again.
    const QStringList watched = m_watcher.files();
    for (const QString& f : m_files)
        if (!watched.contains(f) && QFileInfo::exists(f))
            m_watcher.addPath(f);
    if (m_settled)
        m_settled();
}

CaseWatcher::CaseWatcher(QMenu& menu, bool on, std::function<void(bool)> remember,
                         std::function<void()> changed, std::function<void()> comparedChanged)
    : QObject(&menu)
{
    menu.addSeparator();
    m_action = menu.addAction(
        QCoreApplication::translate("lobus::CaseWatcher", "Czytaj ponownie po zmianie plików"));
    m_action->setCheckable(true);
    m_action->setChecked(on);
    connect(m_action, &QAction::toggled, this, [remember = std::move(remember)](bool checked) {
        if (remember)
            remember(checked);
    });
    const auto whenOn = [this](std::function<void()> f) {
        return [this, f = std::move(f)] {
            if (m_action->isChecked() && f)
                f();
        };
    };
    m_settler = new FileSettler(this, whenOn(std::move(changed)));
    m_compared = new FileSettler(this, whenOn(std::move(comparedChanged)));
}

} // namespace lobus
