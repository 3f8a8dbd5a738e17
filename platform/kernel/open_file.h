#pragma once
// The old open-by-name call, kept for the tests it makes without keeping the file open:
// whether a file exists and can be opened with a given access and share mode, and
// deleting by name.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

using HFILE = int;
constexpr HFILE HFILE_ERROR = -1;
constexpr int OFS_MAXPATHNAME = 128;

constexpr UINT OF_READ = 0x0000;
constexpr UINT OF_WRITE = 0x0001;
constexpr UINT OF_READWRITE = 0x0002;
constexpr UINT OF_SHARE_COMPAT = 0x0000;
constexpr UINT OF_SHARE_EXCLUSIVE = 0x0010;
constexpr UINT OF_SHARE_DENY_WRITE = 0x0020;
constexpr UINT OF_SHARE_DENY_READ = 0x0030;
constexpr UINT OF_SHARE_DENY_NONE = 0x0040;
constexpr UINT OF_DELETE = 0x0200;
constexpr UINT OF_EXIST = 0x4000;

struct OFSTRUCT {
    BYTE cBytes;
    BYTE fFixedDisk;
    WORD nErrCode;
    WORD Reserved1;
    WORD Reserved2;
    CHAR szPathName[OFS_MAXPATHNAME];
};

// OF_EXIST opens the file with the access and share mode asked (share modes hold
// against every other opener, other processes included) and closes it at once;
// OF_DELETE deletes it. Returns 1 on success, HFILE_ERROR with the last error and
// nErrCode set otherwise. Opens that keep the file are refused (ERROR_INVALID_PARAMETER):
// a kept file is opened with CreateFileA, whose handles do not fit an HFILE.
// szPathName gets the full path when it fits, else stays empty.
ZELM_API HFILE OpenFile(LPCSTR lpFileName, OFSTRUCT* lpReOpenBuff, UINT uStyle);
