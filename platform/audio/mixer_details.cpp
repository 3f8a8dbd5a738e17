// Reading and writing control values and list texts. A value buffer holds
// cChannels x items entries of cbDetails bytes, channel 0's items first; a control that
// is the same on every channel (mute, balance, multiplexer) reads the same into every
// channel and is written from channel 0.

#include <algorithm>
#include <cstring>

#include <zelmtools/platform/audio/mixer.h>

#include "platform/audio/level_scale.h"
#include "platform/audio/mixer_handles.h"
#include "platform/audio/mixer_text.h"

using namespace zelm::platform::audio;

namespace {

struct DetailsAccess {
    MixerModel* model = nullptr;
    std::unique_ptr<MixerModel> owner;
    ControlRef control;
    DWORD items = 1;
};

BYTE* EntryAt(const MIXERCONTROLDETAILS& details, DWORD channel, DWORD item, DWORD items)
{
    return static_cast<BYTE*>(details.paDetails) + (channel * items + item) * details.cbDetails;
}

MMRESULT Prepare(HMIXEROBJ object, const MIXERCONTROLDETAILS* details, DWORD flags, DWORD entrySize,
                 DetailsAccess& access)
{
    if (!details || details->cbStruct < sizeof(MIXERCONTROLDETAILS) || !details->paDetails) return MMSYSERR_INVALPARAM;
    if (details->cbDetails < entrySize) return MMSYSERR_INVALPARAM;
    MMRESULT result = ResolveObject(object, flags, access.owner, access.model);
    if (result != MMSYSERR_NOERROR) return result;
    if (!access.model->FindControl(details->dwControlID, access.control)) return MIXERR_INVALCONTROL;
    bool multiple = access.control.kind() == ControlKind::Mux;
    access.items = multiple ? static_cast<DWORD>(access.model->MuxItems(*access.control.line).size()) : DWORD(1);
    if (details->cMultipleItems != (multiple ? access.items : DWORD(0))) return MMSYSERR_INVALPARAM;
    if (details->cChannels == 0 || details->cChannels > access.control.line->channels) return MMSYSERR_INVALPARAM;
    return MMSYSERR_NOERROR;
}

MMRESULT GetListText(const MIXERCONTROLDETAILS& details, const DetailsAccess& access)
{
    if (access.control.kind() != ControlKind::Mux) return MMSYSERR_INVALPARAM;
    auto items = access.model->MuxItems(*access.control.line);
    for (DWORD c = 0; c < details.cChannels; ++c)
        for (DWORD i = 0; i < access.items; ++i) {
            MIXERCONTROLDETAILS_LISTTEXTA text{};
            text.dwParam1 = items[i]->lineId;
            text.dwParam2 = items[i]->componentType;
            CopyName(text.szName, items[i]->name);
            std::memcpy(EntryAt(details, c, i, access.items), &text, sizeof text);
        }
    return MMSYSERR_NOERROR;
}

MMRESULT GetValues(const MIXERCONTROLDETAILS& details, const DetailsAccess& access)
{
    std::vector<long> values;
    if (!access.model->Read(access.control, values)) return MMSYSERR_ERROR;
    bool perChannel = access.control.kind() == ControlKind::Volume;
    for (DWORD c = 0; c < details.cChannels; ++c)
        for (DWORD i = 0; i < access.items; ++i) {
            // One channel asked of a level with more: the line's level, its loudest channel.
            long value = !perChannel              ? values[i]
                         : details.cChannels == 1 ? *std::max_element(values.begin(), values.end())
                                                  : values[c];
            std::int32_t entry = static_cast<std::int32_t>(value);
            std::memcpy(EntryAt(details, c, i, access.items), &entry, sizeof entry);
        }
    return MMSYSERR_NOERROR;
}

long EntryValue(const MIXERCONTROLDETAILS& details, DWORD channel, DWORD item, DWORD items, bool isUnsigned)
{
    std::int32_t entry = 0;
    std::memcpy(&entry, EntryAt(details, channel, item, items), sizeof entry);
    return isUnsigned ? static_cast<long>(static_cast<std::uint32_t>(entry)) : entry;
}

MMRESULT SetValues(const MIXERCONTROLDETAILS& details, DetailsAccess& access)
{
    std::vector<long> values;
    ControlKind kind = access.control.kind();
    if (kind == ControlKind::Volume) {
        // Channels not given keep their level; one value sets them all.
        if (!access.model->Read(access.control, values)) return MMSYSERR_ERROR;
        for (DWORD c = 0; c < values.size(); ++c) {
            DWORD from = details.cChannels == 1 ? DWORD(0) : c;
            if (from < details.cChannels) values[c] = std::min(EntryValue(details, from, 0, 1, true), kLevelMax);
        }
    } else {
        for (DWORD i = 0; i < access.items; ++i) values.push_back(EntryValue(details, 0, i, access.items, false));
    }
    return access.model->Write(access.control, values);
}

}  // namespace

MMRESULT mixerGetControlDetailsA(HMIXEROBJ hmxobj, LPMIXERCONTROLDETAILS pmxcd, DWORD fdwDetails)
{
    DWORD query = fdwDetails & MIXER_GETCONTROLDETAILSF_QUERYMASK;
    if (query > MIXER_GETCONTROLDETAILSF_LISTTEXT) return MMSYSERR_INVALFLAG;
    bool listText = query == MIXER_GETCONTROLDETAILSF_LISTTEXT;
    DetailsAccess access;
    DWORD entrySize = listText ? sizeof(MIXERCONTROLDETAILS_LISTTEXTA) : sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    MMRESULT result = Prepare(hmxobj, pmxcd, fdwDetails, entrySize, access);
    if (result != MMSYSERR_NOERROR) return result;
    return listText ? GetListText(*pmxcd, access) : GetValues(*pmxcd, access);
}

MMRESULT mixerSetControlDetails(HMIXEROBJ hmxobj, LPMIXERCONTROLDETAILS pmxcd, DWORD fdwDetails)
{
    DWORD query = fdwDetails & MIXER_SETCONTROLDETAILSF_QUERYMASK;
    if (query == MIXER_SETCONTROLDETAILSF_CUSTOM) return MMSYSERR_NOTSUPPORTED;
    if (query != MIXER_SETCONTROLDETAILSF_VALUE) return MMSYSERR_INVALFLAG;
    DetailsAccess access;
    MMRESULT result = Prepare(hmxobj, pmxcd, fdwDetails, sizeof(MIXERCONTROLDETAILS_UNSIGNED), access);
    if (result != MMSYSERR_NOERROR) return result;
    return SetValues(*pmxcd, access);
}
