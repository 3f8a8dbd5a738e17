#pragma once
// zelmMessageBeep: the system sound of a message-box icon type, on both loudspeakers
// or on one only.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

// Which loudspeaker zelmMessageBeep sounds on: 0 both (a plain message beep), 256 the
// left only, any other value the right only. Read without a lock: set it from one
// thread. A value beyond 32 bits is refused by zelmMessageBeep (it plays nothing, 0).
extern ZELM_API long g_lAudioGlobalPan;

// Plays "SystemHand" (uType 16), "SystemQuestion" (32), "SystemExclamation" (48),
// "SystemAsterisk" (64) or "SystemDefault" (any other value). With a pan set, the master
// channel on the other side is silenced while the sound plays and the call returns when
// it is over; afterwards the master levels of both channels and its mute switch are as
// they were. When the master level cannot be read, the sound plays on both channels.
// Returns non-zero when the sound was started or played.
ZELM_API int zelmMessageBeep(UINT uType);
