#include <zelmtools/dialogs/PopupMenu.h>
#include <zelmtools/framework/core/CException.h>
#include <zelmtools/framework/windows/CWnd.h>
#include <zelmtools/framework/windows/Cursor.h>

CPopupMenu::CPopupMenu(UINT nIDResource, CWnd* pWnd) : m_pWnd(pWnd)
{
    Init(MAKEINTRESOURCEA(nIDResource));
}

CPopupMenu::CPopupMenu(const char* lpszResourceName, CWnd* pWnd) : m_pWnd(pWnd)
{
    Init(lpszResourceName);
}

CPopupMenu::~CPopupMenu()
{
    Detach();  // a part of the loaded menu, which goes with it
    if (m_hMenuResource) ::DestroyMenu(m_hMenuResource);
}

// A failure leaves the loaded menu attached, so that the base class frees it.
void CPopupMenu::Init(const char* lpszResourceName)
{
    if (!LoadMenu(lpszResourceName)) AfxThrowResourceException();
    HMENU popup = ::GetSubMenu(m_hMenu, 0);
    if (popup == nullptr) AfxThrowResourceException();
    m_hMenuResource = Detach();
    Attach(popup);
}

int CPopupMenu::Track(UINT nFlags, int x, int y)
{
    return TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON | nFlags, x + 1, y + 1, m_pWnd);
}

void CPopupMenu::ExecuteSelectedCommand()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    ExecuteSelectedCommand(cursor.x, cursor.y);
}

void CPopupMenu::ExecuteSelectedCommand(int x, int y)
{
    Track(0, x, y);
}

int CPopupMenu::ReturnSelectedCommand()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    return ReturnSelectedCommand(cursor.x, cursor.y);
}

int CPopupMenu::ReturnSelectedCommand(int x, int y)
{
    return Track(TPM_RETURNCMD, x, y);
}
