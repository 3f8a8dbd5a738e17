#include "platform/com/task_memory.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>

LPVOID CoTaskMemAlloc(SIZE_T cb)
{
    return std::malloc(cb == 0 ? 1 : cb);
}

LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb)
{
    if (cb == 0 && pv != nullptr) {
        std::free(pv);
        return nullptr;
    }
    return std::realloc(pv, cb == 0 ? 1 : cb);
}

void CoTaskMemFree(LPVOID pv)
{
    std::free(pv);
}

namespace {

class TaskAllocator final : public IMalloc {
public:
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (ppvObject == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IMalloc) {
            *ppvObject = static_cast<IMalloc*>(this);
            AddRef();
            return S_OK;
        }
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override { return m_references > 1 ? --m_references : 1; }
    LPVOID Alloc(SIZE_T cb) override { return CoTaskMemAlloc(cb); }
    LPVOID Realloc(LPVOID pv, SIZE_T cb) override { return CoTaskMemRealloc(pv, cb); }
    void Free(LPVOID pv) override { CoTaskMemFree(pv); }
    SIZE_T GetSize(LPVOID pv) override { return pv ? malloc_usable_size(pv) : static_cast<SIZE_T>(-1); }
    // The blocks carry no mark of their allocator.
    int DidAlloc(LPVOID pv) override { return pv ? -1 : 0; }
    void HeapMinimize() override {}

private:
    std::atomic<ULONG> m_references{1};
};

}  // namespace

HRESULT CoGetMalloc(DWORD dwMemContext, LPMALLOC* ppMalloc)
{
    if (ppMalloc == nullptr) return E_INVALIDARG;
    *ppMalloc = nullptr;
    if (dwMemContext != MEMCTX_TASK) return E_INVALIDARG;
    static TaskAllocator* allocator = new TaskAllocator;  // lives as long as the process
    allocator->AddRef();
    *ppMalloc = allocator;
    return S_OK;
}
