#include "platform/audio/mixer_model.h"

#include <strings.h>

#include <algorithm>
#include <utility>

namespace zelm::platform::audio {

namespace {

struct NamedType {
    const char* prefix;
    DWORD type;
};

// Matched as name prefixes, first match wins ("Line Boost" is a line, "Mic Boost" a mic).
const NamedType kSourceTypes[] = {
    {"PCM", MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT},          {"Wave", MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT},
    {"CD", MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC},       {"Line", MIXERLINE_COMPONENTTYPE_SRC_LINE},
    {"Mic", MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE},       {"Aux", MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY},
    {"Synth", MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER},    {"MIDI", MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER},
    {"FM", MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER},       {"Phone", MIXERLINE_COMPONENTTYPE_SRC_TELEPHONE},
    {"PC Speaker", MIXERLINE_COMPONENTTYPE_SRC_PCSPEAKER}, {"Beep", MIXERLINE_COMPONENTTYPE_SRC_PCSPEAKER},
    {"IEC958", MIXERLINE_COMPONENTTYPE_SRC_DIGITAL},       {"S/PDIF", MIXERLINE_COMPONENTTYPE_SRC_DIGITAL},
    {"SPDIF", MIXERLINE_COMPONENTTYPE_SRC_DIGITAL},        {"Digital", MIXERLINE_COMPONENTTYPE_SRC_DIGITAL},
    {"Video", MIXERLINE_COMPONENTTYPE_SRC_ANALOG},
};

bool HasPrefix(const std::string& name, const char* prefix)
{
    return strncasecmp(name.c_str(), prefix, std::char_traits<char>::length(prefix)) == 0;
}

std::string ElementName(snd_mixer_elem_t* elem)
{
    std::string name = snd_mixer_selem_get_name(elem);
    unsigned int index = snd_mixer_selem_get_index(elem);
    return index == 0 ? name : name + " " + std::to_string(index + 1);
}

bool IsPlayback(snd_mixer_elem_t* elem)
{
    return !snd_mixer_selem_is_enumerated(elem) &&
           (snd_mixer_selem_has_playback_volume(elem) || snd_mixer_selem_has_playback_switch(elem));
}

bool IsCapture(snd_mixer_elem_t* elem)
{
    return !snd_mixer_selem_is_enumerated(elem) &&
           (snd_mixer_selem_has_capture_volume(elem) || snd_mixer_selem_has_capture_switch(elem));
}

unsigned int ChannelCount(snd_mixer_elem_t* elem, Side side)
{
    bool playback = side == Side::Playback;
    if (playback ? snd_mixer_selem_is_playback_mono(elem) : snd_mixer_selem_is_capture_mono(elem)) return 1;
    unsigned int count = 0;
    for (int c = 0; c <= SND_MIXER_SCHN_LAST; ++c) {
        auto channel = static_cast<snd_mixer_selem_channel_id_t>(c);
        bool has = playback ? snd_mixer_selem_has_playback_channel(elem, channel)
                            : snd_mixer_selem_has_capture_channel(elem, channel);
        if (!has) break;
        ++count;
    }
    return count == 0 ? 1 : count;
}

// A line's controls: the multiplexer's sources carry their capture switch through the
// multiplexer, not as a mute switch of their own.
void AddControls(ModelLine& line, bool muxSource)
{
    if (!line.elem) return;
    bool playback = line.side == Side::Playback;
    bool volume =
        playback ? snd_mixer_selem_has_playback_volume(line.elem) : snd_mixer_selem_has_capture_volume(line.elem);
    bool mute = playback ? snd_mixer_selem_has_playback_switch(line.elem)
                         : snd_mixer_selem_has_capture_switch(line.elem) && !muxSource &&
                               !snd_mixer_selem_has_capture_switch_exclusive(line.elem);
    if (volume) line.controls.push_back(ControlKind::Volume);
    if (mute) line.controls.push_back(ControlKind::Mute);
    if (volume && line.channels == 2) line.controls.push_back(ControlKind::Pan);
}

ModelLine MakeLine(snd_mixer_elem_t* elem, Side side, DWORD componentType)
{
    ModelLine line;
    line.elem = elem;
    line.side = side;
    line.componentType = componentType;
    line.name = elem ? ElementName(elem) : "Capture";
    line.channels = elem ? ChannelCount(elem, side) : 1;
    return line;
}

void Number(ModelLine& destination, DWORD index)
{
    destination.destination = index;
    destination.lineId = (index + 1) << 16;
    for (DWORD s = 0; s < destination.sources.size(); ++s) {
        ModelLine& source = destination.sources[s];
        source.destination = index;
        source.source = s;
        source.isSource = true;
        source.lineId = destination.lineId | (s + 1);
    }
}

}  // namespace

DWORD SourceComponentType(const std::string& name)
{
    for (const auto& named : kSourceTypes)
        if (HasPrefix(name, named.prefix)) return named.type;
    return MIXERLINE_COMPONENTTYPE_SRC_UNDEFINED;
}

DWORD ControlRef::id() const
{
    return (line->lineId << 4) | static_cast<DWORD>(index);
}

std::unique_ptr<MixerModel> MixerModel::Open(const MixerDeviceName& device)
{
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) < 0) return nullptr;
    if (snd_mixer_attach(mixer, device.ctlName.c_str()) < 0 || snd_mixer_selem_register(mixer, nullptr, nullptr) < 0 ||
        snd_mixer_load(mixer) < 0) {
        snd_mixer_close(mixer);
        return nullptr;
    }
    std::unique_ptr<MixerModel> model(new MixerModel(mixer, device.cardName));
    model->Build();
    return model;
}

