#include <gtest/gtest.h>

#include <string>

#include <zelmtools/framework/windows/CWnd.h>

namespace {

constexpr UINT WM_TEST_FIRST = WM_USER + 1;
constexpr UINT WM_TEST_SECOND = WM_USER + 2;

// A window that answers both test messages and logs what it handled.
class CTestWindow : public CWnd {
public:
    explicit CTestWindow(std::string* log, char tag) : m_log(log), m_tag(tag) {}
    LRESULT OnFirst(WPARAM wParam, LPARAM)
    {
        *m_log += m_tag;
        return static_cast<LRESULT>(wParam) + 10;
    }
    LRESULT OnSecond(WPARAM, LPARAM)
    {
        *m_log += m_tag;
        return 20;
    }

protected:
    std::string* m_log;
    char m_tag;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestWindow, CWnd)
ON_MESSAGE(WM_TEST_FIRST, OnFirst)
ON_MESSAGE(WM_TEST_SECOND, OnSecond)
END_MESSAGE_MAP()

// Takes over the first message, logs it and passes it on; leaves the second alone.
class CSpy : public CWnd {
public:
    explicit CSpy(std::string* log, char tag) : m_log(log), m_tag(tag) {}
    LRESULT OnFirst(WPARAM wParam, LPARAM lParam)
    {
        *m_log += m_tag;
        return DefWindowProc(WM_TEST_FIRST, wParam + 1, lParam);
    }

private:
    std::string* m_log;
    char m_tag;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSpy, CWnd)
ON_MESSAGE(WM_TEST_FIRST, OnFirst)
END_MESSAGE_MAP()

class SubclassWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.CreateMessageOnlyWindow()); }
    std::string log;
    CTestWindow window{&log, 'w'};
};

TEST_F(SubclassWindowTest, SubclasserSeesMessagesFirstAndPassesTheRestOn)
{
    CSpy spy(&log, 's');
    ASSERT_TRUE(spy.SubclassWindow(window));
    EXPECT_EQ(spy.GetSafeHwnd(), window.GetSafeHwnd());
    EXPECT_EQ(CWnd::FromHandle(window), &spy);

    EXPECT_EQ(::SendMessage(window, WM_TEST_FIRST, 5, 0), 16);  // the spy added one on the way
    EXPECT_EQ(::SendMessage(window, WM_TEST_SECOND, 0, 0), 20);
    EXPECT_EQ(log, "sww");

    EXPECT_EQ(spy.UnsubclassWindow(), window.GetSafeHwnd());
    EXPECT_EQ(spy.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandle(window), &window);
    log.clear();
    EXPECT_EQ(::SendMessage(window, WM_TEST_FIRST, 5, 0), 15);
    EXPECT_EQ(log, "w");
}

TEST_F(SubclassWindowTest, RefusesWhatCannotBeTakenOver)
{
    CSpy spy(&log, 's');
    EXPECT_FALSE(spy.SubclassWindow(nullptr));
    EXPECT_FALSE(spy.SubclassWindow(reinterpret_cast<HWND>(0x7fff0)));
    EXPECT_FALSE(window.SubclassWindow(window));  // has a window of its own
    EXPECT_EQ(spy.UnsubclassWindow(), nullptr);

    CTestWindow other(&log, 'o');
    ASSERT_TRUE(other.CreateMessageOnlyWindow());
    ASSERT_TRUE(spy.SubclassWindow(window));
    EXPECT_FALSE(spy.SubclassWindow(other));  // one window at a time
}

TEST_F(SubclassWindowTest, ChainOfSubclassersSurvivesTheLowerOneLeaving)
{
    CSpy lower(&log, 'l');
    CSpy upper(&log, 'u');
    ASSERT_TRUE(lower.SubclassWindow(window));
    ASSERT_TRUE(upper.SubclassWindow(window));
    EXPECT_EQ(::SendMessage(window, WM_TEST_FIRST, 0, 0), 12);
    EXPECT_EQ(log, "ulw");

    lower.UnsubclassWindow();
    log.clear();
    EXPECT_EQ(::SendMessage(window, WM_TEST_FIRST, 0, 0), 11);
    EXPECT_EQ(log, "uw");
}

TEST_F(SubclassWindowTest, SubclasserDestroyedFirstGivesTheWindowBack)
{
    {
        CSpy spy(&log, 's');
        ASSERT_TRUE(spy.SubclassWindow(window));
    }
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(::SendMessage(window, WM_TEST_FIRST, 0, 0), 10);
    EXPECT_EQ(log, "w");
}

TEST_F(SubclassWindowTest, WindowEndingLetsTheSubclasserGoSoItCanTakeAnother)
{
    CSpy spy(&log, 's');
    ASSERT_TRUE(spy.SubclassWindow(window));
    ASSERT_TRUE(window.DestroyWindow());
    EXPECT_EQ(spy.GetSafeHwnd(), nullptr);
    EXPECT_EQ(spy.UnsubclassWindow(), nullptr);

    CTestWindow next(&log, 'n');
    ASSERT_TRUE(next.CreateMessageOnlyWindow());
    ASSERT_TRUE(spy.SubclassWindow(next));
    EXPECT_EQ(::SendMessage(next, WM_TEST_FIRST, 0, 0), 11);
    EXPECT_EQ(log, "sn");
}

}  // namespace
