#include <atomic>
#include <vector>

#include <zelmtools/diskmon/DiskStorageMonitor.h>
#include <zelmtools/framework/messages/Messaging.h>

#include "platform/kernel/disk_space.h"
#include "platform/user/cursors.h"
#include "zelmtools/diskmon/MonitorLock.h"

namespace {

constexpr UINT kMonitorTimerId = 911;
constexpr DWORD kDefaultInterval = 10000;

// Holds a critical section for a scope.
class SectionGuard {
public:
    explicit SectionGuard(CRITICAL_SECTION& section) : m_section(section) { EnterCriticalSection(&m_section); }
    ~SectionGuard() { LeaveCriticalSection(&m_section); }
    SectionGuard(const SectionGuard&) = delete;
    SectionGuard& operator=(const SectionGuard&) = delete;

private:
    CRITICAL_SECTION& m_section;
};

// The stored result is read without the lock by IsResourcesEnough, from any thread.
int LoadFlag(int& flag)
{
    return std::atomic_ref<int>(flag).load();
}
void StoreFlag(int& flag, int value)
{
    std::atomic_ref<int>(flag).store(value);
}

}  // namespace

CDiskStorageMonitor CDiskStorageMonitor::m_Monitor;

BEGIN_MESSAGE_MAP(CDiskStorageMonitor, CWnd)
ON_WM_TIMER()
END_MESSAGE_MAP()

CDiskStorageMonitor::CDiskStorageMonitor()
    : m_dwInterval(kDefaultInterval),
      m_bMonitoring(FALSE),
      m_nTimerID(kMonitorTimerId),
      m_bTimerSet(FALSE),
      m_Resources(10),
      m_lInCheck(0),
      m_bResourcesEnough(TRUE),
      m_bChecked(FALSE)
{
    InitializeCriticalSection(&m_cs);
    if (this == &m_Monitor) zelm::diskmon::SetMonitorLive(true);
}

CDiskStorageMonitor::~CDiskStorageMonitor()
{
    // Items destroyed from now on (after the library is gone) leave the monitor alone.
    if (this == &m_Monitor) zelm::diskmon::SetMonitorLive(false);
    if (m_bMonitoring) EnableMonitoring(FALSE);
    {
        SectionGuard guard(m_cs);
        m_Resources.RemoveAll();  // the items are the clients'
        m_DiskInfo.Clear();
    }
    DeleteCriticalSection(&m_cs);
}

CDiskStorageMonitor* CDiskStorageMonitor::GetMonitor()
{
    return &m_Monitor;
}

int CDiskStorageMonitor::IsMonitoring() const
{
    return m_bMonitoring;
}

BOOL CDiskStorageMonitor::CreateMonitorWindow()
{
    LPCSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    const RECT empty{0, 0, 0, 0};
    return CreateEx(0, windowClass, "DiskStorageMonitor", 0, empty, nullptr, 0);
}

