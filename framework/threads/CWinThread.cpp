#include <zelmtools/framework/threads/CWinThread.h>

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <mutex>
#include <vector>

#include "framework/messages/MessageQueue.h"
#include <zelmtools/framework/messages/Messaging.h>
#include <zelmtools/platform/base/errors.h>

namespace zelm::framework {

// The operating-system thread behind a CWinThread. It outlives its CWinThread (which
// may delete itself on the thread) and is reclaimed once it has finished.
class ThreadRunner : public QThread {
public:
    ThreadRunner(CWinThread* owner, DWORD threadId) : m_owner(owner), m_threadId(threadId) {}

    void Detach() { m_owner = nullptr; }
    int ExitCode() const { return m_exitCode; }

protected:
    void run() override
    {
        AdoptThreadId(m_threadId);
        CWinThread* owner = m_owner;
        int code = owner->InitInstance() ? owner->Run() : owner->ExitInstance();
        UnregisterThreadQueue(m_threadId);
        if (m_owner != nullptr) {
            m_owner->m_pRunner = nullptr;
            m_owner->Delete();
        }
        m_exitCode = code;
    }

private:
    CWinThread* m_owner;
    DWORD m_threadId;
    int m_exitCode = 0;
};

namespace {

struct Runners {
    std::mutex lock;
    std::vector<ThreadRunner*> all;
    ~Runners() { ReapFinished(true); }

    void Add(ThreadRunner* runner)
    {
        std::lock_guard guard(lock);
        all.push_back(runner);
    }

    // Deletes the runners whose threads have ended; true when none is left running.
    bool ReapFinished(bool waitForAll)
    {
        std::lock_guard guard(lock);
        auto finished = [waitForAll](ThreadRunner* runner) {
            // At exit a thread that was never resumed is dropped with the rest.
            bool started = runner->isRunning() || runner->isFinished();
            if (waitForAll && started) runner->wait();
            if (!runner->isFinished() && !(waitForAll && !started)) return false;
            runner->wait();
            delete runner;
            return true;
        };
        std::erase_if(all, finished);
        return all.empty();
    }
};

Runners& AllRunners()
{
    static Runners runners;
    return runners;
}

QThread::Priority QtPriority(int priority)
{
    if (priority <= THREAD_PRIORITY_LOWEST) return QThread::LowestPriority;
    if (priority == THREAD_PRIORITY_BELOW_NORMAL) return QThread::LowPriority;
    if (priority == THREAD_PRIORITY_ABOVE_NORMAL) return QThread::HighPriority;
    if (priority >= THREAD_PRIORITY_HIGHEST) return QThread::HighestPriority;
    return QThread::NormalPriority;
}

}  // namespace

void WaitForFrameworkThreads()
{
    while (!AllRunners().ReapFinished(false)) {
        if (QCoreApplication::instance() != nullptr)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

}  // namespace zelm::framework

using zelm::framework::ThreadRunner;

IMPLEMENT_DYNAMIC(CWinThread, CObject)

CWinThread::CWinThread() = default;

CWinThread::~CWinThread()
{
    if (m_pRunner != nullptr) m_pRunner->Detach();
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, SECURITY_ATTRIBUTES*)
{
    if (m_pRunner != nullptr || QCoreApplication::instance() == nullptr) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return FALSE;
    }
    zelm::framework::AllRunners().ReapFinished(false);
    m_nThreadID = zelm::framework::AllocateThreadId();
    m_pRunner = new ThreadRunner(this, m_nThreadID);
    if (nStackSize != 0) m_pRunner->setStackSize(nStackSize);
    m_hThread = m_pRunner;
    zelm::framework::RegisterThreadQueue(m_nThreadID, m_pRunner, [this](MSG& msg) { DispatchThreadMessage(msg); });
    zelm::framework::AllRunners().Add(m_pRunner);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) ResumeThread();
    return TRUE;
}

DWORD CWinThread::ResumeThread()
{
    if (m_pRunner == nullptr) return static_cast<DWORD>(-1);
    if (m_pRunner->isRunning() || m_pRunner->isFinished()) return 0;
    m_pRunner->start(zelm::framework::QtPriority(m_nPriority));
    return 1;
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
    m_nPriority = nPriority;
    if (m_pRunner != nullptr && m_pRunner->isRunning())
        m_pRunner->setPriority(zelm::framework::QtPriority(nPriority));
    return TRUE;
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return 0; }

int CWinThread::Run()
{
    zelm::framework::RunMessageLoop();
    return ExitInstance();
}

BOOL CWinThread::PreTranslateMessage(MSG*) { return FALSE; }

void CWinThread::Delete()
{
    if (m_bAutoDelete) delete this;
}

void CWinThread::DispatchThreadMessage(MSG& msg)
{
    if (PreTranslateMessage(&msg)) return;
    DispatchMapMessage(msg.message, msg.wParam, msg.lParam, nullptr);
}

CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                           SECURITY_ATTRIBUTES* lpSecurityAttrs)
{
    CObject* object = pThreadClass ? pThreadClass->CreateObject() : nullptr;
    auto* thread = dynamic_cast<CWinThread*>(object);
    if (thread == nullptr) {
        delete object;
        return nullptr;
    }
    thread->SetThreadPriority(nPriority);
    if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete thread;
        return nullptr;
    }
    if (!(dwCreateFlags & CREATE_SUSPENDED)) thread->ResumeThread();
    return thread;
}
