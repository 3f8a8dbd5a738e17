#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <memory>

#include <zelmtools/diskmon/DiskStorageMonitor.h>
#include <zelmtools/framework/messages/Messaging.h>

#include "support/run_program.h"
#include "zelmtools/diskmon/DiskmonTestSupport.h"

namespace {

constexpr long long kMiB = 1024LL * 1024;
constexpr long long kGiB = 1024 * kMiB;

CDiskStorageMonitor& Monitor()
{
    return *CDiskStorageMonitor::GetMonitor();
}

// Runs the thread's message loop until done() holds or the time is up.
bool RunLoopUntil(const std::function<bool()>& done, int milliseconds = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void RunLoopFor(int milliseconds)
{
    RunLoopUntil([] { return false; }, milliseconds);
}

class DiskStorageMonitorTest : public ::testing::Test {
protected:
    MonitorStopper stopper;
    TempDir dir;
};

}  // namespace

TEST_F(DiskStorageMonitorTest, FirstCheckRunsInsideEnableAndNotifiesByMask)
{
    RecordingItem never(dir.file("a"), 0, 0);
    RecordingItem everyCheck(dir.file("b"), 0, DSM_NOTIFY_CHECK);
    RecordingItem onlyLow(dir.file("c"), 0, DSM_NOTIFY_LOW);
    RecordingItem both(dir.file("d"), 0, DSM_NOTIFY_CHECK | DSM_NOTIFY_LOW);
    EXPECT_EQ(MonitorState::ItemCount(), 4);
    EXPECT_EQ(MonitorState::DiskInfo().GetCount(), 1);  // one drive for all four

    ASSERT_EQ(Monitor().EnableMonitoring(TRUE), TRUE);
    EXPECT_EQ(Monitor().IsMonitoring(), TRUE);
    EXPECT_EQ(everyCheck.codes, std::vector<std::uint32_t>{1});
    EXPECT_EQ(both.codes, std::vector<std::uint32_t>{1});
    EXPECT_TRUE(onlyLow.codes.empty());
    EXPECT_TRUE(never.codes.empty());
    EXPECT_EQ(everyCheck.threads.front(), std::this_thread::get_id());
    EXPECT_EQ(Monitor().IsResourcesEnough(), TRUE);

    // The hidden window of the enabling thread.
    const HWND window = FindWindowA(nullptr, "DiskStorageMonitor");
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(window, MonitorState::Window());

    // Enabling again changes nothing and runs no check.
    EXPECT_EQ(Monitor().EnableMonitoring(TRUE), TRUE);
    EXPECT_EQ(everyCheck.codes.size(), 1u);

    EXPECT_EQ(Monitor().EnableMonitoring(FALSE), TRUE);
    EXPECT_EQ(Monitor().IsMonitoring(), FALSE);
    EXPECT_EQ(FindWindowA(nullptr, "DiskStorageMonitor"), nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Monitor().EnableMonitoring(FALSE), TRUE);
    // The stored result survives the stop.
    EXPECT_EQ(Monitor().IsResourcesEnough(), TRUE);
}

TEST_F(DiskStorageMonitorTest, ItemsOfOneDriveShortTogetherAreToldLowAndMeasuredAsStatvfs)
{
    ScratchVolume volume("8m");
    if (!volume.mounted()) GTEST_SKIP() << "no permission to mount a tmpfs";
    const VolumeFigures figures = StatFigures(volume.point());
    // Each needs a little over half of what is free: enough alone, short together.
    const long long half = figures.available / 2 + 1;
    RecordingItem first(volume.path("one"), half, DSM_NOTIFY_CHECK);
    RecordingItem onlyLow(volume.path("two/x.dat"), 0, DSM_NOTIFY_LOW);
    RecordingItem elsewhere(dir.file("z"), 0, DSM_NOTIFY_CHECK | DSM_NOTIFY_LOW);
    {
        RecordingItem second(volume.path("three"), half, 0);
        ASSERT_EQ(MonitorState::DiskInfo().GetCount(), 2);

        ASSERT_EQ(Monitor().EnableMonitoring(TRUE), TRUE);
        EXPECT_EQ(first.codes, std::vector<std::uint32_t>{3});
        EXPECT_EQ(onlyLow.codes, std::vector<std::uint32_t>{3});
        EXPECT_EQ(elsewhere.codes, std::vector<std::uint32_t>{3});
        EXPECT_EQ(elsewhere.entries, 2);
        EXPECT_EQ(Monitor().IsResourcesEnough(), FALSE);

        const CDiskInfoItem* drive = nullptr;
        for (POSITION pos = MonitorState::DiskInfo().GetHeadPosition(); pos != nullptr;) {
            const CDiskInfoItem* entry = MonitorState::DiskInfo().GetNext(pos);
            if (entry->m_strDrive == volume.point().c_str()) drive = entry;
        }
        ASSERT_NE(drive, nullptr);
        EXPECT_EQ(drive->m_liRequired.QuadPart, 2 * half);
        EXPECT_EQ((VolumeFigures{drive->m_liFreeBytesAvailable.QuadPart, drive->m_liTotalBytes.QuadPart,
                                 drive->m_liTotalFreeBytes.QuadPart}),
                  figures);
        Monitor().EnableMonitoring(FALSE);
    }
    // Without the second item the drive has enough; mask 2 hears nothing then.
    ASSERT_EQ(Monitor().EnableMonitoring(TRUE), TRUE);
    EXPECT_EQ(first.codes, (std::vector<std::uint32_t>{3, 1}));
    EXPECT_EQ(onlyLow.codes, std::vector<std::uint32_t>{3});
    EXPECT_EQ(Monitor().IsResourcesEnough(), TRUE);
}

TEST_F(DiskStorageMonitorTest, RequirementsAbove4GiBAreComparedWhole)
{
    const VolumeFigures figures = StatFigures(dir.path().string());
    if (figures.available < 6 * kGiB) GTEST_SKIP() << "needs more than 6 GiB free";
    RecordingItem item(dir.file("big"), figures.available - 2 * kGiB, DSM_NOTIFY_CHECK);
    ASSERT_EQ(Monitor().EnableMonitoring(TRUE), TRUE);
    EXPECT_EQ(item.codes, std::vector<std::uint32_t>{1});

    // 4 GiB more: the low 32 bits alone would say it fits.
    CDiskStorageMonitorItemOptions options(&item);
    options.m_liRequired.QuadPart += 4 * kGiB;
    item.SetOptions(options);
    Monitor().EnableMonitoring(FALSE);
    Monitor().EnableMonitoring(TRUE);
    EXPECT_EQ(item.codes, (std::vector<std::uint32_t>{1, 3}));
}

TEST_F(DiskStorageMonitorTest, DriveThatCannotBeMeasuredCountsAsShort)
{
    auto volume = std::make_unique<ScratchVolume>();
    if (!volume->mounted()) GTEST_SKIP() << "no permission to mount a tmpfs";
    RecordingItem item(volume->path("data"), 0, DSM_NOTIFY_CHECK);
    ASSERT_EQ(Monitor().EnableMonitoring(TRUE), TRUE);
    EXPECT_EQ(item.codes, std::vector<std::uint32_t>{1});
    Monitor().EnableMonitoring(FALSE);

    // A failed measurement keeps the figures an entry had.
    const LONGLONG measured = MonitorState::DiskInfo().GetHead()->m_liTotalBytes.QuadPart;
    volume->Remove();
    Monitor().EnableMonitoring(TRUE);
    EXPECT_EQ(item.codes, (std::vector<std::uint32_t>{1, 1}));
    EXPECT_EQ(MonitorState::DiskInfo().GetHead()->m_liTotalBytes.QuadPart, measured);
    Monitor().EnableMonitoring(FALSE);

    // Rebuilt while it was there, the drive goes away before the check: it holds no
    // figures and is short. (Rebuilt after, the path would lie on the folder's own drive.)
    volume = std::make_unique<ScratchVolume>();
    ASSERT_TRUE(volume->mounted());
    item.SetOptions(CDiskStorageMonitorItemOptions("x", volume->path("data").c_str(), Bytes(0), DSM_NOTIFY_CHECK));
    volume->Remove();
    Monitor().EnableMonitoring(TRUE);
    EXPECT_EQ(item.codes, (std::vector<std::uint32_t>{1, 1, 3}));
    EXPECT_EQ(MonitorState::DiskInfo().GetHead()->m_liFreeBytesAvailable.QuadPart, -1);
    EXPECT_EQ(Monitor().IsResourcesEnough(), FALSE);
}

TEST_F(DiskStorageMonitorTest, IsResourcesEnoughChecksOnceWithoutNotifyingWhenNothingRanYet)
{
    if (MonitorState::Checked()) GTEST_SKIP() << "a check ran earlier in this process";
    ScratchVolume volume("1m");
    if (!volume.mounted()) GTEST_SKIP() << "no permission to mount a tmpfs";
    RecordingItem item(volume.path("x"), 64 * kMiB, DSM_NOTIFY_CHECK | DSM_NOTIFY_LOW);
    EXPECT_EQ(Monitor().IsResourcesEnough(), FALSE);
    EXPECT_TRUE(item.codes.empty());
    // Later calls give the stored result without measuring: a smaller need is not seen.
    item.SetOptions(CDiskStorageMonitorItemOptions("x", volume.path("x").c_str(), Bytes(0), 1));
    EXPECT_EQ(Monitor().IsResourcesEnough(), FALSE);
    EXPECT_TRUE(item.codes.empty());
}

TEST_F(DiskStorageMonitorTest, TimerTicksOnTheEnablingThreadAndFollowsTheInterval)
{
    RecordingItem item(dir.file("t"), 0, DSM_NOTIFY_CHECK);
    Monitor().SetInterval(20);
    ASSERT_EQ(Monitor().EnableMonitoring(TRUE), TRUE);
    ASSERT_TRUE(RunLoopUntil([&] { return item.codes.size() >= 4; }));
    for (const auto& thread : item.threads) EXPECT_EQ(thread, std::this_thread::get_id());

    // A long period while running restarts the timer: no tick for a while.
    Monitor().SetInterval(60000);
    EXPECT_EQ(Monitor().GetInterval(), 60000u);
    const std::size_t before = item.codes.size();
    RunLoopFor(300);
    EXPECT_EQ(item.codes.size(), before);

    // Stopped: a new period is only stored, and nothing ticks.
    Monitor().EnableMonitoring(FALSE);
    Monitor().SetInterval(20);
    EXPECT_EQ(Monitor().GetInterval(), 20u);
    RunLoopFor(200);
    EXPECT_EQ(item.codes.size(), before);

    // The next start uses it.
    Monitor().EnableMonitoring(TRUE);
    EXPECT_EQ(item.codes.size(), before + 1);
    EXPECT_TRUE(RunLoopUntil([&] { return item.codes.size() >= before + 4; }));
}

TEST_F(DiskStorageMonitorTest, PendingTicksAreRemovedOnStop)
{
    RecordingItem item(dir.file("p"), 0, DSM_NOTIFY_CHECK);
    ASSERT_EQ(Monitor().EnableMonitoring(TRUE), TRUE);
    const HWND window = MonitorState::Window();
    const UINT other = WM_USER + 5;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(PostMessage(window, WM_TIMER, 911, 0));
    ASSERT_TRUE(PostMessage(window, other, 0, 0));
    // A tick of the monitor's timer that is still queued runs a check.
    RunLoopFor(50);
    EXPECT_EQ(item.codes.size(), 4u);

    for (int i = 0; i < 3; ++i) ASSERT_TRUE(PostMessage(window, WM_TIMER, 911, 0));
    ASSERT_TRUE(PostMessage(window, other, 0, 0));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, window, other, other, PM_NOREMOVE));
    Monitor().EnableMonitoring(FALSE);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    RunLoopFor(50);
    EXPECT_EQ(item.codes.size(), 4u);
}

