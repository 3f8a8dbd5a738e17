#pragma once
// Where a class's in-process server is registered.

#include <string>

#include <zelmtools/platform/com/unknown.h>

namespace zelm::platform::com {

// The library path registered as the default value of
// HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32; REGDB_E_CLASSNOTREG when the key or
// its path is missing, REGDB_E_READREGDB when the store cannot be read.
HRESULT FindInprocServer(const CLSID& clsid, std::string& libraryPath);

}  // namespace zelm::platform::com
