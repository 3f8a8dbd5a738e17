#include <zelmtools/framework/threads/CWinThread.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <zelmtools/framework/windows/CWnd.h>

namespace {

constexpr UINT WM_TEST_WORK = WM_APP + 1;
constexpr UINT WM_TEST_NOTIFY = WM_USER + 7;

std::atomic<int> g_liveWorkers{0};

// A worker that records the thread messages it gets and, on WM_TEST_WORK, sends its
// payload to a window and quits.
class CTestWorker : public CWinThread {
    DECLARE_DYNCREATE(CTestWorker)

public:
    CTestWorker() { ++g_liveWorkers; }
    ~CTestWorker() override { --g_liveWorkers; }
    BOOL InitInstance() override { return TRUE; }
    void OnWork(WPARAM wParam, LPARAM lParam)
    {
        order.push_back(static_cast<int>(wParam));
        if (lParam != 0) {
            answer = ::SendMessage(target, WM_TEST_NOTIFY, wParam, 0);
            PostQuitMessage(0);
        }
    }
    HWND target = nullptr;
    std::vector<int> order;
    LRESULT answer = -1;
    static inline std::vector<int> lastOrder;
    static inline LRESULT lastAnswer = 0;
    int ExitInstance() override
    {
        lastOrder = order;
        lastAnswer = answer;
        return CWinThread::ExitInstance();
    }

    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestWorker, CWinThread)

BEGIN_MESSAGE_MAP(CTestWorker, CWinThread)
ON_THREAD_MESSAGE(WM_TEST_WORK, OnWork)
END_MESSAGE_MAP()

// A message window of the test's thread that counts what it is sent.
class CReceiver : public CWnd {
public:
    LRESULT OnNotify(WPARAM wParam, LPARAM)
    {
        handledOnThread = QThread::currentThread();
        received += static_cast<int>(wParam);
        return 1000 + static_cast<LRESULT>(wParam);
    }
    QThread* handledOnThread = nullptr;
    int received = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReceiver, CWnd)
ON_MESSAGE(WM_TEST_NOTIFY, OnNotify)
END_MESSAGE_MAP()

}  // namespace

TEST(CWinThread, SuspendedThreadKeepsPostedMessagesInOrderAndDeletesItself)
{
    CReceiver receiver;
    ASSERT_TRUE(receiver.CreateMessageOnlyWindow());
    auto* worker = static_cast<CTestWorker*>(
        AfxBeginThread(RUNTIME_CLASS(CTestWorker), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    ASSERT_NE(worker, nullptr);
    worker->target = receiver.GetSafeHwnd();
    EXPECT_TRUE(worker->PostThreadMessage(WM_TEST_WORK, 1, 0));
    EXPECT_TRUE(worker->PostThreadMessage(WM_TEST_WORK, 2, 0));
    EXPECT_TRUE(worker->PostThreadMessage(WM_TEST_WORK, 3, 1));
    EXPECT_EQ(receiver.received, 0);  // nothing runs before the resume
    EXPECT_EQ(worker->ResumeThread(), 1u);

    zelm::framework::WaitForFrameworkThreads();
    EXPECT_EQ(CTestWorker::lastOrder, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(receiver.received, 3);
    EXPECT_EQ(receiver.handledOnThread, QThread::currentThread());  // handled on the window's thread
    EXPECT_EQ(CTestWorker::lastAnswer, 1003);                       // the sender got the handler's answer
    EXPECT_EQ(g_liveWorkers, 0);
}

TEST(CWinThread, MessagesToAnEndedThreadFail)
{
    auto* worker = static_cast<CTestWorker*>(AfxBeginThread(RUNTIME_CLASS(CTestWorker)));
    ASSERT_NE(worker, nullptr);
    DWORD id = worker->m_nThreadID;
    ASSERT_TRUE(::PostThreadMessage(id, WM_QUIT, 0, 0));
    zelm::framework::WaitForFrameworkThreads();
    EXPECT_FALSE(::PostThreadMessage(id, WM_TEST_WORK, 0, 0));
    EXPECT_EQ(g_liveWorkers, 0);
}

TEST(SendMessage, ToAWindowDestroyedMeanwhileReturnsZeroInsteadOfHanging)
{
    auto receiver = std::make_unique<CReceiver>();
    ASSERT_TRUE(receiver->CreateMessageOnlyWindow());
    HWND hWnd = receiver->GetSafeHwnd();
    std::atomic<LRESULT> answer{-1};
    std::thread sender([&] { answer = ::SendMessage(hWnd, WM_TEST_NOTIFY, 5, 0); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(answer, -1);  // waiting for this thread to handle it
    receiver.reset();       // the window goes away without handling the message
    sender.join();
    EXPECT_EQ(answer, 0);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(::SendMessage(hWnd, WM_TEST_NOTIFY, 5, 0), 0);
}

TEST(SendMessage, TwoThreadsSendingToEachOtherDoNotDeadlock)
{
    CReceiver mine;
    ASSERT_TRUE(mine.CreateMessageOnlyWindow());
    std::atomic<HWND> theirs{nullptr};
    std::atomic<bool> done{false};
    std::atomic<LRESULT> theirAnswer = 0;
    std::thread other([&] {
        CReceiver window;
        window.CreateMessageOnlyWindow();
        theirs = window.GetSafeHwnd();
        theirAnswer = ::SendMessage(mine.GetSafeHwnd(), WM_TEST_NOTIFY, 1, 0);
        while (!done) QCoreApplication::sendPostedEvents();
    });
    while (theirs == nullptr) std::this_thread::yield();
    // Both threads now send to each other; each answers the other while it waits.
    LRESULT myAnswer = ::SendMessage(theirs, WM_TEST_NOTIFY, 2, 0);
    // Our answer may come before their message reached us: keep answering until it has.
    while (theirAnswer == 0) QCoreApplication::sendPostedEvents();
    done = true;
    other.join();
    EXPECT_EQ(myAnswer, 1002);
    EXPECT_EQ(theirAnswer, 1001);
}
