#include "zelmtools/audio/MixerSession.h"

#include <algorithm>

namespace zelm::audio {

namespace {

MIXERLINEA NewLine()
{
    MIXERLINEA line{};
    line.cbStruct = sizeof line;
    return line;
}

}  // namespace

MixerSession MixerSession::OpenDevice(UINT deviceId)
{
    MIXERCAPSA caps{};
    HMIXER handle = nullptr;
    if (mixerGetDevCapsA(deviceId, &caps, sizeof caps) != MMSYSERR_NOERROR) return MixerSession(nullptr);
    if (mixerOpen(&handle, deviceId, 0, 0, 0) != MMSYSERR_NOERROR) return MixerSession(nullptr);
    return MixerSession(handle);
}

MixerSession::~MixerSession()
{
    if (m_handle) mixerClose(m_handle);
}

bool MixerSession::QueryLine(MIXERLINEA& line, DWORD query) const
{
    return mixerGetLineInfoA(Object(), &line, MIXER_OBJECTF_HMIXER | query) == MMSYSERR_NOERROR;
}

bool MixerSession::LineOfType(DWORD componentType, MIXERLINEA& line) const
{
    line = NewLine();
    line.dwComponentType = componentType;
    return QueryLine(line, MIXER_GETLINEINFOF_COMPONENTTYPE);
}

bool MixerSession::Source(const MIXERLINEA& destination, DWORD index, MIXERLINEA& line) const
{
    line = NewLine();
    line.dwDestination = destination.dwDestination;
    line.dwSource = index;
    return QueryLine(line, MIXER_GETLINEINFOF_SOURCE);
}

bool MixerSession::LineById(DWORD lineId, MIXERLINEA& line) const
{
    line = NewLine();
    line.dwLineID = lineId;
    return QueryLine(line, MIXER_GETLINEINFOF_LINEID);
}

bool MixerSession::LastSourceOfType(const MIXERLINEA& destination, DWORD componentType, DWORD& lineId) const
{
    lineId = 0;
    for (DWORD n = 0; n < destination.cConnections; ++n) {
        MIXERLINEA source;
        if (!Source(destination, n, source)) return false;
        if (source.dwComponentType == componentType) lineId = source.dwLineID;
    }
    return true;
}

bool MixerSession::Controls(const MIXERLINEA& line, std::vector<MIXERCONTROLA>& controls) const
{
    controls.assign(line.cControls, MIXERCONTROLA{});
    if (controls.empty()) return false;
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof request;
    request.dwLineID = line.dwLineID;
    request.cControls = line.cControls;
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = controls.data();
    return mixerGetLineControlsA(Object(), &request, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL) ==
           MMSYSERR_NOERROR;
}

bool MixerSession::ControlByType(const MIXERLINEA& line, DWORD controlType, MIXERCONTROLA& control) const
{
    // Room for every control of the line, though one comes back.
    std::vector<MIXERCONTROLA> room(std::max<DWORD>(line.cControls, 1), MIXERCONTROLA{});
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof request;
    request.dwLineID = line.dwLineID;
    request.dwControlType = controlType;
    request.cControls = static_cast<DWORD>(room.size());
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = room.data();
    if (mixerGetLineControlsA(Object(), &request, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
        MMSYSERR_NOERROR)
        return false;
    control = room[0];
    return true;
}

bool MixerSession::Exchange(DWORD controlId, DWORD channels, DWORD items, void* entries, DWORD entrySize, DWORD flags,
                            bool write) const
{
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = controlId;
    details.cChannels = channels;
    details.cMultipleItems = items;
    details.cbDetails = entrySize;
    details.paDetails = entries;
    MMRESULT result = write ? mixerSetControlDetails(Object(), &details, MIXER_OBJECTF_HMIXER | flags)
                            : mixerGetControlDetailsA(Object(), &details, MIXER_OBJECTF_HMIXER | flags);
    return result == MMSYSERR_NOERROR;
}

bool MixerSession::Read(DWORD controlId, DWORD channels, DWORD items, std::vector<std::int32_t>& values) const
{
    values.assign(static_cast<std::size_t>(channels) * std::max<DWORD>(items, 1), 0);
    return Exchange(controlId, channels, items, values.data(), sizeof(std::int32_t), MIXER_GETCONTROLDETAILSF_VALUE,
                    false);
}

bool MixerSession::Write(DWORD controlId, DWORD channels, DWORD items, std::vector<std::int32_t>& values) const
{
    values.resize(static_cast<std::size_t>(channels) * std::max<DWORD>(items, 1), 0);
    return Exchange(controlId, channels, items, values.data(), sizeof(std::int32_t), MIXER_SETCONTROLDETAILSF_VALUE,
                    true);
}

bool MixerSession::ReadListText(DWORD controlId, DWORD channels, DWORD items,
                                std::vector<MIXERCONTROLDETAILS_LISTTEXTA>& texts) const
{
    texts.assign(static_cast<std::size_t>(channels) * std::max<DWORD>(items, 1), MIXERCONTROLDETAILS_LISTTEXTA{});
    return Exchange(controlId, channels, items, texts.data(), sizeof(MIXERCONTROLDETAILS_LISTTEXTA),
                    MIXER_GETCONTROLDETAILSF_LISTTEXT, false);
}

bool ReadRecordSources(const MixerSession& session, const MIXERLINEA& destination, MIXERCONTROLA& mux,
                       std::vector<MIXERCONTROLDETAILS_LISTTEXTA>& texts)
{
    if (!session.ControlByType(destination, MIXERCONTROL_CONTROLTYPE_MUX, mux)) return false;
    // The multiplexer's own item count, which may be fewer than the destination's sources.
    return session.ReadListText(mux.dwControlID, destination.cChannels, mux.cMultipleItems, texts);
}

}  // namespace zelm::audio
