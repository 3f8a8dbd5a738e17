#pragma once
// A thread with its own message loop. Created from its class, possibly suspended; it
// runs InitInstance, then its message loop (Run) until a quit message, then
// ExitInstance, and deletes its object when it ends (auto-delete).

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/core/CCmdTarget.h>
#include <zelmtools/platform/user/window_messages.h>

class CWnd;
struct SECURITY_ATTRIBUTES;

constexpr DWORD CREATE_SUSPENDED = 0x4;
constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
constexpr int THREAD_PRIORITY_HIGHEST = 2;

namespace zelm::framework {
class ThreadRunner;
}

class ZELM_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)

public:
    CWinThread();
    ~CWinThread() override;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Sets the thread up with its message queue; with CREATE_SUSPENDED it waits for
    // ResumeThread before it runs. Needs the application's Qt core object.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, SECURITY_ATTRIBUTES* lpSecurityAttrs = nullptr);
    // Lets a suspended thread run; returns the previous suspend count (1, or 0 when it
    // was running already), or (DWORD)-1 when there is no thread.
    DWORD ResumeThread();
    BOOL SetThreadPriority(int nPriority);
    int GetThreadPriority() const { return m_nPriority; }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop: dispatches thread messages through the message map until a
    // quit message arrives, then returns ExitInstance's result.
    virtual int Run();
    // A posted thread message before it is dispatched; true when it has been handled.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Deletes the object when m_bAutoDelete is set (called when the thread ends).
    virtual void Delete();

    BOOL m_bAutoDelete = TRUE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    CWnd* m_pMainWnd = nullptr;

private:
    friend class zelm::framework::ThreadRunner;
    void DispatchThreadMessage(MSG& msg);
    zelm::framework::ThreadRunner* m_pRunner = nullptr;
    int m_nPriority = THREAD_PRIORITY_NORMAL;
};

// Creates a thread object from its class and starts (or, suspended, sets up) its thread.
ZELM_API CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, SECURITY_ATTRIBUTES* lpSecurityAttrs = nullptr);

namespace zelm::framework {

// Waits until every framework thread has ended, handling messages sent to the calling
// thread's windows meanwhile (a thread that is ending may still be sending to us).
ZELM_API void WaitForFrameworkThreads();

}  // namespace zelm::framework
