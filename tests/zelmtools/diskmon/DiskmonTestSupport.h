#pragma once
// Helpers of the disk monitor tests: a tmpfs of known size that the test mounts (when
// it may), figures as statvfs gives them, the monitor's protected state, and items
// that record their notifications.

#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <zelmtools/diskmon/DiskStorageMonitor.h>

#include "support/temp_dir.h"

// A tmpfs of a few MiB mounted in a private folder, unmounted afterwards.
class ScratchVolume {
public:
    explicit ScratchVolume(const char* size = "4m") : m_point(m_dir.file("vol"))
    {
        std::filesystem::create_directory(m_point);
        const std::string options = std::string("size=") + size;
        m_mounted = mount("tmpfs", m_point.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~ScratchVolume() { Unmount(); }
    ScratchVolume(const ScratchVolume&) = delete;
    ScratchVolume& operator=(const ScratchVolume&) = delete;

    bool mounted() const { return m_mounted; }
    const std::string& point() const { return m_point; }
    std::string path(const std::string& name) const { return m_point + "/" + name; }
    void Unmount()
    {
        if (m_mounted) umount(m_point.c_str());
        m_mounted = false;
    }
    // Unmounts and removes the mount point: the drive can no longer be measured.
    void Remove()
    {
        Unmount();
        std::filesystem::remove(m_point);
    }

private:
    TempDir m_dir;
    std::string m_point;
    bool m_mounted = false;
};

struct VolumeFigures {
    long long available, total, totalFree;
    bool operator==(const VolumeFigures&) const = default;
};

inline VolumeFigures StatFigures(const std::string& path)
{
    struct statvfs info {};
    statvfs(path.c_str(), &info);
    const auto unit = static_cast<long long>(info.f_frsize);
    return {static_cast<long long>(info.f_bavail) * unit, static_cast<long long>(info.f_blocks) * unit,
            static_cast<long long>(info.f_bfree) * unit};
}

inline LARGE_INTEGER Bytes(long long value)
{
    LARGE_INTEGER li;
    li.QuadPart = value;
    return li;
}

// The monitor's protected state, read through pointers to members of a derived class.
struct MonitorState : CDiskStorageMonitor {
    static CDiskStorageMonitor& Monitor() { return *GetMonitor(); }
    static const CDiskInfoItemList& DiskInfo() { return Monitor().*(&MonitorState::m_DiskInfo); }
    static INT_PTR ItemCount() { return (Monitor().*(&MonitorState::m_Resources)).GetCount(); }
    static int Checked() { return Monitor().*(&MonitorState::m_bChecked); }
    static HWND Window() { return Monitor().GetSafeHwnd(); }
};

// Records every notification: its code and thread, and what the drive list said.
class RecordingItem : public CDiskStorageMonitorItem {
public:
    RecordingItem(const std::string& path, long long required, DWORD mask)
        : CDiskStorageMonitorItem("recording", path.c_str(), Bytes(required), mask)
    {
    }
    void OnResourceNotify(DWORD dwCode, const CDiskInfoItemList& list) override
    {
        std::lock_guard guard(m_lock);
        codes.push_back(static_cast<std::uint32_t>(dwCode));
        threads.push_back(std::this_thread::get_id());
        entries = list.GetCount();
    }
    std::vector<std::uint32_t> Codes()
    {
        std::lock_guard guard(m_lock);
        return codes;
    }

    std::vector<std::uint32_t> codes;
    std::vector<std::thread::id> threads;
    INT_PTR entries = 0;

private:
    std::mutex m_lock;
};

// Leaves the monitor stopped whatever a test did.
struct MonitorStopper {
    ~MonitorStopper()
    {
        CDiskStorageMonitor::GetMonitor()->EnableMonitoring(FALSE);
        CDiskStorageMonitor::GetMonitor()->SetInterval(10000);
    }
};
