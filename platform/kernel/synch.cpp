#include <atomic>
#include <mutex>

#include <zelmtools/platform/kernel/synch.h>

namespace {

std::recursive_mutex& LockOf(LPCRITICAL_SECTION section)
{
    return *static_cast<std::recursive_mutex*>(section->LockObject);
}

LONG AddAtomically(LONG volatile* addend, int delta)
{
    // The counter is a LONG object of its own type, so atomic_ref works on the whole
    // value; a compare-exchange loop stands in for fetch_add.
    std::atomic_ref<LONG> value(*const_cast<LONG*>(addend));
    LONG expected = value.load();
    while (!value.compare_exchange_weak(expected, static_cast<LONG>(static_cast<std::int32_t>(expected) + delta))) {
    }
    return static_cast<LONG>(static_cast<std::int32_t>(expected) + delta);
}

}  // namespace

void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    lpCriticalSection->LockObject = new std::recursive_mutex;
}

void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    delete static_cast<std::recursive_mutex*>(lpCriticalSection->LockObject);
    lpCriticalSection->LockObject = nullptr;
}

void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    LockOf(lpCriticalSection).lock();
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    return LockOf(lpCriticalSection).try_lock() ? TRUE : FALSE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    LockOf(lpCriticalSection).unlock();
}

LONG InterlockedIncrement(LONG volatile* lpAddend)
{
    return AddAtomically(lpAddend, 1);
}

LONG InterlockedDecrement(LONG volatile* lpAddend)
{
    return AddAtomically(lpAddend, -1);
}
