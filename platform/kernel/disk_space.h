#pragma once
// Free space of the file system that holds a folder.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

union ULARGE_INTEGER {
    struct {
        DWORD LowPart;
        DWORD HighPart;
    } u;
    ULONGLONG QuadPart;
};
using PULARGE_INTEGER = ULARGE_INTEGER*;

// Bytes available to the caller (f_bavail), in all (f_blocks) and free in all (f_bfree,
// including the reserve), each times the fragment size. A null or empty name is the
// current folder. Outputs may be null. FALSE with ERROR_PATH_NOT_FOUND for a missing
// folder, or the error of the query; the outputs are then left as they were.
ZELM_API BOOL GetDiskFreeSpaceExA(LPCSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                                  PULARGE_INTEGER lpTotalNumberOfBytes, PULARGE_INTEGER lpTotalNumberOfFreeBytes);
#define GetDiskFreeSpaceEx GetDiskFreeSpaceExA
