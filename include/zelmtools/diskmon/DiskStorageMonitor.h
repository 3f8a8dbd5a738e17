#pragma once
// The disk storage monitor: client items name a path and the bytes that must stay
// free on its drive; once monitoring is on, a hidden window of the enabling thread
// checks every drive on a timer and tells the items that asked.

#include <zelmtools/diskmon/DiskInfoItem.h>
#include <zelmtools/framework/collections/CTypedPtrList.h>
#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/framework/windows/CWnd.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>
#include <zelmtools/platform/kernel/synch.h>

// Notification bits: in an item's mask what it wants to hear, in a code what happened.
constexpr DWORD DSM_NOTIFY_CHECK = 1;  // a check has run (always set in a code)
constexpr DWORD DSM_NOTIFY_LOW = 2;    // some drive has less free space than its items need

class CDiskStorageMonitorItem;
namespace zelm::diskmon {
class MonitorLock;
}
namespace zelm::diskmon {
class MonitorLock;
}

class ZELM_API CDiskStorageMonitorItemOptions {
public:
    CDiskStorageMonitorItemOptions();
    CDiskStorageMonitorItemOptions(const CDiskStorageMonitorItemOptions& other);
    CDiskStorageMonitorItemOptions(CString strName, CString strPath, LARGE_INTEGER liRequired, DWORD dwNotifyMask);
    // The item's options, or the defaults for a null item.
    CDiskStorageMonitorItemOptions(CDiskStorageMonitorItem* pItem);
    CDiskStorageMonitorItemOptions& operator=(const CDiskStorageMonitorItemOptions& other);
    virtual ~CDiskStorageMonitorItemOptions();

    CString m_strName;  // the client's own name for the item
    CString m_strPath;  // a path on the drive to watch
    LARGE_INTEGER m_liRequired;
    DWORD m_dwNotifyMask;
};

// Registers itself with the monitor when constructed (default or four-value
// constructor) and unregisters when destroyed. Copies are not registered.
//
// The monitor may call OnResourceNotify on its own thread at any time while the item
// is registered. A derived item made or destroyed on another thread while monitoring
// runs should be constructed with mask 0, get its real mask through SetOptions, and
// set mask 0 again at the start of its destructor: an item with mask 0 is never
// called, and SetOptions waits for a running check.
class ZELM_API CDiskStorageMonitorItem {
public:
    CDiskStorageMonitorItem();
    CDiskStorageMonitorItem(CString strName, CString strPath, LARGE_INTEGER liRequired, DWORD dwNotifyMask);
    CDiskStorageMonitorItem(const CDiskStorageMonitorItem& other);
    // Copies the options only; the drive list follows at the next rebuild.
    CDiskStorageMonitorItem& operator=(const CDiskStorageMonitorItem& other);
    virtual ~CDiskStorageMonitorItem();

    // Replaces the options and rebuilds the monitor's drive list.
    void SetOptions(const CDiskStorageMonitorItemOptions& options);
    void GetOptions(CDiskStorageMonitorItemOptions* pOptions);

    // dwCode: DSM_NOTIFY_CHECK, plus DSM_NOTIFY_LOW when some drive is short. The list
    // is the monitor's own, valid during the call only.
    virtual void OnResourceNotify(DWORD dwCode, const CDiskInfoItemList& list);

protected:
    CDiskStorageMonitorItemOptions m_Options;
};

class ZELM_API CDiskStorageMonitor : public CWnd {
public:
    CDiskStorageMonitor();
    ~CDiskStorageMonitor() override;

    // The library's one monitor.
    static CDiskStorageMonitor* GetMonitor();

    int IsMonitoring() const;
    // Starts (a hidden window and its timer on the calling thread, which must run a
    // message loop, and one notifying check at once) or stops monitoring. FALSE only
    // when the window cannot be made.
    int EnableMonitoring(int bEnable);
    // The timer period in milliseconds (10000 by default); a running timer restarts.
    void SetInterval(DWORD dwInterval);
    DWORD GetInterval();

    int AddResource(CDiskStorageMonitorItem* pItem);
    int RemoveResource(CDiskStorageMonitorItem* pItem);
    // Rebuilds the drive list from every registered item; pItem is not used.
    void UpdateInfo(CDiskStorageMonitorItem* pItem);
    // Whether every drive has the free space its items need: the last check's result,
    // or a check without notifications when none has run.
    int IsResourcesEnough();

protected:
    void OnTimer(UINT nIDEvent);
    // Measures every drive; with bNotify, tells the items whose mask matches the code.
    virtual int CheckFreeResources(int bNotify);

    DWORD m_dwInterval;
    int m_bMonitoring;
    UINT m_nTimerID;
    int m_bTimerSet;
    CTypedPtrList<CPtrList, CDiskStorageMonitorItem*> m_Resources;
    CDiskInfoItemList m_DiskInfo;
    CRITICAL_SECTION m_cs;
    LONG m_lInCheck;
    int m_bResourcesEnough;
    int m_bChecked;

    static CDiskStorageMonitor m_Monitor;

    DECLARE_MESSAGE_MAP()

private:
    friend class zelm::diskmon::MonitorLock;
    BOOL CreateMonitorWindow();
    void StopTimer();
    // Whether an entry's measured space is below what its items need.
    static bool IsShort(const CDiskInfoItem& entry);
};
