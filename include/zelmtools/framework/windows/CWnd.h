#pragma once
// A window object: a handle that messages are sent and posted to, handled through the
// object's message map on the thread that created the window.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/core/CCmdTarget.h>
#include <zelmtools/framework/messages/Messaging.h>

class QEventLoop;
class QWidget;
class CDC;
class CDataExchange;
class CString;

namespace zelm::framework {
struct SubclassChain;
}

// Registers (once) a window class with these attributes and returns its name, valid
// for the life of the process.
ZELM_API LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                                    HICON hIcon = nullptr);
// Whether a class of that name has been registered.
ZELM_API BOOL AfxIsWndClassRegistered(LPCSTR lpszClassName);

class ZELM_API CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)

public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    // The object behind a handle of this process, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    static CWnd* FromHandle(HWND hWnd) { return FromHandlePermanent(hWnd); }

    // Takes over the messages of an existing window of the calling thread: they reach
    // this object's WindowProc first, and what it leaves goes on to the previous object
    // through DefWindowProc. FALSE when this object already has a window or the handle
    // is not a window of this thread. The object lets go when the window is destroyed.
    BOOL SubclassWindow(HWND hWnd);
    // Hands the messages back to the previous object; the handle, or null when this
    // object has not subclassed a window.
    HWND UnsubclassWindow();

    // A window without pixels that only receives messages, owned by the calling thread.
    BOOL CreateMessageOnlyWindow();
    // A window of a class registered with AfxRegisterWndClass, owned by the calling
    // thread; it gets WM_CREATE (-1 from it fails the creation). Hidden top-level
    // windows only (no WS_VISIBLE, WS_CHILD or parent): they receive messages and timers
    // and have no pixels. FALSE with the last error set when it cannot be made.
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y, int nWidth,
                  int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // WM_TIMER every nElapse milliseconds; call on the window's own thread.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Handles this thread's messages until EndModalLoop; returns its result.
    virtual int RunModalLoop();
    virtual void EndModalLoop(int nResult);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Operations on a window that has a widget (dialogs and their controls).
    virtual CWnd* GetDlgItem(int nID) const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetWindowText(LPCSTR lpszString);
    void GetWindowText(CString& rString) const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsIconic() const;
    void GetClientRect(LPRECT lpRect) const;
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void UpdateWindow();
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    CWnd* SetFocus();
    // A device context on the window's own pixels; give it back with ReleaseDC.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);
    // Moves data between the controls and the fields; false when a check failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Every message of the window arrives here: the message map first, then DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    // The toolkit widget that shows the window; null for message-only windows.
    QWidget* m_pWidget = nullptr;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Default painting: the window's pixels as they are.
    void OnPaint() {}
    HCURSOR OnQueryDragIcon() { return nullptr; }

    QEventLoop* m_pModalLoop = nullptr;
    int m_nModalResult = 0;

    // Gives this object a handle owned by the calling thread (window classes call it
    // when they create their window).
    void AttachNewHandle();
    // Called after the window is gone; the place for an object to delete itself.
    virtual void PostNcDestroy() {}

    DECLARE_MESSAGE_MAP()

private:
    // The object this one took the window over from (subclassing), or null.
    CWnd* m_pSuperWnd = nullptr;
    friend struct zelm::framework::SubclassChain;
};
