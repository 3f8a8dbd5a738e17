#include <sys/stat.h>

#include <cerrno>

#include <zelmtools/platform/base/errors.h>

#include "platform/base/error_text.h"
#include "platform/kernel/files.h"

// Read-only is the owner's write bit: clearing it is what keeps the owner's own
// programs from changing the file. The other attributes have no counterpart here.
BOOL SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes)
{
    struct stat info {};
    if (lpFileName == nullptr || *lpFileName == '\0') {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    if (lstat(lpFileName, &info) != 0) {
        SetLastError(zelm::platform::ErrorFromErrno(errno));
        return FALSE;
    }
    // The attributes of a link are its own; its target is left alone (a link has no
    // mode of its own to change here).
    if (S_ISLNK(info.st_mode)) return TRUE;
    mode_t mode = info.st_mode & 07777;
    mode = (dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~S_IWUSR) : (mode | S_IWUSR);
    if (mode != (info.st_mode & 07777) && chmod(lpFileName, mode) != 0) {
        SetLastError(zelm::platform::ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}
