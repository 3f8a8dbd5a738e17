#pragma once
// Snapshots of the running processes.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

constexpr DWORD TH32CS_SNAPPROCESS = 0x2;

struct PROCESSENTRY32 {
    DWORD dwSize;  // set by the caller to sizeof(PROCESSENTRY32)
    DWORD cntUsage;
    DWORD th32ProcessID;
    ULONG_PTR th32DefaultHeapID;
    DWORD th32ModuleID;
    DWORD cntThreads;
    DWORD th32ParentProcessID;
    LONG pcPriClassBase;
    DWORD dwFlags;
    // The executable's file name without its folder. The kernel's short process name is
    // cut at 15 bytes, so the name comes from the executable link when it can be read,
    // else from the program named on the command line, and only then from that short name.
    CHAR szExeFile[MAX_PATH];
};
using LPPROCESSENTRY32 = PROCESSENTRY32*;

// A snapshot of the processes running now (other flags than TH32CS_SNAPPROCESS add
// nothing); th32ProcessID is ignored. Close it with CloseHandle.
ZELM_API HANDLE CreateToolhelp32Snapshot(DWORD dwFlags, DWORD th32ProcessID);
// The first and the next process of the snapshot. False with ERROR_NO_MORE_FILES at the
// end, ERROR_BAD_LENGTH when dwSize is too small.
ZELM_API BOOL Process32First(HANDLE hSnapshot, LPPROCESSENTRY32 lppe);
ZELM_API BOOL Process32Next(HANDLE hSnapshot, LPPROCESSENTRY32 lppe);
