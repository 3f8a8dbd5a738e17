#include <zelmtools/diskmon/DiskInfoItem.h>

namespace {

LARGE_INTEGER Quad(LONGLONG value)
{
    LARGE_INTEGER li;
    li.QuadPart = value;
    return li;
}

}  // namespace

CDiskInfoItem::CDiskInfoItem()
    : m_liRequired(Quad(0)), m_liFreeBytesAvailable(Quad(-1)), m_liTotalBytes(Quad(-1)), m_liTotalFreeBytes(Quad(-1))
{
}

CDiskInfoItem::CDiskInfoItem(const CDiskInfoItem& other) = default;

CDiskInfoItem& CDiskInfoItem::operator=(const CDiskInfoItem& other)
{
    if (this == &other) return *this;
    m_strDrive = other.m_strDrive;
    m_liRequired = other.m_liRequired;
    m_liFreeBytesAvailable = other.m_liFreeBytesAvailable;
    m_liTotalBytes = other.m_liTotalBytes;
    m_liTotalFreeBytes = other.m_liTotalFreeBytes;
    return *this;
}

CDiskInfoItem::~CDiskInfoItem() = default;
