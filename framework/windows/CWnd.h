#pragma once
// A window object: a handle that messages are sent and posted to, handled through the
// object's message map on the thread that created the window.

#include "framework/core/CCmdTarget.h"
#include "framework/messages/Messaging.h"

class QEventLoop;

class CWnd : public CCmdTarget {
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

    // A window without pixels that only receives messages, owned by the calling thread.
    BOOL CreateMessageOnlyWindow();
    virtual BOOL DestroyWindow();

    // WM_TIMER every nElapse milliseconds; call on the window's own thread.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Handles this thread's messages until EndModalLoop; returns its result.
    virtual int RunModalLoop();
    virtual void EndModalLoop(int nResult);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Every message of the window arrives here: the message map first, then DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;

protected:
    QEventLoop* m_pModalLoop = nullptr;
    int m_nModalResult = 0;

    // Gives this object a handle owned by the calling thread (window classes call it
    // when they create their window).
    void AttachNewHandle();
    // Called after the window is gone; the place for an object to delete itself.
    virtual void PostNcDestroy() {}

    DECLARE_MESSAGE_MAP()
};
