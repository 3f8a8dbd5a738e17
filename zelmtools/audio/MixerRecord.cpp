// CMixer: the recording destination - its sources, the recording source choice and the
// sources' levels.

#include <zelmtools/audio/Mixer.h>

#include "zelmtools/audio/LineControls.h"

using zelm::audio::ActOnLineControls;
using zelm::audio::MixerSession;

namespace {

constexpr DWORD kWaveIn = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;

// Appends the multiplexer's entries of the recording destination.
bool AppendRecordSources(const MixerSession& session, CArray<tagsrcLineInfo, tagsrcLineInfo&>& lines)
{
    MIXERLINEA destination;
    MIXERCONTROLA mux;
    std::vector<MIXERCONTROLDETAILS_LISTTEXTA> texts;
    if (!session.LineOfType(kWaveIn, destination)) return false;
    if (!zelm::audio::ReadRecordSources(session, destination, mux, texts)) return false;
    for (DWORD i = 0; i < mux.cMultipleItems; ++i) {
        tagsrcLineInfo info{CString(texts[i].szName), texts[i].dwParam1};
        lines.Add(info);
    }
    return true;
}

}  // namespace

DWORD CMixer::FindLineId(int playback, DWORD component)
{
    MixerSession session(OpenForOperation());
    if (!session.IsOpen()) return 0;
    MIXERLINEA destination;
    if (!session.LineOfType(playback ? MIXERLINE_COMPONENTTYPE_DST_SPEAKERS : kWaveIn, destination)) return 0;
    DWORD lineId = 0;
    return session.LastSourceOfType(destination, component, lineId) ? lineId : DWORD(0);
}

int CMixer::SelectRecordSrc(DWORD value, int isLineId)
{
    MixerSession session(OpenForOperation());
    if (!session.IsOpen()) return 0;
    MIXERLINEA destination;
    if (!session.LineOfType(kWaveIn, destination)) return 0;
    DWORD wanted = value;
    if (!isLineId && (!session.LastSourceOfType(destination, value, wanted) || wanted == 0)) return 0;
    MIXERCONTROLA mux;
    std::vector<MIXERCONTROLDETAILS_LISTTEXTA> texts;
    if (!zelm::audio::ReadRecordSources(session, destination, mux, texts)) return 0;
    std::vector<std::int32_t> selected(texts.size(), 0);
    for (std::size_t i = 0; i < texts.size(); ++i) selected[i] = texts[i].dwParam1 == wanted ? 1 : 0;
    return session.Write(mux.dwControlID, destination.cChannels, mux.cMultipleItems, selected) ? 1 : 0;
}

int CMixer::FillRecSrcLinesArray(CArray<tagsrcLineInfo, tagsrcLineInfo&>* lines)
{
    MixerSession session = MixerSession::OpenDevice(0);
    if (!session.IsOpen() || !lines) return 0;
    return AppendRecordSources(session, *lines) ? 1 : 0;
}

namespace {

// Acts on the volume controls of every recording source of a component type.
int ActOnRecordSources(const MixerSession& session, DWORD component, const zelm::audio::ControlAction& act)
{
    CArray<tagsrcLineInfo, tagsrcLineInfo&> sources;
    if (!AppendRecordSources(session, sources)) return 0;
    for (INT_PTR i = 0; i < sources.GetSize(); ++i) {
        MIXERLINEA line;
        if (!session.LineById(sources[i].dwLineID, line)) return 0;
        if (line.dwComponentType != component) continue;
        if (!ActOnLineControls(session, line.dwLineID, true, MIXERCONTROL_CONTROLTYPE_VOLUME, act)) return 0;
    }
    return 1;
}

}  // namespace

int CMixer::GetRecordSrcVolume(int* level, DWORD component, int isLineId)
{
    if (isLineId) return 0;
    MixerSession session(OpenForOperation());
    if (!session.IsOpen()) return 0;
    return ActOnRecordSources(session, component, [&](const MIXERLINEA& line, const MIXERCONTROLA& control) {
        std::vector<std::int32_t> values;
        if (!session.Read(control.dwControlID, line.cChannels, 0, values)) return false;
        *level = values[0];
        return true;
    });
}

int CMixer::SetRecordSrcVolume(int level, DWORD component, int isLineId)
{
    if (isLineId) return 0;
    MixerSession session(OpenForOperation());
    if (!session.IsOpen()) return 0;
    return ActOnRecordSources(session, component, [&](const MIXERLINEA& line, const MIXERCONTROLA& control) {
        return zelm::audio::WriteChannelLevels(session, line, control, level, level);
    });
}
