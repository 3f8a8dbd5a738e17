#pragma once
// The live menus behind their handles. A handle is the menu's address; it is looked up
// before use, so a stale handle fails cleanly. A menu owns its submenus. One menu is
// used by one thread at a time (the thread that shows it).

#include <memory>
#include <string>
#include <vector>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::framework {

struct Menu;

struct MenuItem {
    UINT flags = 0;  // MF_GRAYED, MF_CHECKED, MF_POPUP, MF_SEPARATOR
    UINT id = 0;
    std::string text;             // UTF-8, with "&" before the mnemonic
    std::unique_ptr<Menu> popup;  // the submenu of an MF_POPUP item
};

struct Menu {
    Menu();
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    Menu* parent = nullptr;
    std::vector<MenuItem> items;
};

inline HMENU HandleOf(Menu* menu)
{
    return reinterpret_cast<HMENU>(menu);
}

// A new top-level menu; it lives until DestroyTopMenu.
HMENU AddMenu(std::unique_ptr<Menu> menu);
// The live menu behind the handle (a top-level menu or a submenu), or null.
Menu* FindMenu(HMENU hMenu);
// Hands a top-level menu over to the caller (to become a submenu), or null.
std::unique_ptr<Menu> TakeTopMenu(HMENU hMenu);
// Destroys the menu with its submenus: a top-level menu is freed, a submenu leaves its
// parent. False for a handle that is not a live menu.
bool RemoveMenu(HMENU hMenu);

}  // namespace zelm::framework
