#pragma once
// The library's monitor as its items reach it: only while it exists (items can outlive
// it when the library is unloaded before them), and its lock around their options.

#include <zelmtools/diskmon/DiskStorageMonitor.h>

namespace zelm::diskmon {

// The monitor, or null before its construction and after its destruction.
CDiskStorageMonitor* LiveMonitor();
// Called by the monitor's constructor and destructor.
void SetMonitorLive(bool live);

// Holds the live monitor's lock (re-entrant), so that options are never read by a
// check or rebuild while another thread changes them; nothing when the monitor is gone.
class MonitorLock {
public:
    MonitorLock();
    ~MonitorLock();
    MonitorLock(const MonitorLock&) = delete;
    MonitorLock& operator=(const MonitorLock&) = delete;
    CDiskStorageMonitor* Monitor() const { return m_monitor; }

private:
    CDiskStorageMonitor* m_monitor;
};

}  // namespace zelm::diskmon
