#pragma once
// Menus: menu resources loaded by handle, their submenus and items, and popup menus
// tracked at a screen point for an owner window; CMenu is the framework's object over
// a menu handle.

#include <zelmtools/framework/core/CObject.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

class CWnd;

// TrackPopupMenu: where the point is on the menu, which buttons choose, and whether the
// choice is returned instead of sent to the owner as WM_COMMAND.
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

// Item states and kinds (GetMenuState).
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_SEPARATOR = 0x0800;

// The menu resource (RT_MENU) of the module, or null with ERROR_RESOURCE_NAME_NOT_FOUND
// (or ERROR_RESOURCE_DATA_NOT_FOUND when its text is not a menu). Free it with DestroyMenu.
ZELM_API HMENU LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName);
#define LoadMenu LoadMenuA
// An empty popup menu; items come from AppendMenuA.
ZELM_API HMENU CreatePopupMenu();
// Adds an item at the end: a command (uIDNewItem), a separator (MF_SEPARATOR) or a
// submenu (MF_POPUP, uIDNewItem its handle, which the menu then owns).
ZELM_API BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
#define AppendMenu AppendMenuA
// Destroys the menu and the submenus it holds.
ZELM_API BOOL DestroyMenu(HMENU hMenu);
ZELM_API BOOL IsMenu(HMENU hMenu);
// The submenu at the position, or null when that item opens none.
ZELM_API HMENU GetSubMenu(HMENU hMenu, int nPos);
// -1 for a handle that is not a menu.
ZELM_API int GetMenuItemCount(HMENU hMenu);
// The command of the item at the position; 0 for a separator, -1 (as UINT) for a submenu.
ZELM_API UINT GetMenuItemID(HMENU hMenu, int nPos);
// Copies the item's text (with its "&") and returns its length in bytes; 0 when missing.
ZELM_API int GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags);
#define GetMenuString GetMenuStringA
// The MF_ flags of the item, or -1 (as UINT) when there is no such item.
ZELM_API UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags);

// Shows the popup menu at the screen point (x, y), aligned as the flags say, until the
// user chooses an item or dismisses it. The owner must be a window of the calling thread.
// Without TPM_RETURNCMD a chosen command is posted to the owner as WM_COMMAND (its
// identifier in the low word of wParam) and the result is non-zero; with it the result is
// the chosen identifier, 0 when none. FALSE (no menu shown) for a bad menu or owner.
ZELM_API BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd, const RECT* prcRect);

class ZELM_API CMenu : public CObject {
public:
    CMenu() = default;
    // Destroys the menu it holds, if any.
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    // The menu resource found through the resource chain (the application's first).
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(LPCSTR lpszResourceName);
    BOOL CreatePopupMenu();
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
    BOOL DestroyMenu();

    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;

    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
};
