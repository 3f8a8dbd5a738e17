#include "framework/messages/MessageQueue.h"

#include <map>
#include <QTimerEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>
#include <atomic>
#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <semaphore>
#include <string>
#include <unordered_map>
#include <vector>

#include <zelmtools/framework/messages/Messaging.h>
#include <zelmtools/framework/windows/CWnd.h>
#include <zelmtools/platform/base/errors.h>

namespace zelm::framework {

namespace {

const auto kSentMessage = static_cast<QEvent::Type>(QEvent::registerEventType());
const auto kPostedMessage = static_cast<QEvent::Type>(QEvent::registerEventType());
const auto kQuitMessage = static_cast<QEvent::Type>(QEvent::registerEventType());

// The sender's side of a sent message: released when the message has been handled or
// when it is dropped because its window went away.
struct Completion {
    std::binary_semaphore done{0};
    LRESULT result = 0;
};

// A posted message as PeekMessage sees it in its thread's queue: taking it out there
// marks it, and its event then delivers nothing.
struct PendingPost {
    MSG msg;
    bool taken = false;  // written and read only by the receiving thread
};

class MessageEvent : public QEvent {
public:
    MessageEvent(Type type, const MSG& message, std::shared_ptr<Completion> completion = nullptr)
        : QEvent(type), msg(message), completion(std::move(completion))
    {
    }
    ~MessageEvent() override
    {
        if (completion) completion->done.release();
    }
    bool Taken() const { return pending && pending->taken; }
    MSG msg;
    std::shared_ptr<Completion> completion;
    std::shared_ptr<PendingPost> pending;  // posted messages only
};

// Every thread's posted messages in posting order, for PeekMessage. An entry lives as
// long as its event; delivered and dropped ones are pruned as new ones come in.
struct PostedQueues {
    std::mutex lock;
    std::unordered_map<QThread*, std::deque<std::weak_ptr<PendingPost>>> byThread;
};

PostedQueues& Posted()
{
    static PostedQueues* queues = new PostedQueues;  // used until the last thread ends
    return *queues;
}

// Posts a message event to a port and records it in the port thread's queue.
void PostToPort(QObject* port, QEvent::Type type, const MSG& message)
{
    auto* event = new MessageEvent(type, message);
    event->pending = std::make_shared<PendingPost>(PendingPost{message});
    {
        auto& queues = Posted();
        std::lock_guard guard(queues.lock);
        auto& queue = queues.byThread[port->thread()];
        while (!queue.empty() && queue.front().expired()) queue.pop_front();
        queue.push_back(event->pending);
    }
    QCoreApplication::postEvent(port, event);
}

class WindowPort : public QObject {
public:
    explicit WindowPort(CWnd* window) : m_window(window), m_original(window) {}
    bool event(QEvent* e) override
    {
        if (e->type() != kSentMessage && e->type() != kPostedMessage) return QObject::event(e);
        auto* message = static_cast<MessageEvent*>(e);
        if (message->Taken()) return true;
        LRESULT result = m_window->WindowProc(message->msg.message, message->msg.wParam, message->msg.lParam);
        if (message->completion) message->completion->result = result;
        return true;
    }
    CWnd* window() const { return m_window; }
    CWnd* original() const { return m_original; }
    void SetWindow(CWnd* window) { m_window = window; }
    // The class and name the window was created with (CreateEx); empty otherwise.
    std::string className;
    std::string windowName;
    // Whether the window was made while an application object existed; when it has gone
    // since (static windows at exit), its timers and events went with it.
    const bool madeWithApplication = QCoreApplication::instance() != nullptr;
    bool ApplicationGone() const { return madeWithApplication && QCoreApplication::instance() == nullptr; }

