#include "platform/com/class_registry.h"

#include <vector>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/registry/registry.h>

#include "platform/com/guid_text.h"

namespace zelm::platform::com {

namespace {

HRESULT FromRegistryError(LONG error)
{
    return error == ERROR_FILE_NOT_FOUND ? REGDB_E_CLASSNOTREG : REGDB_E_READREGDB;
}

// The key's default value as text (without the terminators the writer may have stored).
HRESULT ReadDefaultText(HKEY key, std::string& text)
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG error = RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size);
    if (error != ERROR_SUCCESS) return FromRegistryError(error);
    if (type != REG_SZ && type != REG_EXPAND_SZ) return REGDB_E_CLASSNOTREG;
    std::vector<BYTE> bytes(size);
    error = RegQueryValueExA(key, nullptr, nullptr, &type, bytes.data(), &size);
    if (error != ERROR_SUCCESS) return FromRegistryError(error);
    text.assign(reinterpret_cast<const char*>(bytes.data()), size);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text.empty() ? REGDB_E_CLASSNOTREG : S_OK;
}

}  // namespace

HRESULT FindInprocServer(const CLSID& clsid, std::string& libraryPath)
{
    std::string path = "CLSID\\" + GuidToText(clsid) + "\\InprocServer32";
    HKEY key = nullptr;
    LONG error = RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key);
    if (error != ERROR_SUCCESS) return FromRegistryError(error);
    HRESULT hr = ReadDefaultText(key, libraryPath);
    RegCloseKey(key);
    return hr;
}

}  // namespace zelm::platform::com
