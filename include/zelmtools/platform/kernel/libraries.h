#pragma once
// Loading libraries at run time, and the system folder.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

using FARPROC = LONG_PTR (*)();

// Loads a shared library by path (or by name along the loader's search path); the
// handle serves GetProcAddress and FreeLibrary. Null with ERROR_MOD_NOT_FOUND.
ZELM_API HMODULE LoadLibraryA(LPCSTR lpLibFileName);
// Null with ERROR_PROC_NOT_FOUND when the library has no such symbol.
ZELM_API FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
ZELM_API BOOL FreeLibrary(HMODULE hLibModule);

// The folder of the system's own programs, which here are the project's installed
// programs (regsvr32 among them): the folder holding regsvr32 found from this library's
// own file, first its folder, then the "bin" beside it or beside one of the two folders
// above (prefix/lib/<arch>/ finds prefix/bin, a build's lib/ finds its bin/); else the
// running program's folder. No final "/". Returns the length, or the size needed
// (with the zero byte) when uSize is too small.
ZELM_API UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize);
