#pragma once
// The version record a library reports through its "DllGetVersion" entry point.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

struct DLLVERSIONINFO {
    DWORD cbSize;  // set by the caller to sizeof(DLLVERSIONINFO), 20
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformID;
};

#ifndef DLLVER_PLATFORM_WINDOWS
#define DLLVER_PLATFORM_WINDOWS 0x00000001
#define DLLVER_PLATFORM_NT 0x00000002
#endif

using DLLGETVERSIONPROC = HRESULT (*)(DLLVERSIONINFO*);

// The shell's own version (the platform library answers for "shell32.dll"): 6.0, the
// shell with the new-style folder browser. E_INVALIDARG for a null record or a wrong
// size.
extern "C" ZELM_API HRESULT DllGetVersion(DLLVERSIONINFO* pdvi);