void CDiskStorageMonitor::StopTimer()
{
    if (!m_bTimerSet) return;
    KillTimer(m_nTimerID);
    // Ticks already queued would otherwise arrive after the stop.
    MSG msg;
    while (::PeekMessage(&msg, m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    m_bTimerSet = FALSE;
}

int CDiskStorageMonitor::EnableMonitoring(int bEnable)
{
    if (IsMonitoring() == bEnable) return TRUE;
    if (bEnable) {
        if (GetSafeHwnd() == nullptr && !CreateMonitorWindow()) return FALSE;
        m_bTimerSet = SetTimer(m_nTimerID, m_dwInterval, nullptr) != 0 ? TRUE : FALSE;
        CheckFreeResources(TRUE);  // items hear the state without waiting for the first tick
    } else {
        StopTimer();
        if (GetSafeHwnd() != nullptr) DestroyWindow();
    }
    m_bMonitoring = bEnable;
    return TRUE;
}

void CDiskStorageMonitor::SetInterval(DWORD dwInterval)
{
    m_dwInterval = dwInterval;
    if (!m_bTimerSet) return;
    KillTimer(m_nTimerID);
    SetTimer(m_nTimerID, m_dwInterval, nullptr);
}

DWORD CDiskStorageMonitor::GetInterval()
{
    return m_dwInterval;
}

int CDiskStorageMonitor::AddResource(CDiskStorageMonitorItem* pItem)
{
    // The list changes under the lock too, so that no check or rebuild walks it meanwhile.
    SectionGuard guard(m_cs);
    m_Resources.AddTail(pItem);
    UpdateInfo(pItem);
    return TRUE;
}

int CDiskStorageMonitor::RemoveResource(CDiskStorageMonitorItem* pItem)
{
    SectionGuard guard(m_cs);
    if (POSITION pos = m_Resources.Find(pItem)) m_Resources.RemoveAt(pos);
    UpdateInfo(nullptr);
    return TRUE;
}

void CDiskStorageMonitor::UpdateInfo(CDiskStorageMonitorItem*)
{
    SectionGuard guard(m_cs);
    m_DiskInfo.Clear();
    for (POSITION pos = m_Resources.GetHeadPosition(); pos != nullptr;) {
        const CDiskStorageMonitorItemOptions options(m_Resources.GetNext(pos));
        m_DiskInfo.AddDrive(options.m_strPath, options.m_liRequired);
    }
}

int CDiskStorageMonitor::IsResourcesEnough()
{
    if (LoadFlag(m_bChecked)) return LoadFlag(m_bResourcesEnough);
    return CheckFreeResources(FALSE);
}

void CDiskStorageMonitor::OnTimer(UINT nIDEvent)
{
    // A tick that arrives while a check runs (a callback pumping messages) is dropped.
    if (nIDEvent == m_nTimerID && m_lInCheck == 0) {
        InterlockedIncrement(&m_lInCheck);
        CheckFreeResources(TRUE);
        InterlockedDecrement(&m_lInCheck);
        return;
    }
    DefWindowProc(WM_TIMER, nIDEvent, 0);
}

bool CDiskStorageMonitor::IsShort(const CDiskInfoItem& entry)
{
    // A drive never measured still holds -1, below any requirement: it counts as short.
    return entry.m_liFreeBytesAvailable.QuadPart < entry.m_liRequired.QuadPart;
}

int CDiskStorageMonitor::CheckFreeResources(int bNotify)
{
    SectionGuard guard(m_cs);
    bool shortage = false;
    for (POSITION pos = m_DiskInfo.GetHeadPosition(); pos != nullptr;) {
        CDiskInfoItem* entry = m_DiskInfo.GetNext(pos);
        ULARGE_INTEGER available, total, totalFree;
        if (GetDiskFreeSpaceExA(entry->m_strDrive, &available, &total, &totalFree)) {
            entry->m_liFreeBytesAvailable.QuadPart = static_cast<LONGLONG>(available.QuadPart);
            entry->m_liTotalBytes.QuadPart = static_cast<LONGLONG>(total.QuadPart);
            entry->m_liTotalFreeBytes.QuadPart = static_cast<LONGLONG>(totalFree.QuadPart);
        }
        if (IsShort(*entry)) shortage = true;
    }
    if (bNotify) {
        const DWORD code = DSM_NOTIFY_CHECK | (shortage ? DSM_NOTIFY_LOW : DWORD(0));
        // A callback may destroy items (its own or others) on this thread: walk a copy and
        // call only the items still registered when their turn comes.
        std::vector<CDiskStorageMonitorItem*> items;
        for (POSITION pos = m_Resources.GetHeadPosition(); pos != nullptr;) items.push_back(m_Resources.GetNext(pos));
        for (CDiskStorageMonitorItem* item : items) {
            if (m_Resources.Find(item) == nullptr) continue;
            const CDiskStorageMonitorItemOptions options(item);
            if ((options.m_dwNotifyMask & code) != 0) item->OnResourceNotify(code, m_DiskInfo);
        }
    }
    StoreFlag(m_bResourcesEnough, shortage ? FALSE : TRUE);
    StoreFlag(m_bChecked, TRUE);
    return LoadFlag(m_bResourcesEnough);
}
