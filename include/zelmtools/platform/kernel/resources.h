#pragma once
// Resources compiled into each module (the program and every library) and found by
// module handle, type and number, as the system's resource calls find them.

#include <cstddef>

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

#define RT_CURSOR MAKEINTRESOURCEA(1)
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_MENU MAKEINTRESOURCEA(4)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_MESSAGETABLE MAKEINTRESOURCEA(11)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)
#define RT_VERSION MAKEINTRESOURCEA(16)

namespace zelm::platform {

// One resource of a module. Strings (RT_STRING) are stored one per entry under
// their own number, as UTF-8 without a terminator. Message tables carry one entry per
// language; every other resource is language-neutral (0).
struct ResourceEntry {
    WORD type;
    WORD id;
    const BYTE* data;
    DWORD size;
    WORD language = 0;
};

// Called from each module's generated resource table at load time. The executable's
// table comes first in the search order, the libraries' follow in load order. The
// module's file is the one that holds `entries` (the executable's for the executable).
ZELM_API HMODULE RegisterModuleResources(const char* moduleName, bool isExecutable, const ResourceEntry* entries,
                                         std::size_t count);
ZELM_API void UnregisterModuleResources(HMODULE module);

}  // namespace zelm::platform

// A null name gives the executable's module; otherwise the module registered under
// that name (without directory or extension); "USER32" gives the library that
// provides those calls (a loader handle, for GetProcAddress).
ZELM_API HMODULE GetModuleHandleA(LPCSTR lpModuleName);
ZELM_API HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
ZELM_API HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
ZELM_API LPVOID LockResource(HGLOBAL hResData);
ZELM_API DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
// Copies the string (cut on a character boundary to fit) and returns its length in
// bytes; 0 with ERROR_RESOURCE_NAME_NOT_FOUND when the module has no such string.
ZELM_API int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);
