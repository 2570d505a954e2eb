#include "gui/menubuilder.h"

#include "resources/resources.h"
#include "translations/language.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <map>
#include <memory>
#include <vector>

namespace lobus {
namespace {

using Path = std::vector<int>;

struct Builder {
    MenuIndex index;
    std::map<Path, QAction*> byPath; // every entry by its position, for the companion list
    // Shared by the items' connections, which outlive the builder.
    std::shared_ptr<std::function<void(int)>> triggered;

    void addEntries(QWidget* owner, const std::vector<MenuEntry>& entries, Path path)
    {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const MenuEntry& entry = entries[i];
            Path here = path;
            here.push_back(static_cast<int>(i));
            QAction* action = nullptr;
            if (entry.separator) {
                action = new QAction(owner);
                action->setSeparator(true);
                owner->addAction(action);
            } else if (!entry.items.empty()) {
                auto* menu = new QMenu(resourceText(entry.text), owner);
                action = menu->menuAction();
                owner->addAction(action);
                addEntries(menu, entry.items, here);
                if (entry.id != 0)
                    index.submenus.insert(entry.id, action);
            } else {
                action = new QAction(resourceText(entry.text), owner);
                const int id = entry.id;
                QObject::connect(action, &QAction::triggered, action,
                                 [triggered = triggered, id] { (*triggered)(id); });
                owner->addAction(action);
                if (id != 0)
                    index.items.insert(id, action);
            }
            action->setEnabled(!entry.greyed);
            byPath[here] = action;
        }
    }
};

} // namespace

MenuIndex buildMenuBar(QMenuBar* bar, int menuId, std::function<void(int)> triggered)
{
    Builder builder;
    builder.triggered = std::make_shared<std::function<void(int)>>(std::move(triggered));
    builder.addEntries(bar, menuResource(menuId), {});
    for (const auto& [id, position] : submenuPositions(menuId)) {
        auto it = builder.byPath.find(position);
        if (it != builder.byPath.end())
            builder.index.submenus.insert(id, it->second);
    }
    return builder.index;
}

} // namespace lobus
