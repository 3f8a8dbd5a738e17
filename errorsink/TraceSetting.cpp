#include "TraceSetting.h"

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/registry/registry.h>

namespace zelm::errorsink {

DWORD ReadTraceSetting()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    LONG error = RegQueryValueExA(key, kTraceValue, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    RegCloseKey(key);
    return error == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value ? value : DWORD(0);
}

}  // namespace zelm::errorsink
