#pragma once
// The resource chain: resources are looked up in the application's own module first,
// then in the libraries' modules in the order they were loaded.

#include <zelmtools/platform/base/export.h>
#include <string>

#include <zelmtools/platform/base/win_types.h>

ZELM_API HINSTANCE AfxGetInstanceHandle();
ZELM_API HINSTANCE AfxGetResourceHandle();
// The first module of the chain that holds the resource, or null.
ZELM_API HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);

namespace zelm::framework {

// The text of string resource nID from the first module of the chain that has it.
ZELM_API bool LoadResourceString(UINT nID, std::string& text);

}  // namespace zelm::framework
