#pragma once
// The disk storage monitor's per-drive summary: one entry per drive of the monitored
// items, with the bytes they require together and the free space last measured. A
// drive is the mount point of the file system that holds a path.

#include <zelmtools/framework/collections/CTypedPtrList.h>
#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

class ZELM_API CDiskInfoItem {
public:
    CDiskInfoItem();
    CDiskInfoItem(const CDiskInfoItem& other);
    CDiskInfoItem& operator=(const CDiskInfoItem& other);
    virtual ~CDiskInfoItem();

    CString m_strDrive;                    // the drive part of the paths; empty for relative paths
    LARGE_INTEGER m_liRequired;            // bytes that the items on this drive need free
    LARGE_INTEGER m_liFreeBytesAvailable;  // as last measured; -1: not measured
    LARGE_INTEGER m_liTotalBytes;
    LARGE_INTEGER m_liTotalFreeBytes;
};

// Owns its entries; they keep the order in which their drives were first added.
class ZELM_API CDiskInfoItemList : public CTypedPtrList<CPtrList, CDiskInfoItem*> {
public:
    CDiskInfoItemList();
    virtual ~CDiskInfoItemList();
    CDiskInfoItemList(const CDiskInfoItemList&) = delete;
    CDiskInfoItemList& operator=(const CDiskInfoItemList& other);

    // Removes and deletes every entry.
    void Clear();
    // Adds liRequired to the entry of strPath's drive, or appends a new entry for it.
    // An empty path changes nothing. Always TRUE.
    int AddDrive(const CString& strPath, LARGE_INTEGER liRequired);
};
