#pragma once
// The version the shell reports through DllGetVersion.

#include <zelmtools/platform/base/win_types.h>

namespace zelm::platform {

// Makes DllGetVersion report another shell version, so that callers' paths for older
// shells can be exercised; (0, 0) restores the real one.
void OverrideShellVersion(DWORD major, DWORD minor);

}  // namespace zelm::platform
