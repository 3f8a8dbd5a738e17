#include "framework/resources/ResourceChain.h"

#include <zelmtools/platform/base/errors.h>
#include "platform/kernel/resource_modules.h"

HINSTANCE AfxGetInstanceHandle() { return GetModuleHandleA(nullptr); }

HINSTANCE AfxGetResourceHandle() { return GetModuleHandleA(nullptr); }

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    for (HMODULE module : zelm::platform::ResourceModules()) {
        if (FindResourceA(module, lpszName, lpszType) != nullptr) return module;
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

namespace zelm::framework {

bool LoadResourceString(UINT nID, std::string& text)
{
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEA(nID), RT_STRING);
    if (module == nullptr) return false;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(nID), RT_STRING);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    text.assign(bytes, SizeofResource(module, found));
    return true;
}

}  // namespace zelm::framework
