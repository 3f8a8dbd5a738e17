#pragma once
// A context menu from a menu resource: the resource's first submenu, shown at the
// mouse cursor or at a screen point for an owner window, which either receives the
// chosen command as WM_COMMAND or has it returned.

#include <zelmtools/framework/menus/CMenu.h>
#include <zelmtools/platform/base/export.h>

class CWnd;

class ZELM_API CPopupMenu : public CMenu {
public:
    // The menu resource with the number (its low 16 bits) or the name, found through the
    // resource chain (the application's first). Throws CResourceException* when there is
    // no such menu or it has no submenu. The owner is not owned and must outlive the
    // showing of the menu.
    CPopupMenu(UINT nIDResource, CWnd* pWnd);
    CPopupMenu(const char* lpszResourceName, CWnd* pWnd);
    // Destroys the loaded menu, its submenus included.
    ~CPopupMenu() override;

    // Shows the menu with its top-left corner one pixel right of and below the cursor
    // (or the point); a chosen command goes to the owner as WM_COMMAND.
    void ExecuteSelectedCommand();
    void ExecuteSelectedCommand(int x, int y);
    // The same, returning the chosen command instead (0 when the menu was dismissed).
    int ReturnSelectedCommand();
    int ReturnSelectedCommand(int x, int y);

protected:
    void Init(const char* lpszResourceName);

    CWnd* m_pWnd;

private:
    int Track(UINT nFlags, int x, int y);

    HMENU m_hMenuResource = nullptr;  // the loaded menu; m_hMenu is its first submenu
};
