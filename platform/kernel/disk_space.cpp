#include "platform/kernel/disk_space.h"

#include <sys/statvfs.h>

#include <cerrno>

#include "platform/base/error_text.h"

BOOL GetDiskFreeSpaceExA(LPCSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                         PULARGE_INTEGER lpTotalNumberOfBytes, PULARGE_INTEGER lpTotalNumberOfFreeBytes)
{
    const char* folder = lpDirectoryName != nullptr && lpDirectoryName[0] != '\0' ? lpDirectoryName : ".";
    struct statvfs info {};
    if (statvfs(folder, &info) != 0) {
        const int err = errno;
        SetLastError(err == ENOENT || err == ENOTDIR ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND)
                                                     : zelm::platform::ErrorFromErrno(err));
        return FALSE;
    }
    const ULONGLONG unit = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
    if (lpFreeBytesAvailableToCaller) lpFreeBytesAvailableToCaller->QuadPart = info.f_bavail * unit;
    if (lpTotalNumberOfBytes) lpTotalNumberOfBytes->QuadPart = info.f_blocks * unit;
    if (lpTotalNumberOfFreeBytes) lpTotalNumberOfFreeBytes->QuadPart = info.f_bfree * unit;
    return TRUE;
}
