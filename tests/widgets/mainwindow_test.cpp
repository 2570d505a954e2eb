// The main window as the program opens it: menu, status bar, window options
// and the messages the window sends.

#include "gui/mainwindow.h"
#include "gui/picturewidget.h"
#include "layerfixture.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

namespace lobus::test {
namespace {

struct Item {
    int id;
    const char* text;
    bool enabled;
};

TEST(MainWindow, MenuHasTheResourceTextsIdentifiersAndGreyedStates)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow());
    MainWindow* window = layer.window();
    ASSERT_NE(window, nullptr);

    // The program's two menus come first; a third of extras may follow.
    const QList<QAction*> top = window->menuBar()->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[0]->text(), QStringLiteral("&Plik"));
    EXPECT_EQ(top[1]->text(), QStringLiteral("&Widok"));
    EXPECT_EQ(window->menuAction(40001), top[0]);
    EXPECT_EQ(window->menuAction(40006), top[1]);

    const Item items[] = {
        {40002, "&Otwórz", true},           {40003, "&Zapisz mapę bitową", false},
        {40004, "&Drukuj rysunek", false},  {40005, "&Zakończ", true},
        {40007, "&Skala rysunku", true},    {40008, "Skala  &ciśnień", true},
        {40016, "Skala &temperatur", true}, {40009, "&Kolory", true},
        {40010, "Klin nr &1", false},       {40011, "Klin nr &2", false},
        {40012, "Klin nr &3", false},       {40013, "Klin nr &4", false},
        {40014, "Klin nr &5", false},       {40015, "Klin nr &6", false},
    };
    for (const Item& item : items) {
        QAction* action = window->menuAction(item.id);
        ASSERT_NE(action, nullptr) << item.id;
        EXPECT_EQ(action->text(), QString::fromUtf8(item.text)) << item.id;
        EXPECT_EQ(action->isEnabled(), item.enabled) << item.id;
    }

    // The order of the View menu, the separator before the colours included.
    const QList<QAction*> view = top[1]->menu()->actions();
    ASSERT_EQ(view.size(), 5);
    EXPECT_EQ(view[2], window->menuAction(40016));
    EXPECT_TRUE(view[3]->isSeparator());
    EXPECT_EQ(view[4], window->menuAction(40009));
    EXPECT_EQ(view[4]->menu()->actions().size(), 6);
}

TEST(MainWindow, MenuStatesFollowEnabledAndCheckedIgnoringTheRest)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow());
    MainWindow* window = layer.window();

    layer.WMENUSETSTATE(40009, 1, 0); // a submenu, by its own identifier
    EXPECT_FALSE(window->menuAction(40009)->isEnabled());
    layer.WMENUSETSTATE(40009, 1, 1);
    EXPECT_TRUE(window->menuAction(40009)->isEnabled());

    layer.WMENUSETSTATE(40003, 1, 1);
    EXPECT_TRUE(window->menuAction(40003)->isEnabled());

    layer.WMENUSETSTATE(40004, 2, 1);
    EXPECT_TRUE(window->menuAction(40004)->isChecked());
    layer.WMENUSETSTATE(40004, 2, 0);
    EXPECT_FALSE(window->menuAction(40004)->isChecked());

    // Unknown properties, values and identifiers change nothing.
    layer.WMENUSETSTATE(40002, 3, 0);
    layer.WMENUSETSTATE(40002, 1, 5);
    layer.WMENUSETSTATE(49999, 1, 0);
    EXPECT_TRUE(window->menuAction(40002)->isEnabled());
    EXPECT_FALSE(window->menuAction(40002)->isChecked());
}