    void StartTimer(UINT_PTR id, UINT milliseconds)
    {
        StopTimer(id);
        m_timers[id] = startTimer(static_cast<int>(milliseconds));
    }
    bool StopTimer(UINT_PTR id)
    {
        auto it = m_timers.find(id);
        if (it == m_timers.end()) return false;
        killTimer(it->second);
        m_timers.erase(it);
        return true;
    }

protected:
    void timerEvent(QTimerEvent* e) override
    {
        for (const auto& [id, qtId] : m_timers)
            if (qtId == e->timerId()) {
                m_window->WindowProc(WM_TIMER, id, 0);
                return;
            }
    }

private:
    CWnd* m_window;    // receives the messages: the original object or the last subclasser
    CWnd* m_original;  // the object the window was created for
    std::map<UINT_PTR, int> m_timers;
};

class ThreadPort : public QObject {
public:
    explicit ThreadPort(ThreadMessageHandler handler) : m_handler(std::move(handler)) {}
    bool event(QEvent* e) override
    {
        if (e->type() == kPostedMessage) {
            if (static_cast<MessageEvent*>(e)->Taken()) return true;
            m_handler(static_cast<MessageEvent*>(e)->msg);
            return true;
        }
        if (e->type() == kQuitMessage) {
            if (static_cast<MessageEvent*>(e)->Taken()) return true;
            RequestQuit(static_cast<int>(static_cast<MessageEvent*>(e)->msg.wParam));
            return true;
        }
        return QObject::event(e);
    }
    void RequestQuit(int code)
    {
        m_quitRequested = true;
        m_exitCode = code;
        if (m_loop) m_loop->exit(code);
    }
    int Run()
    {
        if (m_quitRequested) return m_exitCode;
        QEventLoop loop;
        m_loop = &loop;
        int code = loop.exec();
        m_loop = nullptr;
        return code;
    }

private:
    ThreadMessageHandler m_handler;
    QEventLoop* m_loop = nullptr;
    bool m_quitRequested = false;
    int m_exitCode = 0;
};

struct Registry {
    std::mutex lock;
    std::unordered_map<HWND, WindowPort*> windows;
    std::unordered_map<DWORD, ThreadPort*> threads;
    UINT_PTR nextHandle = 0x10010;
};

Registry& Ports()
{
    static Registry* registry = new Registry;  // used until the last thread ends
    return *registry;
}

std::atomic<std::uint32_t> g_nextThreadId{1};
thread_local DWORD t_threadId = 0;

MSG MakeMsg(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) { return MSG{hWnd, message, wParam, lParam, 0, {0, 0}}; }

ThreadPort* CurrentThreadPort()
{
    auto& registry = Ports();
    std::lock_guard guard(registry.lock);
    auto it = registry.threads.find(GetCurrentThreadId());
    return it == registry.threads.end() ? nullptr : it->second;
}

// Waits for a sent message's answer, meanwhile answering messages sent to this thread's
// windows, so that two threads sending to each other do not block forever.
LRESULT AwaitAnswer(Completion& completion)
{
    using namespace std::chrono_literals;
    while (!completion.done.try_acquire_for(2ms)) QCoreApplication::sendPostedEvents(nullptr, kSentMessage);
    return completion.result;
}

}  // namespace

// Lets the objects that subclassed a window go when the window ends.
struct SubclassChain {
    static void Detach(CWnd* head, CWnd* original)
    {
        for (CWnd* wnd = head; wnd != nullptr && wnd != original;) {
            CWnd* next = wnd->m_pSuperWnd;
            wnd->m_pSuperWnd = nullptr;
            wnd->m_hWnd = nullptr;
            wnd = next;
        }
    }
};

HWND RegisterWindow(CWnd* window)
{
    auto* port = new WindowPort(window);
    auto& registry = Ports();
    std::lock_guard guard(registry.lock);
    auto hWnd = reinterpret_cast<HWND>(registry.nextHandle);
    registry.nextHandle += 0x10;
    registry.windows.emplace(hWnd, port);
    return hWnd;
}

void UnregisterWindow(HWND hWnd)
{
    WindowPort* port = nullptr;
    {
        auto& registry = Ports();
        std::lock_guard guard(registry.lock);
        auto it = registry.windows.find(hWnd);
        if (it == registry.windows.end()) return;
        port = it->second;
        registry.windows.erase(it);
    }
    SubclassChain::Detach(port->window(), port->original());
    // A static window destroyed at exit after the application object: the toolkit's
    // timer bookkeeping may be gone already, and the process is ending, so the port stays.
    if (port->ApplicationGone()) {
        static auto* abandoned = new std::vector<WindowPort*>;  // kept reachable: not a leak
        abandoned->push_back(port);
        return;
    }
    // Pending messages are deleted with the port, which releases their senders.
    if (port->thread() == QThread::currentThread())
        delete port;
    else
        port->deleteLater();
}

namespace {

WindowPort* AnyPort(HWND hWnd)
{
    auto& registry = Ports();
    std::lock_guard guard(registry.lock);
    auto it = registry.windows.find(hWnd);
    return it == registry.windows.end() ? nullptr : it->second;
}

WindowPort* OwnPort(HWND hWnd)
{
    auto& registry = Ports();
    std::lock_guard guard(registry.lock);
    auto it = registry.windows.find(hWnd);
    if (it == registry.windows.end() || it->second->thread() != QThread::currentThread()) return nullptr;
    return it->second;
}

}  // namespace

bool SetWindowTimer(HWND hWnd, UINT_PTR id, UINT milliseconds)
{
    WindowPort* port = OwnPort(hWnd);
    if (!port) return false;
    port->StartTimer(id, milliseconds);
    return true;
}

bool KillWindowTimer(HWND hWnd, UINT_PTR id)
{
    // At exit after the application object, the toolkit's timers have ended with it.
    if (WindowPort* port = AnyPort(hWnd); port && port->ApplicationGone()) return true;
    WindowPort* port = OwnPort(hWnd);
    return port && port->StopTimer(id);
}

bool SwapWindowObject(HWND hWnd, CWnd* expected, CWnd* replacement)
{
    WindowPort* port = OwnPort(hWnd);
    if (port == nullptr || port->window() != expected) return false;
    // Under the lock, as other threads read the object through WindowFromHandle.
    std::lock_guard guard(Ports().lock);
    port->SetWindow(replacement);
    return true;
}

CWnd* WindowFromHandle(HWND hWnd)
{
    auto& registry = Ports();
    std::lock_guard guard(registry.lock);
    auto it = registry.windows.find(hWnd);
    return it == registry.windows.end() ? nullptr : it->second->window();
}

void RegisterThreadQueue(DWORD threadId, QThread* home, ThreadMessageHandler handler)
{
    auto* port = new ThreadPort(std::move(handler));
    port->moveToThread(home);
    auto& registry = Ports();
    std::lock_guard guard(registry.lock);
    registry.threads.emplace(threadId, port);
}

void UnregisterThreadQueue(DWORD threadId)
{
    ThreadPort* port = nullptr;
    {
        auto& registry = Ports();
        std::lock_guard guard(registry.lock);
        auto it = registry.threads.find(threadId);
        if (it == registry.threads.end()) return;
        port = it->second;
        registry.threads.erase(it);
    }
    delete port;
}

int RunMessageLoop()
{
    ThreadPort* port = CurrentThreadPort();
    if (port != nullptr) return port->Run();
    QEventLoop loop;
    return loop.exec();
}

void SetWindowIdentity(HWND hWnd, const char* className, const char* windowName)
{
    auto& registry = Ports();
    std::lock_guard guard(registry.lock);
    auto it = registry.windows.find(hWnd);
    if (it == registry.windows.end()) return;
    it->second->className = className ? className : "";
    it->second->windowName = windowName ? windowName : "";
}

HWND FindWindowByIdentity(const char* className, const char* windowName)
{
    auto& registry = Ports();
    std::lock_guard guard(registry.lock);
    for (const auto& [hWnd, port] : registry.windows) {
        if (port->className.empty()) continue;  // not made by CreateEx
        if (className && port->className != className) continue;
        if (windowName && port->windowName != windowName) continue;
        return hWnd;
    }
    return nullptr;
}

bool TakePostedMessage(MSG& out, HWND hWnd, UINT first, UINT last, bool remove)
{
    const bool anyMessage = first == 0 && last == 0;
    const bool threadOnly = hWnd == reinterpret_cast<HWND>(-1);
    auto& queues = Posted();
    std::lock_guard guard(queues.lock);
    auto found = queues.byThread.find(QThread::currentThread());
    if (found == queues.byThread.end()) return false;
    for (const auto& weak : found->second) {
        auto entry = weak.lock();
        if (!entry || entry->taken) continue;
        const MSG& msg = entry->msg;
        if (threadOnly ? msg.hwnd != nullptr : (hWnd != nullptr && msg.hwnd != hWnd)) continue;
        if (!anyMessage && (msg.message < first || msg.message > last)) continue;
        out = msg;
        entry->taken = remove;
        return true;
    }
    return false;
}

DWORD AllocateThreadId() { return g_nextThreadId++; }

void AdoptThreadId(DWORD threadId) { t_threadId = threadId; }

}  // namespace zelm::framework

