#include "gui/mainwindow.h"

#include "gui/picturewidget.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
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
}

void MainWindow::buildMenu(int menuId)
{
    menuBar()->clear();
    m_menu = buildMenuBar(menuBar(), menuId, [this](int id) {
        Message msg;
        msg.value1 = id;
        m_post(kMenuSelect, msg);
    });
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
