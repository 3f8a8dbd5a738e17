// Window classes and windows made from them. A class only names a set of attributes
// here: the windows that the library makes from classes are hidden, so the cursor,
// brush and icon are kept for the record and not drawn.
#include <cstdio>
#include <mutex>
#include <set>
#include <string>

#include <zelmtools/framework/windows/CWnd.h>
#include <zelmtools/platform/base/errors.h>

#include "framework/messages/MessageQueue.h"
#include "platform/user/window_styles.h"

namespace {

constexpr LONG ERROR_CANNOT_FIND_WND_CLASS = 1407;

struct ClassTable {
    std::mutex lock;
    std::set<std::string> names;  // nodes never move: their texts stay valid
};

ClassTable& Classes()
{
    static ClassTable* table = new ClassTable;  // class names outlive every static window
    return *table;
}

}  // namespace

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One name per set of attributes, so that registering the same class again is harmless.
    char name[128];
    std::snprintf(name, sizeof name, "ZelmWnd:%x:%p:%p:%p", nClassStyle, static_cast<void*>(hCursor),
                  static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    auto& table = Classes();
    std::lock_guard guard(table.lock);
    return table.names.emplace(name).first->c_str();
}

BOOL AfxIsWndClassRegistered(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr) return FALSE;
    auto& table = Classes();
    std::lock_guard guard(table.lock);
    return table.names.count(lpszClassName) != 0 ? TRUE : FALSE;
}

BOOL CWnd::CreateEx(DWORD, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int, int, int, int,
                    HWND hWndParent, HMENU, LPVOID)
{
    if (m_hWnd != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!AfxIsWndClassRegistered(lpszClassName)) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return FALSE;
    }
    // Shown and child windows need a widget of their class, which no caller asks for yet.
    if ((dwStyle & (WS_VISIBLE | WS_CHILD)) != 0 || hWndParent != nullptr) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    AttachNewHandle();
    zelm::framework::SetWindowIdentity(m_hWnd, lpszClassName, lpszWindowName);
    if (WindowProc(WM_CREATE, 0, 0) == -1) {
        DestroyWindow();
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}
