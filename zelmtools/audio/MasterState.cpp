#include "zelmtools/audio/MasterState.h"

#include "zelmtools/audio/MixerSession.h"

namespace zelm::audio {

bool ReadMasterState(MasterState& state)
{
    state = MasterState{};
    MixerSession session = MixerSession::OpenDevice(0);
    MIXERLINEA line;
    std::vector<MIXERCONTROLA> controls;
    if (!session.IsOpen() || !session.LineOfType(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, line)) return false;
    if (!session.Controls(line, controls)) return false;
    for (const auto& control : controls) {
        bool volume = control.dwControlType == MIXERCONTROL_CONTROLTYPE_VOLUME;
        if (!volume && control.dwControlType != MIXERCONTROL_CONTROLTYPE_MUTE) continue;
        MasterState::Control saved{control.dwControlID, volume ? line.cChannels : DWORD(1), {}};
        if (!session.Read(saved.controlId, saved.channels, 0, saved.values)) return false;
        (volume ? state.volumes : state.mutes).push_back(std::move(saved));
    }
    return !state.volumes.empty();
}

bool RestoreMasterState(const MasterState& state)
{
    MixerSession session = MixerSession::OpenDevice(0);
    if (!session.IsOpen()) return false;
    bool restored = true;
    // Levels first, then the mute switches that the change had cleared.
    for (const auto* group : {&state.volumes, &state.mutes})
        for (auto control : *group)
            restored = session.Write(control.controlId, control.channels, 0, control.values) && restored;
    return restored;
}

}  // namespace zelm::audio
