// The mixer calls on devices, lines and their control lists.

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cstring>

#include <zelmtools/platform/audio/mixer.h>

#include "platform/audio/mixer_handles.h"
#include "platform/audio/mixer_text.h"

using namespace zelm::platform::audio;

namespace {

constexpr WORD kUnmappedId = 0xFFFF;
constexpr DWORD kCallbackTypeMask = 0x00070000u;

void FillLine(const MixerModel& model, const ModelLine& line, MIXERLINEA& record)
{
    DWORD cbStruct = record.cbStruct;
    DWORD_PTR user = record.dwUser;
    record = MIXERLINEA{};
    record.cbStruct = cbStruct;
    record.dwUser = user;
    record.dwDestination = line.destination;
    record.dwSource = line.isSource ? line.source : DWORD(0);
    record.dwLineID = line.lineId;
    record.fdwLine = MIXERLINE_LINEF_ACTIVE | (line.isSource ? MIXERLINE_LINEF_SOURCE : DWORD(0));
    record.dwComponentType = line.componentType;
    record.cChannels = line.channels;
    record.cConnections = static_cast<DWORD>(line.sources.size());
    record.cControls = static_cast<DWORD>(line.controls.size());
    CopyName(record.szShortName, line.name);
    CopyName(record.szName, line.name);
    if (!line.isSource) {
        bool speakers = line.componentType == MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
        record.Target.dwType = speakers ? MIXERLINE_TARGETTYPE_WAVEOUT : MIXERLINE_TARGETTYPE_WAVEIN;
    }
    record.Target.wMid = kUnmappedId;
    record.Target.wPid = kUnmappedId;
    CopyName(record.Target.szPname, model.CardName());
}

const ModelLine* FindLine(const MixerModel& model, const MIXERLINEA& record, DWORD query)
{
    const auto& destinations = model.Destinations();
    switch (query) {
        case MIXER_GETLINEINFOF_DESTINATION:
            return record.dwDestination < destinations.size() ? &destinations[record.dwDestination] : nullptr;
        case MIXER_GETLINEINFOF_SOURCE:
            if (record.dwDestination >= destinations.size()) return nullptr;
            if (record.dwSource >= destinations[record.dwDestination].sources.size()) return nullptr;
            return &destinations[record.dwDestination].sources[record.dwSource];
        case MIXER_GETLINEINFOF_LINEID: return model.LineById(record.dwLineID);
        case MIXER_GETLINEINFOF_COMPONENTTYPE: return model.LineByComponent(record.dwComponentType);
        case MIXER_GETLINEINFOF_TARGETTYPE:
            for (const auto& destination : destinations) {
                bool speakers = destination.componentType == MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
                DWORD target = speakers ? MIXERLINE_TARGETTYPE_WAVEOUT : MIXERLINE_TARGETTYPE_WAVEIN;
                if (target == record.Target.dwType) return &destination;
            }
            return nullptr;
    }
    return nullptr;
}

DWORD ControlType(ControlKind kind)
{
    switch (kind) {
        case ControlKind::Volume: return MIXERCONTROL_CONTROLTYPE_VOLUME;
        case ControlKind::Mute: return MIXERCONTROL_CONTROLTYPE_MUTE;
        case ControlKind::Pan: return MIXERCONTROL_CONTROLTYPE_PAN;
        case ControlKind::Mux: return MIXERCONTROL_CONTROLTYPE_MUX;
    }
    return 0;
}

const char* ControlName(ControlKind kind)
{
    switch (kind) {
        case ControlKind::Volume: return "Volume";
        case ControlKind::Mute: return "Mute";
        case ControlKind::Pan: return "Balance";
        case ControlKind::Mux: return "Source";
    }
    return "";
}

std::string LongControlName(const ModelLine& line, ControlKind kind)
{
    return line.name + (kind == ControlKind::Mux ? " Recording Source" : std::string(" ") + ControlName(kind));
}

void FillControl(const MixerModel& model, const ControlRef& control, MIXERCONTROLA& record)
{
    record = MIXERCONTROLA{};
    record.cbStruct = sizeof(MIXERCONTROLA);
    record.dwControlID = control.id();
    record.dwControlType = ControlType(control.kind());
    record.Metrics.cSteps = model.Steps(control);
    CopyName(record.szShortName, ControlName(control.kind()));
    CopyName(record.szName, LongControlName(*control.line, control.kind()));
    switch (control.kind()) {
        case ControlKind::Volume:
            record.fdwControl = control.line->channels == 1 ? MIXERCONTROL_CONTROLF_UNIFORM : DWORD(0);
            record.Bounds.dwMaximum = 65535;
            break;
        case ControlKind::Pan:
            record.fdwControl = MIXERCONTROL_CONTROLF_UNIFORM;
            record.Bounds.lMinimum = -32768;
            record.Bounds.lMaximum = 32767;
            break;
        case ControlKind::Mute:
            record.fdwControl = MIXERCONTROL_CONTROLF_UNIFORM;
            record.Bounds.dwMaximum = 1;
            break;
        case ControlKind::Mux:
            record.fdwControl = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
            record.cMultipleItems = record.Metrics.cSteps;
            record.Bounds.dwMaximum = record.cMultipleItems - 1;
            break;
    }
}

MIXERCONTROLA& Entry(const MIXERLINECONTROLSA& request, DWORD index)
{
    return *reinterpret_cast<MIXERCONTROLA*>(reinterpret_cast<BYTE*>(request.pamxctrl) + index * request.cbmxctrl);
}

MMRESULT FillControls(const MixerModel& model, MIXERLINECONTROLSA& request, DWORD query)
{
    ControlRef control;
    const ModelLine* line = nullptr;
    switch (query) {
        case MIXER_GETLINECONTROLSF_ALL:
            if (!(line = model.LineById(request.dwLineID))) return MIXERR_INVALLINE;
            if (request.cControls != line->controls.size() || line->controls.empty()) return MMSYSERR_INVALPARAM;
            for (std::size_t i = 0; i < line->controls.size(); ++i)
                FillControl(model, ControlRef{line, i}, Entry(request, static_cast<DWORD>(i)));
            return MMSYSERR_NOERROR;
        case MIXER_GETLINECONTROLSF_ONEBYID:
            if (!model.FindControl(request.dwControlID, control)) return MIXERR_INVALCONTROL;
            request.dwLineID = control.line->lineId;
            FillControl(model, control, Entry(request, 0));
            return MMSYSERR_NOERROR;
        case MIXER_GETLINECONTROLSF_ONEBYTYPE:
            if (!(line = model.LineById(request.dwLineID))) return MIXERR_INVALLINE;
            for (std::size_t i = 0; i < line->controls.size(); ++i) {
                if (ControlType(line->controls[i]) != request.dwControlType) continue;
                FillControl(model, ControlRef{line, i}, Entry(request, 0));
                return MMSYSERR_NOERROR;
            }
            return MIXERR_INVALCONTROL;
    }
    return MMSYSERR_INVALFLAG;
}

}  // namespace

