#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <vector>

#include <zelmtools/framework/messages/Messaging.h>
#include <zelmtools/framework/windows/CWnd.h>
#include <zelmtools/platform/base/errors.h>

#include "platform/user/cursors.h"
#include "platform/user/window_styles.h"

namespace {

// Records what it is sent; refuses creation when asked to.
class CRecordingWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        if (message == WM_TIMER) timers.push_back(static_cast<UINT>(wParam));
        if (message == WM_CREATE && refuseCreate) return -1;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<UINT> messages;
    std::vector<UINT> timers;
    bool refuseCreate = false;
};

void Pump(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace

TEST(WindowClass, RegisteringTheSameAttributesGivesOneClass)
{
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    EXPECT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), arrow);
    EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    LPCSTR name = AfxRegisterWndClass(0, arrow);
    EXPECT_STREQ(AfxRegisterWndClass(0, arrow), name);
    EXPECT_STRNE(AfxRegisterWndClass(1, arrow), name);
    EXPECT_TRUE(AfxIsWndClassRegistered(name));
    EXPECT_FALSE(AfxIsWndClassRegistered("NoSuchClass"));
}

TEST(WindowClass, CreateExMakesAHiddenTopLevelWindowOfARegisteredClass)
{
    LPCSTR cls = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW));
    CRecordingWnd wnd;
    const RECT empty{0, 0, 0, 0};
    SetLastError(0);
    EXPECT_FALSE(wnd.CreateEx(0, "NoSuchClass", "W", 0, empty, nullptr, 0));
    EXPECT_EQ(GetLastError(), 1407u);
    EXPECT_FALSE(wnd.CreateEx(0, cls, "W", WS_VISIBLE, empty, nullptr, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);

    ASSERT_TRUE(wnd.CreateEx(0, cls, "Hidden Test Window", 0, empty, nullptr, 0));
    EXPECT_EQ(wnd.messages, std::vector<UINT>{WM_CREATE});
    EXPECT_EQ(FindWindowA(cls, "Hidden Test Window"), wnd.GetSafeHwnd());
    EXPECT_EQ(FindWindowA(nullptr, "Hidden Test Window"), wnd.GetSafeHwnd());
    EXPECT_EQ(FindWindowA("OtherClass", "Hidden Test Window"), nullptr);
    EXPECT_FALSE(wnd.CreateEx(0, cls, "Again", 0, empty, nullptr, 0));

    CRecordingWnd refused;
    refused.refuseCreate = true;
    EXPECT_FALSE(refused.CreateEx(0, cls, "Refused", 0, empty, nullptr, 0));
    EXPECT_EQ(refused.GetSafeHwnd(), nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "Refused"), nullptr);

    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(FindWindowA(nullptr, "Hidden Test Window"), nullptr);
}

TEST(WindowClass, TimersTickIntoTheWindowUntilKilled)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "Timer Window", 0, RECT{0, 0, 0, 0}, nullptr, 0));
    EXPECT_EQ(wnd.SetTimer(77, 10), 77u);
    Pump(120);
    EXPECT_GE(wnd.timers.size(), 3u);
    for (UINT id : wnd.timers) EXPECT_EQ(id, 77u);
    EXPECT_TRUE(wnd.KillTimer(77));
    EXPECT_FALSE(wnd.KillTimer(77));
    const std::size_t ticks = wnd.timers.size();
    Pump(60);
    EXPECT_EQ(wnd.timers.size(), ticks);
    wnd.DestroyWindow();
}

TEST(PostedQueue, TakesARangeOutOfTheCallingThreadsQueue)
{
    CRecordingWnd first, second;
    ASSERT_TRUE(first.CreateMessageOnlyWindow());
    ASSERT_TRUE(second.CreateMessageOnlyWindow());
    const UINT app = WM_APP + 3;
    PostMessage(first, WM_TIMER, 1, 0);
    PostMessage(second, WM_TIMER, 2, 0);
    PostMessage(first, app, 0, 0);
    PostMessage(first, WM_TIMER, 3, 0);

    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, first, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    ASSERT_TRUE(PeekMessage(&msg, first, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 1u);  // still there
    while (PeekMessage(&msg, first, WM_TIMER, WM_TIMER, PM_REMOVE)) EXPECT_EQ(msg.hwnd, first.GetSafeHwnd());
    EXPECT_FALSE(PeekMessage(&msg, (HWND)-1, 0, 0, PM_NOREMOVE));  // no thread messages
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));    // any: the other window's tick
    EXPECT_EQ(msg.hwnd, second.GetSafeHwnd());

    Pump(30);
    // Only what was not taken is delivered.
    EXPECT_EQ(first.messages, std::vector<UINT>{app});
    EXPECT_EQ(second.timers, std::vector<UINT>{2});
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    first.DestroyWindow();
    second.DestroyWindow();
}
