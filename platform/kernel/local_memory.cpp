#include <cstdlib>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/local_memory.h>

HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes)
{
    if ((uFlags & ~LMEM_ZEROINIT) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::size_t size = uBytes == 0 ? 1 : uBytes;  // a zero-byte block is still a distinct block
    void* block = (uFlags & LMEM_ZEROINIT) ? std::calloc(1, size) : std::malloc(size);
    if (block == nullptr) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return block;
}

HLOCAL LocalFree(HLOCAL hMem)
{
    std::free(hMem);
    return nullptr;
}
