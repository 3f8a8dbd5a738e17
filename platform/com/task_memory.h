#pragma once
// The task allocator: memory that one component allocates and another frees, such
// as the item lists that the shell hands to its callers.

#include <zelmtools/platform/base/export.h>

#include <zelmtools/platform/com/unknown.h>

ZELM_API LPVOID CoTaskMemAlloc(SIZE_T cb);
ZELM_API LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb);
ZELM_API void CoTaskMemFree(LPVOID pv);

constexpr IID IID_IMalloc = {0x00000002, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct IMalloc : IUnknown {
    virtual LPVOID Alloc(SIZE_T cb) = 0;
    virtual LPVOID Realloc(LPVOID pv, SIZE_T cb) = 0;
    virtual void Free(LPVOID pv) = 0;
    // The usable size of a block (at least what was asked for); -1 for a null block.
    virtual SIZE_T GetSize(LPVOID pv) = 0;
    // 1 when the block is this allocator's, 0 when not, -1 when it cannot tell.
    virtual int DidAlloc(LPVOID pv) = 0;
    virtual void HeapMinimize() = 0;

protected:
    ~IMalloc() = default;
};
using LPMALLOC = IMalloc*;

constexpr DWORD MEMCTX_TASK = 1;

// The process's task allocator (dwMemContext must be MEMCTX_TASK). It lives as long
// as the process; AddRef and Release only count.
ZELM_API HRESULT CoGetMalloc(DWORD dwMemContext, LPMALLOC* ppMalloc);
