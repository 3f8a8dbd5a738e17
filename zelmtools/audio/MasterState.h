#pragma once
// The master playback line's settings exactly as they are (every channel of every
// volume control, every mute switch), to put back after a change.

#include <cstdint>
#include <vector>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::audio {

struct MasterState {
    struct Control {
        DWORD controlId;
        DWORD channels;
        std::vector<std::int32_t> values;
    };
    std::vector<Control> volumes;
    std::vector<Control> mutes;
};

// False when mixer device 0 cannot be opened, the master line or its controls cannot
// be read, or it has no volume control.
bool ReadMasterState(MasterState& state);
bool RestoreMasterState(const MasterState& state);

}  // namespace zelm::audio
