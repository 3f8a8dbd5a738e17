#include <memory>

#include <zelmtools/diskmon/DiskInfoItem.h>

#include "platform/kernel/split_path.h"

namespace {

// The entry that a path with this drive part belongs to. A mount point can be a part
// of another ("/" is inside every one), so drive texts are compared whole; the empty
// drive part of a relative path belongs to the first entry.
CDiskInfoItem* FindDrive(CDiskInfoItemList& list, const CString& drive)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        CDiskInfoItem* entry = list.GetNext(pos);
        if (drive.IsEmpty() || entry->m_strDrive == drive) return entry;
    }
    return nullptr;
}

}  // namespace

CDiskInfoItemList::CDiskInfoItemList() : CTypedPtrList<CPtrList, CDiskInfoItem*>(10) {}

CDiskInfoItemList::~CDiskInfoItemList()
{
    Clear();
}

void CDiskInfoItemList::Clear()
{
    while (!IsEmpty()) delete RemoveTail();
}

CDiskInfoItemList& CDiskInfoItemList::operator=(const CDiskInfoItemList& other)
{
    if (this == &other) return *this;
    Clear();
    for (POSITION pos = other.GetHeadPosition(); pos != nullptr;) {
        auto copy = std::make_unique<CDiskInfoItem>();
        *copy = *other.GetNext(pos);
        AddTail(copy.get());
        copy.release();
    }
    return *this;
}

int CDiskInfoItemList::AddDrive(const CString& strPath, LARGE_INTEGER liRequired)
{
    if (strPath.IsEmpty()) return TRUE;
    std::unique_ptr<char[]> drive(new char[_MAX_DRIVE]);
    _splitpath(strPath, drive.get(), nullptr, nullptr, nullptr);
    const CString driveText(drive.get());

    if (CDiskInfoItem* entry = FindDrive(*this, driveText)) {
        // Wraps as the original's add with carry does, never overflowing.
        entry->m_liRequired.QuadPart = static_cast<LONGLONG>(static_cast<ULONGLONG>(entry->m_liRequired.QuadPart) +
                                                             static_cast<ULONGLONG>(liRequired.QuadPart));
        return TRUE;
    }
    auto entry = std::make_unique<CDiskInfoItem>();
    entry->m_strDrive = driveText;
    entry->m_liRequired = liRequired;
    AddTail(entry.get());
    entry.release();
    return TRUE;
}
