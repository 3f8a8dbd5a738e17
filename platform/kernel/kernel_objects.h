#pragma once
// Handles to objects that are not files (snapshots, processes, threads). Each live
// object is registered, so a handle can be told apart from a file's and checked for
// its kind before use.

#include <memory>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::platform {

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

// Registers the object and gives its handle.
HANDLE AddKernelObject(std::shared_ptr<KernelObject> object);

// The live object of that kind behind the handle, or null (last error
// ERROR_INVALID_HANDLE). Shared, so that a close from another thread leaves it usable
// until the caller is done.
template <class T>
std::shared_ptr<T> KernelObjectOf(HANDLE handle);

std::shared_ptr<KernelObject> FindKernelObject(HANDLE handle);
void ReportInvalidKernelHandle();

// Closes the handle when it is one of these objects: true, and the object is released
// once no caller uses it. False when the handle is not one of them.
bool CloseKernelObject(HANDLE handle);

template <class T>
std::shared_ptr<T> KernelObjectOf(HANDLE handle)
{
    auto object = std::dynamic_pointer_cast<T>(FindKernelObject(handle));
    if (!object) ReportInvalidKernelHandle();
    return object;
}

}  // namespace zelm::platform
