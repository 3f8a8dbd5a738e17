#include "platform/kernel/open_file.h"

#include <cstring>
#include <string>

#include <zelmtools/platform/base/errors.h>

#include "platform/kernel/directories.h"
#include "platform/kernel/files.h"

namespace {

DWORD AccessOf(UINT style)
{
    switch (style & 3) {
        case OF_WRITE: return GENERIC_WRITE;
        case OF_READWRITE: return GENERIC_READ | GENERIC_WRITE;
        default: return GENERIC_READ;
    }
}

DWORD ShareOf(UINT style)
{
    switch (style & 0x70) {
        case OF_SHARE_DENY_WRITE: return FILE_SHARE_READ;
        case OF_SHARE_DENY_READ: return FILE_SHARE_WRITE;
        case OF_SHARE_DENY_NONE: return FILE_SHARE_READ | FILE_SHARE_WRITE;
        default: return 0;  // exclusive, and the compatibility mode
    }
}

// The path as the record keeps it: made absolute against the working folder.
std::string FullPath(const char* name)
{
    if (name[0] == '/') return name;
    char current[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
    if (length == 0 || length >= DWORD{MAX_PATH}) return name;
    std::string path = current;
    if (path.back() != '/') path += '/';
    return path + name;
}

HFILE Fail(OFSTRUCT* record, DWORD error)
{
    if (record != nullptr) record->nErrCode = static_cast<WORD>(static_cast<std::uint32_t>(error));
    SetLastError(error);
    return HFILE_ERROR;
}

bool TryOpenAndClose(const char* name, UINT style)
{
    HANDLE file =
        CreateFileA(name, AccessOf(style), ShareOf(style), nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace

HFILE OpenFile(LPCSTR lpFileName, OFSTRUCT* lpReOpenBuff, UINT uStyle)
{
    if (lpReOpenBuff != nullptr) {
        std::memset(lpReOpenBuff, 0, sizeof *lpReOpenBuff);
        lpReOpenBuff->cBytes = sizeof *lpReOpenBuff;
    }
    if (lpFileName == nullptr || *lpFileName == '\0') return Fail(lpReOpenBuff, ERROR_FILE_NOT_FOUND);
    if (!(uStyle & (OF_EXIST | OF_DELETE))) return Fail(lpReOpenBuff, ERROR_INVALID_PARAMETER);
    std::string path = FullPath(lpFileName);
    // A path that does not fit the record is not cut: the record keeps none, and the
    // test itself still runs on the whole path.
    if (lpReOpenBuff != nullptr && path.size() < std::size_t{OFS_MAXPATHNAME})
        std::memcpy(lpReOpenBuff->szPathName, path.c_str(), path.size() + 1);
    if (lpReOpenBuff != nullptr) lpReOpenBuff->fFixedDisk = 1;
    const bool done = (uStyle & OF_DELETE) ? DeleteFileA(lpFileName) : TryOpenAndClose(lpFileName, uStyle);
    if (!done) return Fail(lpReOpenBuff, GetLastError());
    SetLastError(ERROR_SUCCESS);
    return 1;
}