namespace {

// On its first notification posts the monitor a tick and pumps messages meanwhile.
class PumpingItem : public CDiskStorageMonitorItem {
public:
    explicit PumpingItem(const std::string& path)
        : CDiskStorageMonitorItem("pump", path.c_str(), Bytes(0), DSM_NOTIFY_CHECK)
    {
    }
    void OnResourceNotify(DWORD, const CDiskInfoItemList&) override
    {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        ++calls;
        if (calls == 2) {
            PostMessage(CDiskStorageMonitor::GetMonitor()->GetSafeHwnd(), WM_TIMER, 911, 0);
            PostMessage(CDiskStorageMonitor::GetMonitor()->GetSafeHwnd(), WM_TIMER, 912, 0);
            RunLoopFor(100);
        }
        --depth;
    }
    int depth = 0;
    int maxDepth = 0;
    int calls = 0;
};

}  // namespace

TEST_F(DiskStorageMonitorTest, TickDuringACheckIsDroppedAndOtherTimersIgnored)
{
    PumpingItem item(dir.file("n"));
    ASSERT_EQ(Monitor().EnableMonitoring(TRUE), TRUE);
    EXPECT_EQ(item.calls, 1);
    ASSERT_TRUE(PostMessage(MonitorState::Window(), WM_TIMER, 911, 0));
    ASSERT_TRUE(RunLoopUntil([&] { return item.calls >= 2; }));
    RunLoopFor(150);
    EXPECT_EQ(item.calls, 2);
    EXPECT_EQ(item.maxDepth, 1);
}

