#pragma once
// Whether memory can be read, asked without touching it: the probe never faults, so an
// unmapped or protected address is answered TRUE ("bad") instead of ending the process.
// The answer is a snapshot; another thread may unmap the memory right after.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

// TRUE when any of the ucb bytes at lp cannot be read; FALSE for ucb 0.
ZELM_API BOOL IsBadReadPtr(const void* lp, UINT_PTR ucb);
// TRUE for a null text, or when a character before the terminator (or before the
// first ucchMax characters, whichever comes first) cannot be read.
ZELM_API BOOL IsBadStringPtrA(LPCSTR lpsz, UINT_PTR ucchMax);
ZELM_API BOOL IsBadStringPtrW(LPCWSTR lpsz, UINT_PTR ucchMax);
