// CMixer: the master level and balance and the playback lines.

#include <algorithm>
#include <limits>

#include <zelmtools/audio/Mixer.h>

#include "zelmtools/audio/LineControls.h"

using zelm::audio::ActOnLineControls;
using zelm::audio::MixerSession;

namespace {

constexpr DWORD kSpeakers = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;

bool FitsLong32(long value)
{
    return value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
}

bool WriteMute(const MixerSession& session, const MIXERCONTROLA& control, int mute)
{
    std::vector<std::int32_t> values{mute};
    return session.Write(control.dwControlID, 1, 0, values);
}

}  // namespace

int CMixer::GetGlobalPlayLevel(int* level)
{
    MixerSession session(OpenForOperation());
    if (!session.IsOpen()) return 0;
    return ActOnLineControls(session, kSpeakers, false, MIXERCONTROL_CONTROLTYPE_VOLUME,
                             [&](const MIXERLINEA& line, const MIXERCONTROLA& control) {
                                 std::vector<std::int32_t> values;
                                 if (!session.Read(control.dwControlID, line.cChannels, 0, values)) return false;
                                 std::int32_t left = values[0], right = values.size() > 1 ? values[1] : 0;
                                 *level = std::max(left, right);
                                 return true;
                             });
}

int CMixer::SetGlobalPlayLevel(int level)
{
    return SetGlobalPlayLevel(level, level);
}

int CMixer::SetGlobalPlayLevel(int left, int right)
{
    MixerSession session(OpenForOperation());
    if (!session.IsOpen()) return 0;
    MIXERLINEA line;
    if (!session.LineOfType(kSpeakers, line)) return 0;
    std::vector<MIXERCONTROLA> controls;
    if (!session.Controls(line, controls)) return 1;
    for (const auto& control : controls) {
        bool ok = true;
        if (control.dwControlType == MIXERCONTROL_CONTROLTYPE_VOLUME)
            ok = zelm::audio::WriteChannelLevels(session, line, control, left, right);
        if (control.dwControlType == MIXERCONTROL_CONTROLTYPE_MUTE) ok = WriteMute(session, control, 0);
        if (!ok) return 0;
    }
    return 1;
}

int CMixer::GetGlobalPlayPan(long* pan)
{
    MixerSession session(OpenForOperation());
    if (!session.IsOpen()) return 0;
    return ActOnLineControls(session, kSpeakers, false, MIXERCONTROL_CONTROLTYPE_PAN,
                             [&](const MIXERLINEA& line, const MIXERCONTROLA& control) {
                                 std::vector<std::int32_t> values;
                                 if (!session.Read(control.dwControlID, line.cChannels, 0, values)) return false;
                                 *pan = values[0];
                                 return true;
                             });
}

int CMixer::SetGlobalPlayPan(long pan)
{
    if (!FitsLong32(pan)) return 0;
    MixerSession session(OpenForOperation());
    if (!session.IsOpen()) return 0;
    return ActOnLineControls(session, kSpeakers, false, MIXERCONTROL_CONTROLTYPE_PAN,
                             [&](const MIXERLINEA& line, const MIXERCONTROLA& control) {
                                 std::vector<std::int32_t> values(line.cChannels, static_cast<std::int32_t>(pan));
                                 return session.Write(control.dwControlID, line.cChannels, 0, values);
                             });
}

int CMixer::GetPlaySrcVolume(int* level, DWORD value, int isLineId)
{
    MixerSession session(OpenForOperation());
    if (!session.IsOpen()) return 0;
    return ActOnLineControls(session, value, isLineId != 0, MIXERCONTROL_CONTROLTYPE_VOLUME,
                             [&](const MIXERLINEA& line, const MIXERCONTROLA& control) {
                                 std::vector<std::int32_t> values;
                                 if (!session.Read(control.dwControlID, line.cChannels, 0, values)) return false;
                                 *level = values[0];
                                 return true;
                             });
}

int CMixer::SetPlaySrcVolume(int level, DWORD component, int isLineId)
{
    if (isLineId) return 0;
    MixerSession session(OpenForOperation());
    if (!session.IsOpen()) return 0;
    return ActOnLineControls(session, component, false, MIXERCONTROL_CONTROLTYPE_VOLUME,
                             [&](const MIXERLINEA& line, const MIXERCONTROLA& control) {
                                 return zelm::audio::WriteChannelLevels(session, line, control, level, level);
                             });
}

int CMixer::MutePlaySrcVolume(int mute, DWORD component, int isLineId)
{
    if (isLineId) return 0;
    MixerSession session(OpenForOperation());
    if (!session.IsOpen()) return 0;
    return ActOnLineControls(
        session, component, false, MIXERCONTROL_CONTROLTYPE_MUTE,
        [&](const MIXERLINEA&, const MIXERCONTROLA& control) { return WriteMute(session, control, mute); });
}
