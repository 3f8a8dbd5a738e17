#include <zelmtools/platform/base/errors.h>
#include "platform/base/error_text.h"

#include <cerrno>

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
}

DWORD GetLastError() { return t_lastError; }

void SetLastError(DWORD dwErrCode) { t_lastError = dwErrCode; }

namespace zelm::platform {

DWORD ErrorFromErrno(int err)
{
    switch (err) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM: return ERROR_ACCESS_DENIED;
    case EROFS: return ERROR_WRITE_PROTECT;
    case EEXIST: return ERROR_FILE_EXISTS;
    case EISDIR: return ERROR_DIRECTORY;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EBUSY: return ERROR_BUSY;
    case EAGAIN: return ERROR_LOCK_VIOLATION;
    case EPIPE: return ERROR_BROKEN_PIPE;
    case EIO: return ERROR_IO_DEVICE;
    case ESPIPE: return ERROR_SEEK_ON_DEVICE;
    case EFBIG: return ERROR_FILE_TOO_LARGE;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    case ENXIO:
    case ENODEV: return ERROR_DEV_NOT_EXIST;
    case ECANCELED: return ERROR_OPERATION_ABORTED;
    default: return ERROR_INVALID_FUNCTION;
    }
}

std::string ErrorText(DWORD code)
{
    switch (static_cast<LONG>(code)) {
    case ERROR_SUCCESS: return "no error";
    case ERROR_FILE_NOT_FOUND: return "no such file";
    case ERROR_PATH_NOT_FOUND: return "no such folder";
    case ERROR_TOO_MANY_OPEN_FILES: return "too many open files";
    case ERROR_ACCESS_DENIED: return "permission denied";
    case ERROR_INVALID_HANDLE: return "the file is not open";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return "out of memory";
    case ERROR_WRITE_PROTECT: return "read-only file system";
    case ERROR_SHARING_VIOLATION: return "the file is in use by another program";
    case ERROR_LOCK_VIOLATION: return "the file is locked";
    case ERROR_HANDLE_EOF: return "end of file";
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return "no space left on the device";
    case ERROR_NOT_SUPPORTED: return "not supported";
    case ERROR_DEV_NOT_EXIST: return "no such device";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return "the file exists";
    case ERROR_INVALID_PARAMETER: return "invalid argument";
    case ERROR_BROKEN_PIPE: return "broken pipe";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return "invalid file name";
    case ERROR_SEEK_ON_DEVICE: return "the input cannot be repositioned (a pipe or device)";
    case ERROR_DIR_NOT_EMPTY: return "the folder is not empty";
    case ERROR_BUSY: return "device or resource busy";
    case ERROR_FILENAME_EXCED_RANGE: return "file name too long";
    case ERROR_FILE_TOO_LARGE: return "file too large";
    case ERROR_DIRECTORY: return "is a directory";
    case ERROR_OPERATION_ABORTED: return "the operation was cancelled";
    case ERROR_IO_DEVICE: return "input/output error";
    case ERROR_CANT_RESOLVE_FILENAME: return "too many levels of symbolic links";
    default: return "system error " + std::to_string(code);
    }
}

}  // namespace zelm::platform
