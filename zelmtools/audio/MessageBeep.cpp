// zelmMessageBeep: the message-box sound, on one loudspeaker when a pan is set.

#include <limits>

#include <zelmtools/audio/MessageBeep.h>
#include <zelmtools/audio/Mixer.h>
#include <zelmtools/platform/base/errors.h>

#include "platform/audio/sound.h"
#include "zelmtools/audio/MasterState.h"

long g_lAudioGlobalPan = 0;

namespace {

constexpr long kLeftOnly = 256;

const char* SoundName(UINT uType)
{
    switch (uType) {
        case 16: return "SystemHand";
        case 32: return "SystemQuestion";
        case 48: return "SystemExclamation";
        case 64: return "SystemAsterisk";
        default: return "SystemDefault";
    }
}

bool FitsLong32(long value)
{
    return value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

int zelmMessageBeep(UINT uType)
{
    long pan = g_lAudioGlobalPan;
    if (!FitsLong32(pan)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (pan == 0) return MessageBeep(uType);

    CMixer mixer;
    mixer.Create(0);
    // The master as it is, to put back exactly (both channels and the mute switch);
    // when it cannot be read the sound plays without touching the channels.
    zelm::audio::MasterState saved;
    int level = 0;
    bool oneSided = zelm::audio::ReadMasterState(saved) && mixer.GetGlobalPlayLevel(&level);
    if (oneSided) mixer.SetGlobalPlayLevel(pan == kLeftOnly ? level : 0, pan == kLeftOnly ? 0 : level);
    int played = PlaySoundA(SoundName(uType), nullptr, SND_SYNC);
    if (oneSided) zelm::audio::RestoreMasterState(saved);
    mixer.Release();
    return played;
}
