// Pulling window rectangles back onto a virtual desktop of two screens.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <zelmtools/framework/dialogs/CDialog.h>
#include <zelmtools/platform/gdi/gdi.h>
#include <zelmtools/util/WindowPlacement.h>

#include "framework/windows/DesktopWindow.h"

namespace {

constexpr int kDesktopWidth = 2304;
constexpr int kDesktopHeight = 1024;

}  // namespace

TEST(DesktopWindow, IsTheRectangleHoldingEveryScreen)
{
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    CRect desktop;
    ASSERT_TRUE(::GetWindowRect(::GetDesktopWindow(), &desktop));
    EXPECT_EQ(desktop, CRect(0, 0, kDesktopWidth, kDesktopHeight));
    EXPECT_GT(::GetSystemMetrics(SM_CYCAPTION), 0);
}

TEST(AlignWndToScreen, WholeRectangleModeMovesItOntoTheDesktop)
{
    // 100 pixels beyond the right edge of the second screen.
    CRect rect(kDesktopWidth - 200, 100, kDesktopWidth + 100, 300);
    EXPECT_TRUE(AlignWndToScreen(rect, 1));
    EXPECT_EQ(rect, CRect(kDesktopWidth - 300, 100, kDesktopWidth, 300));

    // Inside the second screen: unchanged.
    CRect inside(1400, 50, 1600, 200);
    EXPECT_FALSE(AlignWndToScreen(inside, 1));
    EXPECT_EQ(inside, CRect(1400, 50, 1600, 200));

    // Above and left of the desktop: the left and top edges win.
    CRect corner(-50, -20, 150, 80);
    EXPECT_TRUE(AlignWndToScreen(corner, 1));
    EXPECT_EQ(corner, CRect(0, 0, 200, 100));

    CRect below(500, kDesktopHeight - 10, 600, kDesktopHeight + 90);
    EXPECT_TRUE(AlignWndToScreen(below, 1));
    EXPECT_EQ(below, CRect(500, kDesktopHeight - 100, 600, kDesktopHeight));
}

TEST(AlignWndToScreen, GripModeKeepsTheTopLeftCornerReachable)
{
    const int caption = ::GetSystemMetrics(SM_CYCAPTION);
    // Its left 10 pixels inside the right edge: pulled back to 30 pixels inside.
    CRect rect(kDesktopWidth - 10, 100, kDesktopWidth + 290, 400);
    EXPECT_TRUE(AlignWndToScreen(rect, 0));
    EXPECT_EQ(rect, CRect(kDesktopWidth - 30, 100, kDesktopWidth + 270, 400));

    // Mostly off the bottom: its top comes up to a caption's height above the bottom.
    CRect low(100, kDesktopHeight - 5, 300, kDesktopHeight + 195);
    EXPECT_TRUE(AlignWndToScreen(low, 0));
    EXPECT_EQ(low.top, kDesktopHeight - caption);
    EXPECT_EQ(low.left, 100);

    // Its right part off the desktop, but the grip is on it: unchanged.
    CRect partly(kDesktopWidth - 100, 100, kDesktopWidth + 200, 400);
    EXPECT_FALSE(AlignWndToScreen(partly, 0));

    CRect left(-500, -40, -100, 100);
    EXPECT_TRUE(AlignWndToScreen(left, 0));
    EXPECT_EQ(left, CRect(0, 0, 400, 140));
}

TEST(AlignWndToScreen, ALargerRectangleIsFirstCutToTheDesktop)
{
    CRect cutOnly(10, 20, 10 + 3000, 20 + 2000);
    EXPECT_TRUE(AlignWndToScreen(cutOnly, 2));
    EXPECT_EQ(cutOnly, CRect(10, 20, 10 + kDesktopWidth, 20 + kDesktopHeight));

    CRect whole(10, 20, 10 + 3000, 20 + 2000);
    EXPECT_TRUE(AlignWndToScreen(whole, 1));
    EXPECT_EQ(whole, CRect(0, 0, kDesktopWidth, kDesktopHeight));

    // Other modes never move it.
    CRect away(5000, 5000, 5100, 5100);
    EXPECT_FALSE(AlignWndToScreen(away, 7));
    EXPECT_EQ(away, CRect(5000, 5000, 5100, 5100));
}

TEST(DesktopWindow, AWindowsRectangleIsItsFrameOnTheDesktopAndCanBePulledBack)
{
    CDialog dialog(6200);
    ASSERT_TRUE(dialog.Create(6200));
    dialog.m_pWidget->move(kDesktopWidth - 50, 200);
    CRect rect;
    ASSERT_TRUE(::GetWindowRect(dialog.m_hWnd, &rect));
    EXPECT_EQ(rect.left, dialog.m_pWidget->frameGeometry().left());
    EXPECT_EQ(rect.top, dialog.m_pWidget->frameGeometry().top());
    EXPECT_GE(rect.Width(), dialog.m_pWidget->width());
    EXPECT_TRUE(AlignWndToScreen(rect, 1));
    EXPECT_EQ(rect.right, kDesktopWidth);
    EXPECT_FALSE(::GetWindowRect(nullptr, &rect));
    dialog.DestroyWindow();
}
