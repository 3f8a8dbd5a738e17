#include <zelmtools/diskmon/DiskStorageMonitor.h>

#include "zelmtools/diskmon/MonitorLock.h"

using zelm::diskmon::LiveMonitor;
using zelm::diskmon::MonitorLock;

CDiskStorageMonitorItemOptions::CDiskStorageMonitorItemOptions() : m_dwNotifyMask(0)
{
    m_liRequired.QuadPart = 0;
}

CDiskStorageMonitorItemOptions::CDiskStorageMonitorItemOptions(const CDiskStorageMonitorItemOptions& other) = default;

CDiskStorageMonitorItemOptions::CDiskStorageMonitorItemOptions(CString strName, CString strPath,
                                                               LARGE_INTEGER liRequired, DWORD dwNotifyMask)
    : m_strName(std::move(strName)),
      m_strPath(std::move(strPath)),
      m_liRequired(liRequired),
      m_dwNotifyMask(dwNotifyMask)
{
}

CDiskStorageMonitorItemOptions::CDiskStorageMonitorItemOptions(CDiskStorageMonitorItem* pItem)
    : CDiskStorageMonitorItemOptions()
{
    if (pItem != nullptr) pItem->GetOptions(this);
}

CDiskStorageMonitorItemOptions& CDiskStorageMonitorItemOptions::operator=(const CDiskStorageMonitorItemOptions& other)
{
    if (this == &other) return *this;
    m_strName = other.m_strName;
    m_strPath = other.m_strPath;
    m_liRequired = other.m_liRequired;
    m_dwNotifyMask = other.m_dwNotifyMask;
    return *this;
}

CDiskStorageMonitorItemOptions::~CDiskStorageMonitorItemOptions() = default;

CDiskStorageMonitorItem::CDiskStorageMonitorItem()
{
    if (CDiskStorageMonitor* monitor = LiveMonitor()) monitor->AddResource(this);
}

CDiskStorageMonitorItem::CDiskStorageMonitorItem(CString strName, CString strPath, LARGE_INTEGER liRequired,
                                                 DWORD dwNotifyMask)
    : m_Options(std::move(strName), std::move(strPath), liRequired, dwNotifyMask)
{
    if (CDiskStorageMonitor* monitor = LiveMonitor()) monitor->AddResource(this);
}

CDiskStorageMonitorItem::CDiskStorageMonitorItem(const CDiskStorageMonitorItem& other)
{
    MonitorLock lock;
    m_Options = other.m_Options;
}

CDiskStorageMonitorItem& CDiskStorageMonitorItem::operator=(const CDiskStorageMonitorItem& other)
{
    MonitorLock lock;
    m_Options = other.m_Options;
    return *this;
}

CDiskStorageMonitorItem::~CDiskStorageMonitorItem()
{
    if (CDiskStorageMonitor* monitor = LiveMonitor()) monitor->RemoveResource(this);
}

void CDiskStorageMonitorItem::SetOptions(const CDiskStorageMonitorItemOptions& options)
{
    MonitorLock lock;
    m_Options = options;
    if (lock.Monitor()) lock.Monitor()->UpdateInfo(this);
}

void CDiskStorageMonitorItem::GetOptions(CDiskStorageMonitorItemOptions* pOptions)
{
    MonitorLock lock;
    *pOptions = m_Options;
}

void CDiskStorageMonitorItem::OnResourceNotify(DWORD, const CDiskInfoItemList&) {}
