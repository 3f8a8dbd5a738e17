#pragma once
// The resource chain: resources are looked up in the application's own module first,
// then in the libraries' modules in the order they were loaded.

#include <string>

#include "platform/base/win_types.h"

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The first module of the chain that holds the resource, or null.
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);

namespace zelm::framework {

// The text of string resource nID from the first module of the chain that has it.
bool LoadResourceString(UINT nID, std::string& text);

}  // namespace zelm::framework
