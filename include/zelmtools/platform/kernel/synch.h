#pragma once
// Critical sections (re-entrant for the thread that holds them) and interlocked
// counters. Public because classes of the library hold a critical section.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

// Initialise before use and delete after; the lock itself lives behind LockObject.
struct CRITICAL_SECTION {
    void* LockObject;
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;

ZELM_API void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
ZELM_API void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
// Waits until no other thread holds it; the holder may enter again (and leaves as often).
ZELM_API void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
ZELM_API BOOL TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
ZELM_API void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection);

// Atomic increment and decrement; both return the new value.
ZELM_API LONG InterlockedIncrement(LONG volatile* lpAddend);
ZELM_API LONG InterlockedDecrement(LONG volatile* lpAddend);
