#include "platform/kernel/files.h"
#include <zelmtools/util/StrUtils.h>

CString MakeTempFileName(const char* pszPrefix)
{
    char folder[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) return CString();
    char path[MAX_PATH];
    if (GetTempFileNameA(folder, pszPrefix, 0, path) == 0) return CString();
    return CString(path);
}
