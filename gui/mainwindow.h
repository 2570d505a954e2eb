#pragma once
// The program's main window: the menu built from the menu resource, the
// picture in the client area and the status bar with its panes. It turns the
// user's actions into messages handed to `post`; what they mean is the
// shell's business.
//
// Beyond the resource's menu, whose entries keep their texts, places and
// identifiers, the File menu gets Export picture and the recent files after
// its own entries; Open, Save bitmap, Print and Exit get the desktop's
// standard shortcuts; a ".dan" file dropped on the window is opened
// (kOpenFile), as a recent file chosen is.

#include "app/windowlayer.h"
#include "gui/menubuilder.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <vector>

class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QSplitter;

namespace lobus {

class PictureWidget;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    using Post = std::function<void(int type, const Message& msg)>;

    explicit MainWindow(Post post, QWidget* parent = nullptr);

    void buildMenu(int menuId);
    // The action of a menu item or of a submenu's entry; null if unknown.
    QAction* menuAction(int identifier) const;

    // Panes of the status bar. A positive width is the pane's share of the
    // bar in hundredths of a percent (6000: 60 %); -1 takes what is left, up
    // to the right edge.
    void setStatusParts(int parts, const std::vector<int>& widths);
    void setStatusText(int pane, const QString& text); // pane from 1
    QString statusText(int pane) const;
    int statusPaneCount() const { return static_cast<int>(m_panes.size()); }
    QLabel* statusPane(int pane) const;

    PictureWidget* picture() const { return m_picture; }
    // The client area: the picture, and below it what is added (hidden
    // widgets take no room, so alone the picture fills the area).
    QSplitter* splitter() const { return m_splitter; }

    // The recent files' submenu, newest first (at most kMaxRecentFiles).
    void setRecentFiles(const QStringList& files);
    static constexpr int kMaxRecentFiles = 8;

    // While a case is read, a file dropped on the window is refused with a
    // message in the status bar.
    void setReading(bool reading) { m_reading = reading; }

    // From now on the close box closes the window instead of asking the shell.
    void allowClose() { m_closeAllowed = true; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    Post m_post;
    QSplitter* m_splitter = nullptr;
    PictureWidget* m_picture = nullptr;
    MenuIndex m_menu;
    std::vector<QLabel*> m_panes;
    bool m_closeAllowed = false;
    bool m_reading = false;
    QMenu* m_recentMenu = nullptr;

    void addDesktopEntries();
    void postOpenFile(const QString& file);
};

} // namespace lobus
