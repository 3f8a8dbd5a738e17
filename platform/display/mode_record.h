#pragma once
// Reading and writing the caller's mode record within the size it declares.

#include <zelmtools/platform/display/display.h>

namespace zelm::platform::display {

// Everything up to and with dmDisplayFrequency must be there.
constexpr WORD kDevModeMinimumSize = 124;

inline bool HasUsableSize(const DEVMODEA* mode)
{
    return mode != nullptr && mode->dmSize >= kDevModeMinimumSize;
}

// The caller's record as a whole one (missing tail fields zero).
DEVMODEA ReadModeRecord(const DEVMODEA& record);
// Writes back only the bytes the caller's dmSize covers.
void WriteModeRecord(DEVMODEA& record, const DEVMODEA& filled);

}  // namespace zelm::platform::display