UINT mixerGetNumDevs()
{
    return static_cast<UINT>(ListMixerDevices().size());
}

MMRESULT mixerGetDevCapsA(UINT_PTR uMxId, LPMIXERCAPSA pmxcaps, UINT cbmxcaps)
{
    if (!pmxcaps || cbmxcaps == 0) return MMSYSERR_INVALPARAM;
    auto devices = ListMixerDevices();
    if (uMxId >= devices.size()) return MMSYSERR_BADDEVICEID;
    auto model = MixerModel::Open(devices[uMxId]);
    if (!model) return MMSYSERR_NODRIVER;
    MIXERCAPSA caps{};
    caps.wMid = kUnmappedId;
    caps.wPid = kUnmappedId;
    caps.vDriverVersion = (SND_LIB_MAJOR << 8) | SND_LIB_MINOR;
    CopyName(caps.szPname, devices[uMxId].cardName);
    caps.cDestinations = static_cast<DWORD>(model->Destinations().size());
    std::memcpy(pmxcaps, &caps, std::min<std::size_t>(cbmxcaps, sizeof caps));
    return MMSYSERR_NOERROR;
}

MMRESULT mixerOpen(LPHMIXER phmx, UINT uMxId, DWORD_PTR, DWORD_PTR, DWORD fdwOpen)
{
    if (phmx) *phmx = nullptr;
    if ((fdwOpen & MIXER_OBJECTF_TYPEMASK) != MIXER_OBJECTF_MIXER) return MMSYSERR_INVALFLAG;
    // Change notifications (to a window or a function) are not delivered.
    if (fdwOpen & kCallbackTypeMask) return MMSYSERR_NOTSUPPORTED;
    if (!phmx) return MMSYSERR_INVALPARAM;
    std::unique_ptr<MixerModel> model;
    MMRESULT result = OpenDevice(uMxId, model);
    if (result != MMSYSERR_NOERROR) return result;
    *phmx = AddHandle(std::move(model));
    return MMSYSERR_NOERROR;
}

MMRESULT mixerClose(HMIXER hmx)
{
    return RemoveHandle(hmx) ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

MMRESULT mixerGetLineInfoA(HMIXEROBJ hmxobj, LPMIXERLINEA pmxl, DWORD fdwInfo)
{
    if (!pmxl || pmxl->cbStruct < sizeof(MIXERLINEA)) return MMSYSERR_INVALPARAM;
    DWORD query = fdwInfo & MIXER_GETLINEINFOF_QUERYMASK;
    if (query > MIXER_GETLINEINFOF_TARGETTYPE) return MMSYSERR_INVALFLAG;
    std::unique_ptr<MixerModel> owner;
    MixerModel* model = nullptr;
    MMRESULT result = ResolveObject(hmxobj, fdwInfo, owner, model);
    if (result != MMSYSERR_NOERROR) return result;
    const ModelLine* line = FindLine(*model, *pmxl, query);
    if (!line) return MIXERR_INVALLINE;
    FillLine(*model, *line, *pmxl);
    return MMSYSERR_NOERROR;
}

MMRESULT mixerGetLineControlsA(HMIXEROBJ hmxobj, LPMIXERLINECONTROLSA pmxlc, DWORD fdwControls)
{
    if (!pmxlc || pmxlc->cbStruct < sizeof(MIXERLINECONTROLSA)) return MMSYSERR_INVALPARAM;
    if (!pmxlc->pamxctrl || pmxlc->cbmxctrl < sizeof(MIXERCONTROLA) || pmxlc->cControls == 0)
        return MMSYSERR_INVALPARAM;
    std::unique_ptr<MixerModel> owner;
    MixerModel* model = nullptr;
    MMRESULT result = ResolveObject(hmxobj, fdwControls, owner, model);
    if (result != MMSYSERR_NOERROR) return result;
    return FillControls(*model, *pmxlc, fdwControls & MIXER_GETLINECONTROLSF_QUERYMASK);
}
