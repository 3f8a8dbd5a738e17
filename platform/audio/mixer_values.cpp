// Reading and writing the values of a mixer model's controls.

#include <algorithm>

#include "platform/audio/level_scale.h"
#include "platform/audio/mixer_model.h"

namespace zelm::platform::audio {

namespace {

snd_mixer_selem_channel_id_t Channel(unsigned int c)
{
    return static_cast<snd_mixer_selem_channel_id_t>(c);
}

int GetVolume(const ModelLine& line, unsigned int c, long* raw)
{
    return line.side == Side::Playback ? snd_mixer_selem_get_playback_volume(line.elem, Channel(c), raw)
                                       : snd_mixer_selem_get_capture_volume(line.elem, Channel(c), raw);
}

int SetVolume(const ModelLine& line, unsigned int c, long raw)
{
    return line.side == Side::Playback ? snd_mixer_selem_set_playback_volume(line.elem, Channel(c), raw)
                                       : snd_mixer_selem_set_capture_volume(line.elem, Channel(c), raw);
}

void VolumeRange(const ModelLine& line, long& rawMin, long& rawMax)
{
    if (line.side == Side::Playback)
        snd_mixer_selem_get_playback_volume_range(line.elem, &rawMin, &rawMax);
    else
        snd_mixer_selem_get_capture_volume_range(line.elem, &rawMin, &rawMax);
}

int GetSwitch(const ModelLine& line, int* on)
{
    return line.side == Side::Playback ? snd_mixer_selem_get_playback_switch(line.elem, Channel(0), on)
                                       : snd_mixer_selem_get_capture_switch(line.elem, Channel(0), on);
}

int SetSwitch(const ModelLine& line, int on)
{
    return line.side == Side::Playback ? snd_mixer_selem_set_playback_switch_all(line.elem, on)
                                       : snd_mixer_selem_set_capture_switch_all(line.elem, on);
}

std::string KeyOf(const std::string& card, const ModelLine& line, ControlKind kind)
{
    return card + '\n' + line.name + '\n' + std::to_string(static_cast<int>(line.side)) +
           std::to_string(static_cast<int>(kind));
}

}  // namespace

std::string MixerModel::MemoryKey(const ControlRef& control) const
{
    return KeyOf(m_cardName, *control.line, control.kind());
}

bool MixerModel::ReadLevels(const ModelLine& line, std::vector<long>& raw, std::vector<long>& levels) const
{
    long rawMin = 0, rawMax = 0;
    VolumeRange(line, rawMin, rawMax);
    raw.assign(line.channels, 0);
    levels.assign(line.channels, 0);
    for (unsigned int c = 0; c < line.channels; ++c) {
        if (GetVolume(line, c, &raw[c]) < 0) return false;
        levels[c] = RawToLevel(raw[c], rawMin, rawMax);
    }
    // What was written last, when the card still holds what it became.
    std::vector<long> written;
    if (RecallWritten(KeyOf(m_cardName, line, ControlKind::Volume), raw, written)) levels = written;
    return true;
}

bool MixerModel::WriteLevels(const ModelLine& line, const std::vector<long>& levels, std::vector<long>& raw)
{
    long rawMin = 0, rawMax = 0;
    VolumeRange(line, rawMin, rawMax);
    for (unsigned int c = 0; c < line.channels; ++c)
        if (SetVolume(line, c, LevelToRaw(levels[c], rawMin, rawMax)) < 0) return false;
    raw.assign(line.channels, 0);
    for (unsigned int c = 0; c < line.channels; ++c)
        if (GetVolume(line, c, &raw[c]) < 0) return false;
    RememberWritten(KeyOf(m_cardName, line, ControlKind::Volume), raw, levels);
    return true;
}

bool MixerModel::ReadControl(const ControlRef& control, std::vector<long>& raw, std::vector<long>& values) const
{
    const ModelLine& line = *control.line;
    switch (control.kind()) {
        case ControlKind::Volume: return ReadLevels(line, raw, values);
        case ControlKind::Pan: {
            std::vector<long> levels;
            if (!ReadLevels(line, raw, levels)) return false;
            values = {PanOfLevels(levels[0], levels[1])};
            return true;
        }
        case ControlKind::Mute: {
            int on = 0;
            if (GetSwitch(line, &on) < 0) return false;
            raw = {on};
            values = {on ? 0 : 1};
            return true;
        }
        case ControlKind::Mux: {
            raw.clear();
            for (const ModelLine* item : MuxItems(line)) {
                int on = 0;
                if (snd_mixer_selem_get_capture_switch(item->elem, Channel(0), &on) < 0) return false;
                raw.push_back(on ? 1 : 0);
            }
            values = raw;
            return true;
        }
    }
    return false;
}

bool MixerModel::Read(const ControlRef& control, std::vector<long>& values) const
{
    // Takes in what changed on the card since the handle was opened.
    snd_mixer_handle_events(m_mixer);
    std::vector<long> raw, written;
    if (!ReadControl(control, raw, values)) return false;
    if (control.kind() == ControlKind::Pan && RecallWritten(MemoryKey(control), raw, written)) values = written;
    return true;
}

unsigned int MixerModel::WriteControl(const ControlRef& control, const std::vector<long>& values,
                                      std::vector<long>& raw)
{
    const ModelLine& line = *control.line;
    switch (control.kind()) {
        case ControlKind::Volume: return WriteLevels(line, values, raw) ? MMSYSERR_NOERROR : MMSYSERR_ERROR;
        case ControlKind::Pan: {
            std::vector<long> levels, left(1), right(1);
            if (!ReadLevels(line, raw, levels)) return MMSYSERR_ERROR;
            LevelsOfPan(values[0], std::max(levels[0], levels[1]), left[0], right[0]);
            if (!WriteLevels(line, {left[0], right[0]}, raw)) return MMSYSERR_ERROR;
            RememberWritten(MemoryKey(control), raw, {std::clamp(values[0], kPanMin, kPanMax)});
            return MMSYSERR_NOERROR;
        }
        case ControlKind::Mute: return SetSwitch(line, values[0] ? 0 : 1) < 0 ? MMSYSERR_ERROR : MMSYSERR_NOERROR;
        case ControlKind::Mux: {
            std::vector<const ModelLine*> items = MuxItems(line);
            if (MuxIsExclusive(line)) {
                // One of the card's choices must stay selected: "none" or two at once
                // cannot be set.
                if (std::count_if(values.begin(), values.end(), [](long v) { return v != 0; }) != 1)
                    return MIXERR_INVALVALUE;
                auto chosen = std::find_if(values.begin(), values.end(), [](long v) { return v != 0; });
                return snd_mixer_selem_set_capture_switch_all(items[chosen - values.begin()]->elem, 1) < 0
                           ? MMSYSERR_ERROR
                           : MMSYSERR_NOERROR;
            }
            for (std::size_t i = 0; i < items.size(); ++i)
                if (snd_mixer_selem_set_capture_switch_all(items[i]->elem, values[i] ? 1 : 0) < 0)
                    return MMSYSERR_ERROR;
            return MMSYSERR_NOERROR;
        }
    }
    return MMSYSERR_ERROR;
}

unsigned int MixerModel::Write(const ControlRef& control, const std::vector<long>& values)
{
    std::vector<long> raw;
    return WriteControl(control, values, raw);
}

}  // namespace zelm::platform::audio

namespace zelm::platform::audio {

DWORD MixerModel::Steps(const ControlRef& control) const
{
    ControlKind kind = control.kind();
    if (kind == ControlKind::Mux) return static_cast<DWORD>(MuxItems(*control.line).size());
    if (kind == ControlKind::Mute) return 2;
    long rawMin = 0, rawMax = 0;
    VolumeRange(*control.line, rawMin, rawMax);
    return static_cast<DWORD>(std::max(1L, rawMax - rawMin + 1));
}

}  // namespace zelm::platform::audio