using namespace zelm::framework;

LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    auto completion = std::make_shared<Completion>();
    {
        auto& registry = Ports();
        std::unique_lock guard(registry.lock);
        auto it = registry.windows.find(hWnd);
        if (it == registry.windows.end()) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        WindowPort* port = it->second;
        if (port->thread() == QThread::currentThread()) {
            guard.unlock();
            return port->window()->WindowProc(Msg, wParam, lParam);
        }
        QCoreApplication::postEvent(port, new MessageEvent(kSentMessage, MakeMsg(hWnd, Msg, wParam, lParam), completion));
    }
    return AwaitAnswer(*completion);
}

BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    auto& registry = Ports();
    std::lock_guard guard(registry.lock);
    auto it = registry.windows.find(hWnd);
    if (it == registry.windows.end()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    PostToPort(it->second, kPostedMessage, MakeMsg(hWnd, Msg, wParam, lParam));
    return TRUE;
}

BOOL PostThreadMessage(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    auto& registry = Ports();
    std::lock_guard guard(registry.lock);
    auto it = registry.threads.find(idThread);
    if (it == registry.threads.end()) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    QEvent::Type type = Msg == WM_QUIT ? kQuitMessage : kPostedMessage;
    PostToPort(it->second, type, MakeMsg(nullptr, Msg, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int nExitCode)
{
    DWORD self = GetCurrentThreadId();
    if (!PostThreadMessage(self, WM_QUIT, static_cast<WPARAM>(nExitCode), 0) && QCoreApplication::instance() &&
        QThread::currentThread() == QCoreApplication::instance()->thread())
        QCoreApplication::exit(nExitCode);
}

BOOL IsWindow(HWND hWnd) { return WindowFromHandle(hWnd) != nullptr; }

BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    if (lpMsg == nullptr) return FALSE;
    return TakePostedMessage(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0) ? TRUE : FALSE;
}

HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName)
{
    return FindWindowByIdentity(lpClassName, lpWindowName);
}

DWORD GetCurrentThreadId()
{
    if (t_threadId == 0) t_threadId = AllocateThreadId();
    return t_threadId;
}