TEST_F(DiskStorageMonitorTest, CopiesAreNotRegisteredAndAssignmentWaitsForTheNextRebuild)
{
    RecordingItem item(dir.file("c"), 5, DSM_NOTIFY_CHECK);
    {
        CDiskStorageMonitorItem copy(item);
        EXPECT_EQ(MonitorState::ItemCount(), 1);
        CDiskStorageMonitorItemOptions copied(&copy);
        EXPECT_EQ(copied.m_strName, "recording");
        EXPECT_EQ(copied.m_liRequired.QuadPart, 5);
    }
    EXPECT_EQ(MonitorState::ItemCount(), 1);
    EXPECT_EQ(MonitorState::DiskInfo().GetHead()->m_liRequired.QuadPart, 5);

    CDiskStorageMonitorItem other("o", dir.file("o").c_str(), Bytes(7), 0);
    EXPECT_EQ(MonitorState::DiskInfo().GetHead()->m_liRequired.QuadPart, 12);
    static_cast<CDiskStorageMonitorItem&>(item) = other;  // options only, no rebuild
    EXPECT_EQ(MonitorState::DiskInfo().GetHead()->m_liRequired.QuadPart, 12);
    Monitor().UpdateInfo(nullptr);
    EXPECT_EQ(MonitorState::DiskInfo().GetHead()->m_liRequired.QuadPart, 14);
    EXPECT_EQ(MonitorState::ItemCount(), 2);
}