MixerModel::MixerModel(snd_mixer_t* mixer, std::string cardName) : m_mixer(mixer), m_cardName(std::move(cardName)) {}

MixerModel::~MixerModel()
{
    snd_mixer_close(m_mixer);
}

void MixerModel::Build()
{
    std::vector<snd_mixer_elem_t*> playback, capture;
    snd_mixer_elem_t* master = nullptr;
    snd_mixer_elem_t* captureMain = nullptr;
    for (auto* elem = snd_mixer_first_elem(m_mixer); elem; elem = snd_mixer_elem_next(elem)) {
        if (!snd_mixer_selem_is_active(elem)) continue;
        std::string name = ElementName(elem);
        if (IsPlayback(elem)) {
            playback.push_back(elem);
            if (!master && strcasecmp(name.c_str(), "Master") == 0) master = elem;
        }
        if (IsCapture(elem)) {
            capture.push_back(elem);
            if (!captureMain && strcasecmp(name.c_str(), "Capture") == 0) captureMain = elem;
        }
    }
    if (!master && !playback.empty()) master = playback.front();
    if (master) {
        ModelLine speakers = MakeLine(master, Side::Playback, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
        AddControls(speakers, false);
        for (auto* elem : playback) {
            if (elem == master) continue;
            ModelLine source = MakeLine(elem, Side::Playback, SourceComponentType(ElementName(elem)));
            AddControls(source, false);
            speakers.sources.push_back(std::move(source));
        }
        m_destinations.push_back(std::move(speakers));
    }
    if (!capture.empty()) {
        ModelLine waveIn = MakeLine(captureMain, Side::Capture, MIXERLINE_COMPONENTTYPE_DST_WAVEIN);
        bool hasMux = false;
        for (auto* elem : capture) {
            if (elem == captureMain) continue;
            ModelLine source = MakeLine(elem, Side::Capture, SourceComponentType(ElementName(elem)));
            bool muxSource = snd_mixer_selem_has_capture_switch(elem);
            hasMux = hasMux || muxSource;
            AddControls(source, muxSource);
            waveIn.sources.push_back(std::move(source));
        }
        AddControls(waveIn, false);
        if (hasMux) waveIn.controls.push_back(ControlKind::Mux);
        if (!captureMain)
            for (const auto& source : waveIn.sources) waveIn.channels = std::max(waveIn.channels, source.channels);
        m_destinations.push_back(std::move(waveIn));
    }
    for (DWORD d = 0; d < m_destinations.size(); ++d) Number(m_destinations[d], d);
}

const ModelLine* MixerModel::LineById(DWORD lineId) const
{
    for (const auto& destination : m_destinations) {
        if (destination.lineId == lineId) return &destination;
        for (const auto& source : destination.sources)
            if (source.lineId == lineId) return &source;
    }
    return nullptr;
}

const ModelLine* MixerModel::LineByComponent(DWORD componentType) const
{
    for (const auto& destination : m_destinations)
        if (destination.componentType == componentType) return &destination;
    for (const auto& destination : m_destinations)
        for (const auto& source : destination.sources)
            if (source.componentType == componentType) return &source;
    return nullptr;
}

bool MixerModel::FindControl(DWORD controlId, ControlRef& control) const
{
    const ModelLine* line = LineById(controlId >> 4);
    std::size_t index = controlId & 0xF;
    if (!line || index >= line->controls.size()) return false;
    control = {line, index};
    return true;
}

std::vector<const ModelLine*> MixerModel::MuxItems(const ModelLine& line) const
{
    std::vector<const ModelLine*> items;
    for (const auto& source : line.sources)
        if (source.elem && snd_mixer_selem_has_capture_switch(source.elem)) items.push_back(&source);
    return items;
}

bool MixerModel::MuxIsExclusive(const ModelLine& line) const
{
    for (const ModelLine* item : MuxItems(line))
        if (snd_mixer_selem_has_capture_switch_exclusive(item->elem)) return true;
    return false;
}

}  // namespace zelm::platform::audio
