#include "platform/display/stored_modes.h"

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/registry/registry.h>

namespace zelm::platform::display {

namespace {

struct Field {
    const char* name;
    DWORD DEVMODEA::*member;
};

const Field kDwordFields[] = {
    {"DefaultSettings.XResolution", &DEVMODEA::dmPelsWidth},
    {"DefaultSettings.YResolution", &DEVMODEA::dmPelsHeight},
    {"DefaultSettings.BitsPerPel", &DEVMODEA::dmBitsPerPel},
    {"DefaultSettings.VRefresh", &DEVMODEA::dmDisplayFrequency},
};

bool Write(HKEY key, const char* name, DWORD value)
{
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

bool Read(HKEY key, const char* name, DWORD& value)
{
    DWORD type = 0, size = sizeof value;
    DWORD read = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof read)
        return false;
    value = read;
    return true;
}

}  // namespace

std::string StoredModeKeyPath(const std::string& deviceId)
{
    return "System\\CurrentControlSet\\Control\\Video\\" + deviceId;
}

bool StoreMode(const std::string& deviceId, const DEVMODEA& mode)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_CONFIG, StoredModeKeyPath(deviceId).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool written = true;
    for (const auto& field : kDwordFields) written = written && Write(key, field.name, mode.*field.member);
    written = written && Write(key, "Attach.RelativeX", static_cast<DWORD>(mode.dmPosition.x)) &&
              Write(key, "Attach.RelativeY", static_cast<DWORD>(mode.dmPosition.y));
    RegCloseKey(key);
    return written;
}

bool ReadStoredMode(const std::string& deviceId, DEVMODEA& mode)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_CONFIG, StoredModeKeyPath(deviceId).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    bool read = true;
    for (const auto& field : kDwordFields) read = read && Read(key, field.name, mode.*field.member);
    DWORD x = 0, y = 0;
    read = read && Read(key, "Attach.RelativeX", x) && Read(key, "Attach.RelativeY", y);
    RegCloseKey(key);
    if (!read) return false;
    mode.dmPosition.x = static_cast<LONG>(x);
    mode.dmPosition.y = static_cast<LONG>(y);
    return true;
}

}  // namespace zelm::platform::display
