#include "platform/kernel/directories.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include <zelmtools/platform/base/errors.h>

#include "platform/base/error_text.h"

namespace {

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.empty() ? "." : path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The folder that holds the last part of a path ("" for the working folder).
std::string ParentOf(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return std::string();
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// A missing last part is "file not found"; a missing folder on the way "path not found".
DWORD MissingError(const char* path)
{
    return IsFolder(ParentOf(path)) ? DWORD{ERROR_FILE_NOT_FOUND} : DWORD{ERROR_PATH_NOT_FOUND};
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

DWORD RemoveError(const char* path, int err)
{
    switch (err) {
        case ENOENT: return MissingError(path);
        case ENOTEMPTY:
        case EEXIST: return ERROR_DIR_NOT_EMPTY;
        case ENOTDIR: {
            struct stat info {};
            // The path itself is a file, or a file stands where a folder on the way should be.
            return stat(path, &info) == 0 ? DWORD{ERROR_DIRECTORY} : DWORD{ERROR_PATH_NOT_FOUND};
        }
        default: return zelm::platform::ErrorFromErrno(err);
    }
}

}  // namespace

BOOL CreateDirectoryA(LPCSTR lpPathName, SECURITY_ATTRIBUTES*)
{
    if (lpPathName == nullptr || *lpPathName == '\0') return Fail(ERROR_PATH_NOT_FOUND);
    if (mkdir(lpPathName, 0777) == 0) return TRUE;
    switch (errno) {
        case EEXIST: return Fail(ERROR_ALREADY_EXISTS);
        case ENOENT:
        case ENOTDIR: return Fail(ERROR_PATH_NOT_FOUND);
        default: return Fail(zelm::platform::ErrorFromErrno(errno));
    }
}

BOOL RemoveDirectoryA(LPCSTR lpPathName)
{
    if (lpPathName == nullptr || *lpPathName == '\0') return Fail(ERROR_PATH_NOT_FOUND);
    if (rmdir(lpPathName) == 0) return TRUE;
    return Fail(RemoveError(lpPathName, errno));
}

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer)
{
    char* current = getcwd(nullptr, 0);
    if (current == nullptr) {
        SetLastError(zelm::platform::ErrorFromErrno(errno));
        return 0;
    }
    std::string path = current;
    free(current);
    if (lpBuffer == nullptr || nBufferLength <= path.size()) return static_cast<DWORD>(path.size() + 1);
    std::memcpy(lpBuffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}
