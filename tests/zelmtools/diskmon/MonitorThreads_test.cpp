// Items made, changed and destroyed on other threads while the monitor's thread runs
// checks on a short timer. Built with ThreadSanitizer by `make test-tsan`.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include <zelmtools/diskmon/DiskStorageMonitor.h>

#include "zelmtools/diskmon/DiskmonTestSupport.h"

namespace {

std::atomic<int> g_lateCalls{0};

// A derived item as the header advises for other threads: it is made with mask 0,
// gets its mask through SetOptions, and drops it before its own members go.
class ThreadItem : public CDiskStorageMonitorItem {
public:
    explicit ThreadItem(const std::string& path) : CDiskStorageMonitorItem("thread", path.c_str(), Bytes(1), 0)
    {
        SetOptions(CDiskStorageMonitorItemOptions("thread", path.c_str(), Bytes(1), DSM_NOTIFY_CHECK));
    }
    ~ThreadItem() override
    {
        CDiskStorageMonitorItemOptions options(this);
        options.m_dwNotifyMask = 0;
        SetOptions(options);
        m_alive = false;
    }
    void OnResourceNotify(DWORD, const CDiskInfoItemList& list) override
    {
        if (!m_alive) g_lateCalls.fetch_add(1);
        m_calls.fetch_add(1);
        m_entries = list.GetCount();
    }

private:
    std::atomic<int> m_calls{0};
    std::atomic<bool> m_alive{true};
    INT_PTR m_entries = 0;
};

}  // namespace

TEST(DiskStorageMonitorThreads, ItemsComeAndGoOnOtherThreadsWhileChecksRun)
{
    MonitorStopper stopper;
    TempDir dir;
    RecordingItem watcher(dir.file("w"), 0, DSM_NOTIFY_CHECK);
    CDiskStorageMonitor::GetMonitor()->SetInterval(1);
    ASSERT_EQ(CDiskStorageMonitor::GetMonitor()->EnableMonitoring(TRUE), TRUE);

    std::atomic<int> running{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < 3; ++t) {
        running.fetch_add(1);
        workers.emplace_back([&, t] {
            for (int round = 0; round < 60; ++round) {
                std::vector<std::unique_ptr<CDiskStorageMonitorItem>> items;
                items.push_back(std::make_unique<ThreadItem>(dir.file("t" + std::to_string(t))));
                items.push_back(std::make_unique<CDiskStorageMonitorItem>(
                    "base", round % 2 ? "/dev/shm/x" : "relative/path", Bytes(round), DSM_NOTIFY_LOW));
                CDiskStorageMonitorItemOptions options(items.back().get());
                options.m_liRequired.QuadPart += 1;
                items.back()->SetOptions(options);
                CDiskStorageMonitor::GetMonitor()->IsResourcesEnough();
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
            running.fetch_sub(1);
        });
    }
    const std::size_t before = watcher.Codes().size();
    while (running.load() > 0) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    for (auto& worker : workers) worker.join();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);

    EXPECT_GT(watcher.Codes().size(), before);  // checks ran meanwhile
    EXPECT_EQ(g_lateCalls.load(), 0);
    EXPECT_EQ(MonitorState::ItemCount(), 1);
    EXPECT_EQ(MonitorState::DiskInfo().GetCount(), 1);
}
