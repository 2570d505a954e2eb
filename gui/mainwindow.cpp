#include "gui/mainwindow.h"

#include "dialogs/filename.h"
#include "gui/picturewidget.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QUrl>
#include <QWindowStateChangeEvent>

#include <algorithm>

namespace lobus {

MainWindow::MainWindow(Post post, QWidget* parent)
    : QMainWindow(parent),
      m_post(std::move(post)),
      m_splitter(new QSplitter(Qt::Vertical, this)),
      m_picture(new PictureWidget(m_splitter))
{
    m_splitter->addWidget(m_picture);
    m_splitter->setChildrenCollapsible(false);
    setCentralWidget(m_splitter);
    setAcceptDrops(true);
}

namespace {

// How long a notice stays in the status bar.
constexpr int kNoticeMilliseconds = 6000;

// The first local ".dan" file among the dropped ones, or empty.
QString droppedDataFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString file = url.toLocalFile();
        if (QFileInfo(file).suffix().compare(QLatin1String("dan"), Qt::CaseInsensitive) == 0)
            return file;
    }
    return {};
}

} // namespace

void MainWindow::buildMenu(int menuId)
{
    menuBar()->clear();
    m_menu = buildMenuBar(menuBar(), menuId, [this](int id) {
        Message msg;
        msg.value1 = id;
        m_post(kMenuSelect, msg);
    });
    addDesktopEntries();
}

void MainWindow::addDesktopEntries()
{
    const std::pair<int, QKeySequence::StandardKey> shortcuts[] = {
        {kCmdOpen, QKeySequence::Open},
        {kCmdSaveBitmap, QKeySequence::Save},
        {kCmdPrint, QKeySequence::Print},
        {kCmdExit, QKeySequence::Quit},
    };
    for (const auto& [id, key] : shortcuts)
        if (QAction* action = m_menu.items.value(id))
            action->setShortcuts(key);

    QAction* fileMenu = m_menu.submenus.value(kMenuFile);
    if (!fileMenu || !fileMenu->menu())
        return;
    QMenu* file = fileMenu->menu();
    file->addSeparator();
    QAction* exportPicture = file->addAction(tr("&Eksportuj rysunek…"));
    connect(exportPicture, &QAction::triggered, this, [this] {
        Message msg;
        msg.value1 = kCmdExportPicture;
        m_post(kMenuSelect, msg);
    });
    m_menu.items.insert(kCmdExportPicture, exportPicture);
    // Export draws the case as Save bitmap saves it: both need one.
    if (QAction* saveBitmap = m_menu.items.value(kCmdSaveBitmap)) {
        exportPicture->setEnabled(saveBitmap->isEnabled());
        connect(saveBitmap, &QAction::changed, exportPicture,
                [exportPicture, saveBitmap] { exportPicture->setEnabled(saveBitmap->isEnabled()); });
    }
    m_recentMenu = file->addMenu(tr("Os&tatnio otwierane"));
    m_menu.submenus.insert(kMenuRecentFiles, m_recentMenu->menuAction());
    setRecentFiles({});
}

void MainWindow::setRecentFiles(const QStringList& files)
{
    if (!m_recentMenu)
        return;
    m_recentMenu->clear();
    int n = 0;
    for (const QString& file : files) {
        if (n == kMaxRecentFiles)
            break;
        ++n;
        // "&1 name" .. "&8 name"; a "&" of the name itself is doubled.
        QString shown = file;
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(n).arg(shown));
        action->setData(file);
        connect(action, &QAction::triggered, this, [this, file] { postOpenFile(file); });
    }
    m_recentMenu->menuAction()->setEnabled(n > 0);
}

void MainWindow::postOpenFile(const QString& file)
{
    Message msg;
    msg.text = fileSystemName(file);
    m_post(kOpenFile, msg);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedDataFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString file = droppedDataFile(event->mimeData());
    if (file.isEmpty())
        return;
    if (m_reading) {
        event->ignore();
        statusBar()->showMessage(tr("Trwa odczyt przypadku - upuszczony zbiór %1 nie został otwarty.")
                                     .arg(QFileInfo(file).fileName()),
                                 kNoticeMilliseconds);
        return;
    }
    event->acceptProposedAction();
    postOpenFile(file);
}

QAction* MainWindow::menuAction(int identifier) const
{
    if (QAction* item = m_menu.items.value(identifier))
        return item;
    return m_menu.submenus.value(identifier);
}

void MainWindow::setStatusParts(int parts, const std::vector<int>& widths)
{
    for (QLabel* pane : m_panes) {
        statusBar()->removeWidget(pane);
        delete pane;
    }
    m_panes.clear();

    const int count = std::max(0, std::min<int>(parts, static_cast<int>(widths.size())));
    int fixed = 0;
    for (int i = 0; i < count; ++i)
        if (widths[i] > 0)
            fixed += widths[i];
    for (int i = 0; i < count; ++i) {
        auto* pane = new QLabel(statusBar());
        pane->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        pane->setTextFormat(Qt::PlainText);
        // Long texts are cut, they never widen the window.
        pane->setMinimumWidth(1);
        pane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        const int stretch = widths[i] > 0 ? widths[i] : std::max(1, 10000 - fixed);
        statusBar()->addWidget(pane, stretch);
        m_panes.push_back(pane);
    }
}

QLabel* MainWindow::statusPane(int pane) const
{
    if (pane < 1 || pane > static_cast<int>(m_panes.size()))
        return nullptr;
    return m_panes[static_cast<std::size_t>(pane - 1)];
}

void MainWindow::setStatusText(int pane, const QString& text)
{
    if (QLabel* label = statusPane(pane))
        label->setText(text);
}

QString MainWindow::statusText(int pane) const
{
    QLabel* label = statusPane(pane);
    return label ? label->text() : QString();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_closeAllowed) {
        event->accept();
        return;
    }
    // The shell decides; it ends the program with WINDOWCLOSE.
    event->ignore();
    m_post(kCloseRequest, Message {});
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized))
            m_post(kExpose, Message {});
    }
}

} // namespace lobus
