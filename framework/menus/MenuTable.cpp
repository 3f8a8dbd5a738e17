#include "framework/menus/MenuTable.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace zelm::framework {

namespace {

struct Table {
    std::mutex lock;
    std::unordered_set<const Menu*> live;  // every menu, submenus included
    std::unordered_map<const Menu*, std::unique_ptr<Menu>> topLevel;
};

// Never destroyed: menus may be freed from static destructors.
Table& TheTable()
{
    static auto* table = new Table;
    return *table;
}

}  // namespace

Menu::Menu()
{
    std::lock_guard guard(TheTable().lock);
    TheTable().live.insert(this);
}

Menu::~Menu()
{
    std::lock_guard guard(TheTable().lock);
    TheTable().live.erase(this);
}

HMENU AddMenu(std::unique_ptr<Menu> menu)
{
    Menu* raw = menu.get();
    std::lock_guard guard(TheTable().lock);
    TheTable().topLevel.emplace(raw, std::move(menu));
    return HandleOf(raw);
}

Menu* FindMenu(HMENU hMenu)
{
    auto* menu = reinterpret_cast<Menu*>(hMenu);
    std::lock_guard guard(TheTable().lock);
    return TheTable().live.count(menu) ? menu : nullptr;
}

std::unique_ptr<Menu> TakeTopMenu(HMENU hMenu)
{
    std::lock_guard guard(TheTable().lock);
    auto it = TheTable().topLevel.find(reinterpret_cast<Menu*>(hMenu));
    if (it == TheTable().topLevel.end()) return nullptr;
    std::unique_ptr<Menu> menu = std::move(it->second);
    TheTable().topLevel.erase(it);
    return menu;
}

bool RemoveMenu(HMENU hMenu)
{
    Menu* menu = FindMenu(hMenu);
    if (menu == nullptr) return false;
    if (Menu* parent = menu->parent) {
        // Destroyed by its item's going.
        std::erase_if(parent->items, [menu](const MenuItem& item) { return item.popup.get() == menu; });
        return true;
    }
    // Freed here, outside the lock that its destructors take.
    return TakeTopMenu(hMenu) != nullptr;
}

}  // namespace zelm::framework
