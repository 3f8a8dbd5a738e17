#pragma once
// One open mixer handle for the length of one operation, and the record exchanges that
// the mixer operations are made of. Value buffers are sized channels x items, so that a
// line with more channels or a control with other item counts cannot overrun them.

#include <cstdint>
#include <vector>

#include <zelmtools/platform/audio/mixer.h>

namespace zelm::audio {

class MixerSession {
public:
    // Takes over a handle that is already open (null: none).
    explicit MixerSession(HMIXER handle) : m_handle(handle) {}
    // Reads device deviceId's capabilities and opens it.
    static MixerSession OpenDevice(UINT deviceId);
    ~MixerSession();
    MixerSession(MixerSession&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    MixerSession(const MixerSession&) = delete;
    MixerSession& operator=(const MixerSession&) = delete;

    bool IsOpen() const { return m_handle != nullptr; }

    bool LineOfType(DWORD componentType, MIXERLINEA& line) const;
    bool Source(const MIXERLINEA& destination, DWORD index, MIXERLINEA& line) const;
    bool LineById(DWORD lineId, MIXERLINEA& line) const;
    // The last source of the destination with that component type (0: none). False when
    // a query fails.
    bool LastSourceOfType(const MIXERLINEA& destination, DWORD componentType, DWORD& lineId) const;

    bool Controls(const MIXERLINEA& line, std::vector<MIXERCONTROLA>& controls) const;
    bool ControlByType(const MIXERLINEA& line, DWORD controlType, MIXERCONTROLA& control) const;

    // channels x items values, channel 0's items first (items 0 for a single value).
    bool Read(DWORD controlId, DWORD channels, DWORD items, std::vector<std::int32_t>& values) const;
    bool Write(DWORD controlId, DWORD channels, DWORD items, std::vector<std::int32_t>& values) const;
    bool ReadListText(DWORD controlId, DWORD channels, DWORD items,
                      std::vector<MIXERCONTROLDETAILS_LISTTEXTA>& texts) const;

private:
    HMIXEROBJ Object() const { return reinterpret_cast<HMIXEROBJ>(m_handle); }
    bool QueryLine(MIXERLINEA& line, DWORD query) const;
    bool Exchange(DWORD controlId, DWORD channels, DWORD items, void* entries, DWORD entrySize, DWORD flags,
                  bool write) const;

    HMIXER m_handle;
};

// The recording multiplexer's entries (name and source line identifier) in list order.
bool ReadRecordSources(const MixerSession& session, const MIXERLINEA& destination, MIXERCONTROLA& mux,
                       std::vector<MIXERCONTROLDETAILS_LISTTEXTA>& texts);

}  // namespace zelm::audio