TEST_F(DiskStorageMonitorTest, CallbackMayDestroyAnotherItem)
{
    struct Destroyer : CDiskStorageMonitorItem {
        using CDiskStorageMonitorItem::CDiskStorageMonitorItem;
        std::unique_ptr<RecordingItem> victim;
        void OnResourceNotify(DWORD, const CDiskInfoItemList&) override { victim.reset(); }
    };
    Destroyer destroyer("d", dir.file("d").c_str(), Bytes(0), DSM_NOTIFY_CHECK);
    destroyer.victim = std::make_unique<RecordingItem>(dir.file("v"), 0, DSM_NOTIFY_CHECK);
    ASSERT_EQ(Monitor().EnableMonitoring(TRUE), TRUE);
    EXPECT_EQ(destroyer.victim, nullptr);
    EXPECT_EQ(MonitorState::ItemCount(), 1);
}

TEST(DiskStorageMonitorExit, MonitorRunningAtExitAfterTheApplicationAndItemsOutlivingItAreSafe)
{
#ifndef ZELM_DISKMON_EXIT_PROBE
    GTEST_SKIP() << "the exit probe is not built in this configuration";
#define ZELM_DISKMON_EXIT_PROBE ""
#endif
    for (const char* mode : {"running-at-exit", "item-outlives-monitor"}) {
        const ToolResult result = RunProgram(ZELM_DISKMON_EXIT_PROBE, {mode});
        EXPECT_EQ(result.exitCode, 0) << mode << ": " << result.output;
        EXPECT_NE(result.output.find("checked"), std::string::npos) << mode << ": " << result.output;
    }
}
