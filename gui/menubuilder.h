#pragma once
// Builds the main window's menu bar from a menu resource. Items and submenus
// are then reached by their identifiers: items by the identifiers of the
// resource, submenus through the companion list of their positions.

#include <QHash>

#include <functional>

class QAction;
class QMenuBar;

namespace lobus {

struct MenuIndex {
    QHash<int, QAction*> items;    // menu items, by identifier
    QHash<int, QAction*> submenus; // the action that opens each submenu, by identifier
};

// Fills `bar` with menu `menuId`; `triggered` gets the identifier of the item
// the user chooses. Greyed entries of the resource start disabled.
MenuIndex buildMenuBar(QMenuBar* bar, int menuId, std::function<void(int)> triggered);

} // namespace lobus
