// Menus by handle: loading menu resources, building popups, reading their items.
#include <cstring>
#include <string>

#include <zelmtools/framework/menus/CMenu.h>
#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/resources.h>

#include "framework/menus/MenuTable.h"
#include "framework/menus/MenuTemplate.h"
#include "platform/base/utf8.h"

using zelm::framework::FindMenu;
using zelm::framework::Menu;
using zelm::framework::MenuItem;

namespace {

Menu* FindOrFail(HMENU hMenu)
{
    Menu* menu = FindMenu(hMenu);
    if (menu == nullptr) SetLastError(ERROR_INVALID_MENU_HANDLE);
    return menu;
}

// The item by command (searching submenus too) or by position, or null.
MenuItem* FindItem(Menu& menu, UINT uId, UINT flags)
{
    if (flags & MF_BYPOSITION) return uId < menu.items.size() ? &menu.items[uId] : nullptr;
    for (MenuItem& item : menu.items) {
        if (item.popup) {
            if (MenuItem* inner = FindItem(*item.popup, uId, flags)) return inner;
        } else if (!(item.flags & MF_SEPARATOR) && item.id == uId) {
            return &item;
        }
    }
    return nullptr;
}

// Whether the menu is `outer` or one of its submenus: a menu cannot hold itself.
bool IsWithin(const Menu* menu, HMENU outer)
{
    for (; menu != nullptr; menu = menu->parent)
        if (zelm::framework::HandleOf(const_cast<Menu*>(menu)) == outer) return true;
    return false;
}

}  // namespace

HMENU LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName)
{
    HRSRC found = FindResourceA(hInstance, lpMenuName, RT_MENU);
    if (found == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const auto* text = static_cast<const char*>(LockResource(LoadResource(hInstance, found)));
    std::string error;
    auto menu = zelm::framework::ParseMenuTemplate(std::string_view(text, SizeofResource(hInstance, found)), error);
    if (!menu) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return zelm::framework::AddMenu(std::move(menu));
}

HMENU CreatePopupMenu()
{
    return zelm::framework::AddMenu(std::make_unique<Menu>());
}

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    Menu* menu = FindOrFail(hMenu);
    if (menu == nullptr) return FALSE;
    MenuItem item;
    item.flags = uFlags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR);
    if (!(uFlags & MF_SEPARATOR) && lpNewItem) item.text = lpNewItem;
    if (uFlags & MF_POPUP) {
        // The submenu moves from the top-level menus into this one, keeping its handle.
        auto* child = reinterpret_cast<HMENU>(uIDNewItem);
        if (IsWithin(menu, child) || (item.popup = zelm::framework::TakeTopMenu(child)) == nullptr) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return FALSE;
        }
        item.popup->parent = menu;
    } else if (!(uFlags & MF_SEPARATOR)) {
        item.id = static_cast<UINT>(uIDNewItem & 0xFFFF);
    }
    menu->items.push_back(std::move(item));
    return TRUE;
}

BOOL DestroyMenu(HMENU hMenu)
{
    if (zelm::framework::RemoveMenu(hMenu)) return TRUE;
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
}

BOOL IsMenu(HMENU hMenu)
{
    return FindMenu(hMenu) != nullptr;
}

HMENU GetSubMenu(HMENU hMenu, int nPos)
{
    Menu* menu = FindMenu(hMenu);
    if (menu == nullptr || nPos < 0 || static_cast<std::size_t>(nPos) >= menu->items.size()) return nullptr;
    return zelm::framework::HandleOf(menu->items[static_cast<std::size_t>(nPos)].popup.get());
}

int GetMenuItemCount(HMENU hMenu)
{
    Menu* menu = FindOrFail(hMenu);
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int nPos)
{
    Menu* menu = FindMenu(hMenu);
    if (menu == nullptr || nPos < 0 || static_cast<std::size_t>(nPos) >= menu->items.size()) return UINT(-1);
    const MenuItem& item = menu->items[static_cast<std::size_t>(nPos)];
    return item.popup ? UINT(-1) : item.id;
}

int GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags)
{
    Menu* menu = FindOrFail(hMenu);
    MenuItem* item = menu ? FindItem(*menu, uIDItem, flags) : nullptr;
    if (item == nullptr) return 0;
    if (lpString == nullptr || cchMax <= 0) return static_cast<int>(item->text.size());
    std::size_t length =
        zelm::platform::Utf8PrefixLength(item->text.c_str(), item->text.size(), static_cast<std::size_t>(cchMax - 1));
    std::memcpy(lpString, item->text.c_str(), length);
    lpString[length] = '\0';
    return static_cast<int>(length);
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags)
{
    Menu* menu = FindOrFail(hMenu);
    MenuItem* item = menu ? FindItem(*menu, uId, uFlags) : nullptr;
    return item ? item->flags : UINT(-1);
}
