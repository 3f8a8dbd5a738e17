#include "platform/kernel/kernel_objects.h"

#include <map>
#include <mutex>

#include <zelmtools/platform/base/errors.h>

namespace zelm::platform {
namespace {

std::mutex g_objectsLock;
// Keyed by the object's address, which is also its handle: unique while it lives.
std::map<HANDLE, std::shared_ptr<KernelObject>>& Objects()
{
    static auto* objects = new std::map<HANDLE, std::shared_ptr<KernelObject>>;
    return *objects;
}

}  // namespace

HANDLE AddKernelObject(std::shared_ptr<KernelObject> object)
{
    HANDLE handle = object.get();
    std::lock_guard lock(g_objectsLock);
    Objects()[handle] = std::move(object);
    return handle;
}

std::shared_ptr<KernelObject> FindKernelObject(HANDLE handle)
{
    std::lock_guard lock(g_objectsLock);
    auto found = Objects().find(handle);
    return found == Objects().end() ? nullptr : found->second;
}

void ReportInvalidKernelHandle()
{
    SetLastError(ERROR_INVALID_HANDLE);
}

bool CloseKernelObject(HANDLE handle)
{
    std::shared_ptr<KernelObject> closing;
    std::lock_guard lock(g_objectsLock);
    auto found = Objects().find(handle);
    if (found == Objects().end()) return false;
    closing = std::move(found->second);
    Objects().erase(found);
    return true;
}

}  // namespace zelm::platform
