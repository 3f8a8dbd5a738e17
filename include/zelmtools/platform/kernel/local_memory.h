#pragma once
// The process's local heap: blocks that one function allocates and its caller frees,
// such as the formatter's allocated messages.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

using HLOCAL = HANDLE;

constexpr UINT LMEM_FIXED = 0x0000;
constexpr UINT LMEM_ZEROINIT = 0x0040;
constexpr UINT LPTR = LMEM_FIXED | LMEM_ZEROINIT;

// Only fixed blocks (the handle is the address); other flags fail with
// ERROR_INVALID_PARAMETER.
ZELM_API HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes);
// Returns null when freed (null is allowed), else the handle.
ZELM_API HLOCAL LocalFree(HLOCAL hMem);
