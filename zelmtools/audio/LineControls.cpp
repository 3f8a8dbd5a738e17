#include "zelmtools/audio/LineControls.h"

#include <vector>

namespace zelm::audio {

bool FindLine(const MixerSession& session, DWORD value, bool byId, MIXERLINEA& line)
{
    return byId ? session.LineById(value, line) : session.LineOfType(value, line);
}

int ActOnLineControls(const MixerSession& session, DWORD value, bool byId, DWORD controlType, const ControlAction& act)
{
    MIXERLINEA line;
    if (!FindLine(session, value, byId, line)) return 0;
    std::vector<MIXERCONTROLA> controls;
    if (!session.Controls(line, controls)) return 1;
    for (const auto& control : controls)
        if (control.dwControlType == controlType && !act(line, control)) return 0;
    return 1;
}

bool WriteChannelLevels(const MixerSession& session, const MIXERLINEA& line, const MIXERCONTROLA& control, int left,
                        int right)
{
    std::vector<std::int32_t> values;
    if (line.cChannels > 2 && !session.Read(control.dwControlID, line.cChannels, 0, values)) return false;
    values.resize(line.cChannels, 0);
    if (!values.empty()) values[0] = left;
    if (values.size() > 1) values[1] = right;
    return session.Write(control.dwControlID, line.cChannels, 0, values);
}

}  // namespace zelm::audio
