#include "zelmtools/diskmon/MonitorLock.h"

#include <atomic>

namespace zelm::diskmon {

namespace {

// Constant-initialised and trivially destroyed: valid before and after every static object.
constinit std::atomic<bool> g_monitorLive{false};

}  // namespace

CDiskStorageMonitor* LiveMonitor()
{
    return g_monitorLive.load(std::memory_order_acquire) ? CDiskStorageMonitor::GetMonitor() : nullptr;
}

void SetMonitorLive(bool live)
{
    g_monitorLive.store(live, std::memory_order_release);
}

MonitorLock::MonitorLock() : m_monitor(LiveMonitor())
{
    if (m_monitor) EnterCriticalSection(&m_monitor->m_cs);
}

MonitorLock::~MonitorLock()
{
    if (m_monitor) LeaveCriticalSection(&m_monitor->m_cs);
}

}  // namespace zelm::diskmon
