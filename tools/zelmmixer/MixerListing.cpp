#include "MixerListing.h"

#include <cstdio>
#include <string>
#include <vector>

#include <zelmtools/platform/audio/mixer.h>

namespace zelmmixer {

namespace {

const char* ComponentName(DWORD type)
{
    switch (type) {
        case MIXERLINE_COMPONENTTYPE_DST_SPEAKERS: return "speakers";
        case MIXERLINE_COMPONENTTYPE_DST_WAVEIN: return "recording";
        case MIXERLINE_COMPONENTTYPE_SRC_DIGITAL: return "digital";
        case MIXERLINE_COMPONENTTYPE_SRC_LINE: return "line";
        case MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE: return "microphone";
        case MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER: return "synthesizer";
        case MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC: return "compact disc";
        case MIXERLINE_COMPONENTTYPE_SRC_TELEPHONE: return "telephone";
        case MIXERLINE_COMPONENTTYPE_SRC_PCSPEAKER: return "pc speaker";
        case MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT: return "wave out";
        case MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY: return "auxiliary";
        case MIXERLINE_COMPONENTTYPE_SRC_ANALOG: return "analog";
        default: return "other";
    }
}

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned int>(value));
    return text;
}

class DeviceLister {
public:
    DeviceLister(HMIXER mixer, std::ostream& out) : m_mixer(mixer), m_out(out) {}

    void Destination(DWORD index)
    {
        MIXERLINEA line = NewLine();
        line.dwDestination = index;
        if (!Query(line, MIXER_GETLINEINFOF_DESTINATION)) return;
        Line(line, "  ");
        for (DWORD n = 0; n < line.cConnections; ++n) {
            MIXERLINEA source = NewLine();
            source.dwDestination = index;
            source.dwSource = n;
            if (Query(source, MIXER_GETLINEINFOF_SOURCE)) Line(source, "    ");
        }
    }

private:
    static MIXERLINEA NewLine()
    {
        MIXERLINEA line{};
        line.cbStruct = sizeof line;
        return line;
    }
    bool Query(MIXERLINEA& line, DWORD query)
    {
        return mixerGetLineInfoA(Object(), &line, MIXER_OBJECTF_HMIXER | query) == MMSYSERR_NOERROR;
    }
    HMIXEROBJ Object() const { return reinterpret_cast<HMIXEROBJ>(m_mixer); }

    void Line(const MIXERLINEA& line, const char* indent)
    {
        m_out << indent << line.szName << " (" << ComponentName(line.dwComponentType) << ", " << line.cChannels
              << (line.cChannels == 1 ? " channel" : " channels") << ", line " << Hex(line.dwLineID) << ")\n";
        std::vector<MIXERCONTROLA> controls(line.cControls);
        if (controls.empty()) return;
        MIXERLINECONTROLSA request{};
        request.cbStruct = sizeof request;
        request.dwLineID = line.dwLineID;
        request.cControls = line.cControls;
        request.cbmxctrl = sizeof(MIXERCONTROLA);
        request.pamxctrl = controls.data();
        if (mixerGetLineControlsA(Object(), &request, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL) !=
            MMSYSERR_NOERROR)
            return;
        for (const auto& control : controls) Control(line, control, std::string(indent) + "  ");
    }

    bool Details(const MIXERLINEA& line, const MIXERCONTROLA& control, DWORD flags, void* entries, DWORD size)
    {
        MIXERCONTROLDETAILS details{};
        details.cbStruct = sizeof details;
        details.dwControlID = control.dwControlID;
        details.cChannels = control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM ? DWORD(1) : line.cChannels;
        details.cMultipleItems = control.cMultipleItems;
        details.cbDetails = size;
        details.paDetails = entries;
        return mixerGetControlDetailsA(Object(), &details, MIXER_OBJECTF_HMIXER | flags) == MMSYSERR_NOERROR;
    }

    void Control(const MIXERLINEA& line, const MIXERCONTROLA& control, const std::string& indent)
    {
        m_out << indent << control.szShortName << ":";
        std::size_t items = control.cMultipleItems ? control.cMultipleItems : DWORD(1);
        std::vector<std::int32_t> values(line.cChannels * items);
        if (!Details(line, control, MIXER_GETCONTROLDETAILSF_VALUE, values.data(), 4)) {
            m_out << " (cannot be read)\n";
            return;
        }
        if (control.dwControlType == MIXERCONTROL_CONTROLTYPE_MUX) {
            std::vector<MIXERCONTROLDETAILS_LISTTEXTA> texts(items);
            Details(line, control, MIXER_GETCONTROLDETAILSF_LISTTEXT, texts.data(), sizeof texts[0]);
            for (std::size_t i = 0; i < items; ++i) m_out << " " << texts[i].szName << (values[i] ? "*" : "");
        } else if (control.dwControlType == MIXERCONTROL_CONTROLTYPE_MUTE) {
            m_out << (values[0] ? " on" : " off");
        } else {
            std::size_t count = control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM ? DWORD(1) : line.cChannels;
            for (std::size_t c = 0; c < count; ++c) m_out << " " << values[c];
        }
        m_out << "\n";
    }

    HMIXER m_mixer;
    std::ostream& m_out;
};

}  // namespace

unsigned int ListMixers(std::ostream& out)
{
    UINT count = mixerGetNumDevs();
    for (UINT device = 0; device < count; ++device) {
        MIXERCAPSA caps{};
        HMIXER mixer = nullptr;
        if (mixerGetDevCapsA(device, &caps, sizeof caps) != MMSYSERR_NOERROR ||
            mixerOpen(&mixer, device, 0, 0, 0) != MMSYSERR_NOERROR) {
            out << "Device " << device << ": cannot be opened\n";
            continue;
        }
        out << "Device " << device << ": " << caps.szPname << "\n";
        DeviceLister lister(mixer, out);
        for (DWORD d = 0; d < caps.cDestinations; ++d) lister.Destination(d);
        mixerClose(mixer);
    }
    return count;
}

}  // namespace zelmmixer
