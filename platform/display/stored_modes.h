#pragma once
// The modes that CDS_UPDATEREGISTRY keeps: one key per adapter identity in the
// registry store, HKEY_CURRENT_CONFIG\System\CurrentControlSet\Control\Video\<DeviceID>,
// with the values of the original's "DefaultSettings.*" as REG_DWORD.

#include <string>

#include <zelmtools/platform/display/display.h>

namespace zelm::platform::display {

std::string StoredModeKeyPath(const std::string& deviceId);
bool StoreMode(const std::string& deviceId, const DEVMODEA& mode);
// Fills width, height, depth, refresh and position; false when nothing is kept.
bool ReadStoredMode(const std::string& deviceId, DEVMODEA& mode);

}  // namespace zelm::platform::display
