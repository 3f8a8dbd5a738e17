#pragma once
// Module files and the version information compiled into them.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

// The fixed part of a version resource, returned by VerQueryValueA for "\".
struct VS_FIXEDFILEINFO {
    DWORD dwSignature;  // 0xFEEF04BD
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};

// The path of the module's file (the executable's for null), cut to fit nSize - 1
// characters with ERROR_INSUFFICIENT_BUFFER as the system does; its length, or 0.
ZELM_API DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);

// The size of the block GetFileVersionInfoA fills for that file; 0 with
// ERROR_FILE_NOT_FOUND for a missing file, ERROR_RESOURCE_TYPE_NOT_FOUND for a file
// that carries no version information. *lpdwHandle, when given, is set to 0.
ZELM_API DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle);
// Fills a block of at least the size above (ERROR_INSUFFICIENT_BUFFER otherwise).
ZELM_API BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData);

// Looks a value up in a filled block: "\" gives the VS_FIXEDFILEINFO,
// "\StringFileInfo\040904b0\FileVersion" a text (UTF-8, zero-terminated, *puLen its
// length in bytes without the terminator), "\VarFileInfo\Translation" the array of
// language and code page pairs (*puLen in bytes). Keys compare without case.
ZELM_API BOOL VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen);
