#include "gui/serieswindows.h"

#include "dialogs/filename.h"
#include "gui/casewatcher.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>

namespace lobus {

SeriesWindows::SeriesWindows(QWidget& mainWindow, QAction& files, QAction& folder, const DialogHooks& hooks,
                             SeriesServices services, std::function<bool()> refreshOn)
    : QObject(&mainWindow),
      m_mainWindow(mainWindow),
      m_hooks(hooks),
      m_services(std::move(services)),
      m_refreshOn(std::move(refreshOn))
{
    connect(&files, &QAction::triggered, this, [this] { choose(false); });
    connect(&folder, &QAction::triggered, this, [this] { choose(true); });
}

// The windows are top-level windows of their own: they go with the main one.
SeriesWindows::~SeriesWindows()
{
    for (const QPointer<SeriesWindow>& w : m_windows)
        delete w.data();
}

void SeriesWindows::choose(bool folder)
{
    FileRequest request;
    request.title = folder ? QCoreApplication::translate("lobus::SeriesWindows", "Folder z serią przypadków")
                           : QCoreApplication::translate("lobus::SeriesWindows", "Seria przypadków");
    request.filter = QCoreApplication::translate("lobus::SeriesWindows", "Dane przypadku (*.dan)");
    request.folder = folder;
    request.initial = m_lastFolder;
    const std::optional<QStringList> chosen = m_hooks.selectFiles
        ? m_hooks.selectFiles(&m_mainWindow, request)
        : systemSelectFiles(&m_mainWindow, request);
    if (!chosen || chosen->isEmpty())
        return;
    const QFileInfo first(chosen->front());
    m_lastFolder = folder ? first.absoluteFilePath() : first.absolutePath();
    std::vector<std::string> arguments;
    for (const QString& name : *chosen)
        arguments.push_back(fileSystemName(name));
    open(arguments);
}

SeriesWindow* SeriesWindows::open(const std::vector<std::string>& arguments)
{
    auto* window = new SeriesWindow(arguments, m_services, m_hooks);
    auto* settler = new FileSettler(window, [this, window] {
        if (m_refreshOn && m_refreshOn())
            window->refreshChanged();
    });
    connect(window, &SeriesWindow::casesRead, settler,
            [window, settler] { settler->setFiles(window->files()); });
    window->setShownFile(m_shown);
    std::erase_if(m_windows, [](const QPointer<SeriesWindow>& w) { return w.isNull(); });
    m_windows.emplace_back(window);
    window->show();
    return window;
}

void SeriesWindows::caseShown(const std::string& datafile)
{
    m_shown = datafile;
    for (const QPointer<SeriesWindow>& w : m_windows)
        if (w)
            w->setShownFile(datafile);
}

std::vector<SeriesWindow*> SeriesWindows::windows() const
{
    std::vector<SeriesWindow*> open;
    for (const QPointer<SeriesWindow>& w : m_windows)
        if (w)
            open.push_back(w.data());
    return open;
}

} // namespace lobus
