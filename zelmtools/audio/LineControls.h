#pragma once
// The step that the level, balance and mute operations share: find a line, list its
// controls, and act on every control of one type in order.

#include <functional>

#include "zelmtools/audio/MixerSession.h"

namespace zelm::audio {

using ControlAction = std::function<bool(const MIXERLINEA& line, const MIXERCONTROLA& control)>;

// The line of a component type (byId false) or with an identifier.
bool FindLine(const MixerSession& session, DWORD value, bool byId, MIXERLINEA& line);

// 0 when the line is not found or an action fails; 1 otherwise, also when the controls
// cannot be listed or none has the type.
int ActOnLineControls(const MixerSession& session, DWORD value, bool byId, DWORD controlType, const ControlAction& act);

// Writes the left and right channels of a volume control (a mono line gets left); a
// line with more channels keeps the levels of the others.
bool WriteChannelLevels(const MixerSession& session, const MIXERLINEA& line, const MIXERCONTROLA& control, int left,
                        int right);

}  // namespace zelm::audio