TEST(MainWindow, OpensMaximisedWithTitleAndBoxes)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow(47));
    settle();
    MainWindow* window = layer.window();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Graficzna interpretacja danych i wyników programu MERANT"));
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_NE(window->findChild<QStatusBar*>(), nullptr);

    // Showing the window asks for a picture: one expose, and a resize for
    // the maximised size, each queued once however often Qt reports it.
    int exposes = 0;
    int resizes = 0;
    int itype = 0;
    Message msg;
    while (layer.pendingMessages() > 0) {
        layer.WMESSAGE(itype, msg);
        exposes += itype == kExpose;
        resizes += itype == kResize;
    }
    EXPECT_EQ(exposes, 1);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(layer.picture().size(), window->picture()->deviceSize()); // device pixels
}

TEST(MainWindow, ZeroSizeMeansEightyPercentOfTheScreenCentred)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow(1 + 2 + 4 + 32)); // not maximised
    settle();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = layer.window()->geometry();
    EXPECT_NEAR(frame.width(), screen.width() * 0.8, 2);
    EXPECT_NEAR(frame.height(), screen.height() * 0.8, 2);
    EXPECT_NEAR(frame.center().x(), screen.center().x(), 2);
    EXPECT_NEAR(frame.center().y(), screen.center().y(), 2);
}

TEST(MainWindow, StatusBarHasTwoPanesTheFirstSixtyPercent)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow());
    layer.WINDOWSTATUSBARPARTS(2, {6000, -1});
    layer.WINDOWOUTSTATUSBAR(1, "/dane/PRZYKLAD/DANE/lozysko.dan");
    layer.WINDOWOUTSTATUSBAR(2, "drugi");
    layer.WINDOWOUTSTATUSBAR(3, "nie ma"); // no such pane: ignored
    settle();

    MainWindow* window = layer.window();
    ASSERT_EQ(window->statusPaneCount(), 2);
    EXPECT_EQ(window->statusText(1), QStringLiteral("/dane/PRZYKLAD/DANE/lozysko.dan"));
    EXPECT_EQ(window->statusText(2), QStringLiteral("drugi"));

    const QStatusBar* bar = window->statusBar();
    const QLabel* first = window->statusPane(1);
    const QLabel* second = window->statusPane(2);
    const double share = double(first->width()) / (first->width() + second->width());
    EXPECT_NEAR(share, 0.6, 0.02);
    // The second pane reaches the right edge (up to the size grip's room).
    EXPECT_GE(second->geometry().right(), bar->width() - 30);
    EXPECT_GT(second->geometry().left(), first->geometry().right());
}

TEST(MainWindow, MenuCloseBoxAndResizeBecomeMessages)
{
    QtWindowLayer layer;
    layer.WINDOWOPEN(programWindow());
    drain(layer);

    int itype = 0;
    Message msg;
    layer.window()->menuAction(40002)->trigger();
    layer.WMESSAGE(itype, msg);
    EXPECT_EQ(itype, kMenuSelect);
    EXPECT_EQ(msg.value1, 40002);

    // The close box asks the shell; the window stays until WINDOWCLOSE.
    layer.window()->close();
    layer.WMESSAGE(itype, msg);
    EXPECT_EQ(itype, kCloseRequest);
    EXPECT_TRUE(layer.window()->isVisible());

    // A resize gives a new picture of the client area's size, cleared.
    layer.window()->showNormal();
    layer.window()->resize(640, 480);
    settle();
    bool resized = false;
    while (layer.pendingMessages() > 0) {
        layer.WMESSAGE(itype, msg);
        resized = resized || itype == kResize;
    }
    EXPECT_TRUE(resized);
    const QImage& picture = layer.picture();
    EXPECT_EQ(picture.size(), layer.window()->picture()->deviceSize());
    const QColor background(Graphics::background().r, Graphics::background().g, Graphics::background().b);
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, picture.height() / 2), background);

    layer.WINDOWCLOSE();
    EXPECT_EQ(layer.window(), nullptr);
    // Without a window no message can come: the program is told to end.
    layer.WMESSAGE(itype, msg);
    EXPECT_EQ(itype, kCloseRequest);
}

} // namespace
} // namespace lobus::test
