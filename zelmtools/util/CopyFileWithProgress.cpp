#include <cstring>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/util/FileUtils.h>

#include "platform/shell/file_operation.h"

namespace {

// The path as a list of one: its bytes, a zero, and the list's closing zero. False
// when it does not fit the MAX_PATH + 1 bytes.
bool AsListOfOne(const CString& path, char (&list)[MAX_PATH + 1])
{
    std::size_t length = static_cast<std::size_t>(path.GetLength());
    if (length > MAX_PATH - 2) return false;
    std::memcpy(list, static_cast<LPCSTR>(path), length);
    list[length] = '\0';
    list[length + 1] = '\0';
    return true;
}

}  // namespace

int CopyFileWithProgress(HWND hOwner, const CString& strSource, const CString& strTarget, CString strTitle)
{
    char from[MAX_PATH + 1];
    char to[MAX_PATH + 1];
    if (!AsListOfOne(strSource, from) || !AsListOfOne(strTarget, to)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = hOwner;
    operation.wFunc = FO_COPY;
    operation.pFrom = from;
    operation.pTo = to;
    operation.fFlags = FOF_SIMPLEPROGRESS | FOF_NOCONFIRMATION;
    operation.hNameMappings = nullptr;
    operation.lpszProgressTitle = strTitle;
    return SHFileOperationA(&operation) == 0 ? 1 : 0;
}
