#pragma once
// The in-process servers this process has loaded, each loaded once and kept until
// it says it can be unloaded.

#include <string>

#include <zelmtools/platform/com/unknown.h>

namespace zelm::platform::com {

// Loads the library at path (once) and asks its DllGetClassObject for the class's
// object. CO_E_DLLNOTFOUND when it does not load, CO_E_ERRORINDLL without the entry.
HRESULT GetClassObjectFromServer(const std::string& path, REFCLSID clsid, REFIID iid, void** object);

// Unloads every loaded server whose DllCanUnloadNow answers S_OK.
void UnloadUnusedServers();

}  // namespace zelm::platform::com
