#include <zelmtools/framework/windows/CWnd.h>

#include <QEventLoop>

#include "framework/windows/WindowFont.h"
#include "framework/messages/MessageQueue.h"

IMPLEMENT_DYNAMIC(CWnd, CObject)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd()
{
    // A subclassing object gives the window back; only the window's own object ends it.
    if (m_pSuperWnd != nullptr)
        UnsubclassWindow();
    else if (m_hWnd != nullptr)
        zelm::framework::UnregisterWindow(m_hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return zelm::framework::WindowFromHandle(hWnd); }

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd != nullptr || hWnd == nullptr) return FALSE;
    CWnd* previous = zelm::framework::WindowFromHandle(hWnd);
    if (previous == nullptr || previous == this) return FALSE;
    if (!zelm::framework::SwapWindowObject(hWnd, previous, this)) return FALSE;
    m_pSuperWnd = previous;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pSuperWnd == nullptr) return nullptr;
    HWND hWnd = m_hWnd;
    if (!zelm::framework::SwapWindowObject(hWnd, this, m_pSuperWnd)) {
        // Another object subclassed the window after this one: leave the chain in the middle.
        for (CWnd* wnd = zelm::framework::WindowFromHandle(hWnd); wnd != nullptr; wnd = wnd->m_pSuperWnd)
            if (wnd->m_pSuperWnd == this) {
                wnd->m_pSuperWnd = m_pSuperWnd;
                break;
            }
    }
    m_pSuperWnd = nullptr;
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::CreateMessageOnlyWindow()
{
    if (m_hWnd != nullptr) return FALSE;
    AttachNewHandle();
    return TRUE;
}

void CWnd::AttachNewHandle() { m_hWnd = zelm::framework::RegisterWindow(this); }

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr) return FALSE;
    WindowProc(WM_DESTROY, 0, 0);
    zelm::framework::UnregisterWindow(m_hWnd);
    m_hWnd = nullptr;
    PostNcDestroy();
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (DispatchMapMessage(message, wParam, lParam, &result)) return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pSuperWnd != nullptr) return m_pSuperWnd->WindowProc(message, wParam, lParam);
    // A window answers the font it shows its text in.
    if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(zelm::framework::FontOfWidget(m_pWidget));
    return 0;
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*)
{
    return zelm::framework::SetWindowTimer(m_hWnd, nIDEvent, nElapse) ? nIDEvent : 0;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return zelm::framework::KillWindowTimer(m_hWnd, nIDEvent); }

int CWnd::RunModalLoop()
{
    QEventLoop loop;
    QEventLoop* outer = m_pModalLoop;
    m_pModalLoop = &loop;
    loop.exec();
    m_pModalLoop = outer;
    return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_pModalLoop) m_pModalLoop->exit(nResult);
}
