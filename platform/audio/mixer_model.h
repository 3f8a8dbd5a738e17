#pragma once
// One opened mixer device as the mixer interface sees it, built from the card's simple
// mixer controls:
//
// - the speakers destination is the card's master control ("Master", else the first
//   playback control); its sources are the other playback controls, each typed by its
//   name (PCM = wave out, CD, Line, Mic, Aux, ...);
// - the recording destination (wave in) is the capture side: its own controls are those
//   of "Capture" when the card has it, its sources the other capture controls, and its
//   multiplexer the sources' capture switches (a card's "Capture Source" choice arrives
//   as exclusive capture switches of the lines it names);
// - a line with a level has a volume control, one with a switch a mute control, and a
//   two-channel line with a level a pan control.
//
// Line identifiers: (destination + 1) << 16 for a destination, plus source + 1 for a
// source; control identifiers: line identifier << 4 | the control's place in its line.
// Both stay the same for as long as the card's controls do.

#include <alsa/asoundlib.h>

#include <memory>
#include <string>
#include <vector>

#include <zelmtools/platform/audio/mixer.h>

#include "platform/audio/mixer_devices.h"

namespace zelm::platform::audio {

enum class Side { Playback, Capture };
enum class ControlKind { Volume, Mute, Pan, Mux };

struct ModelLine {
    DWORD lineId = 0;
    DWORD destination = 0;
    DWORD source = 0;
    bool isSource = false;
    DWORD componentType = 0;
    std::string name;
    snd_mixer_elem_t* elem = nullptr;  // none for a recording destination without controls
    Side side = Side::Playback;
    unsigned int channels = 1;
    std::vector<ControlKind> controls;
    std::vector<ModelLine> sources;  // of a destination
};

struct ControlRef {
    const ModelLine* line = nullptr;
    std::size_t index = 0;
    ControlKind kind() const { return line->controls[index]; }
    DWORD id() const;
};

class MixerModel {
public:
    // Null when the device cannot be opened or loaded.
    static std::unique_ptr<MixerModel> Open(const MixerDeviceName& device);
    ~MixerModel();
    MixerModel(const MixerModel&) = delete;
    MixerModel& operator=(const MixerModel&) = delete;

    const std::string& CardName() const { return m_cardName; }
    const std::vector<ModelLine>& Destinations() const { return m_destinations; }
    const ModelLine* LineById(DWORD lineId) const;
    // The first line of a component type, destinations before sources.
    const ModelLine* LineByComponent(DWORD componentType) const;
    bool FindControl(DWORD controlId, ControlRef& control) const;

    // Items of a control: the multiplexer's sources, one for every other control.
    std::vector<const ModelLine*> MuxItems(const ModelLine& line) const;
    bool MuxIsExclusive(const ModelLine& line) const;

    // A control's own values: per channel for a volume, per item for a multiplexer,
    // one for a mute switch (non-zero = muted) and a balance. Write returns an
    // MMRESULT.
    bool Read(const ControlRef& control, std::vector<long>& values) const;
    // Steps of the card control behind a level or balance (1 for switches).
    DWORD Steps(const ControlRef& control) const;
    unsigned int Write(const ControlRef& control, const std::vector<long>& values);

private:
    MixerModel(snd_mixer_t* mixer, std::string cardName);
    void Build();
    std::string MemoryKey(const ControlRef& control) const;
    bool ReadLevels(const ModelLine& line, std::vector<long>& raw, std::vector<long>& levels) const;
    bool WriteLevels(const ModelLine& line, const std::vector<long>& levels, std::vector<long>& raw);
    bool ReadControl(const ControlRef& control, std::vector<long>& raw, std::vector<long>& values) const;
    unsigned int WriteControl(const ControlRef& control, const std::vector<long>& values, std::vector<long>& raw);

    snd_mixer_t* m_mixer;
    std::string m_cardName;
    std::vector<ModelLine> m_destinations;
};

// The component type that a control's name stands for.
DWORD SourceComponentType(const std::string& name);

}  // namespace zelm::platform::audio
