#pragma once
// System sounds: the message-box sounds and named sound events, played through the
// desktop's event-sound library with the freedesktop sound theme.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

constexpr DWORD SND_SYNC = 0x0000;
constexpr DWORD SND_ASYNC = 0x0001;
constexpr DWORD SND_NODEFAULT = 0x0002;
constexpr DWORD SND_MEMORY = 0x0004;
constexpr DWORD SND_LOOP = 0x0008;
constexpr DWORD SND_ALIAS = 0x00010000;
constexpr DWORD SND_FILENAME = 0x00020000;

// Starts the sound of a message-box icon type and returns without waiting for it:
// non-zero when it started, 0 when nothing can play it.
ZELM_API BOOL MessageBeep(UINT uType);
// Plays a registered sound event ("SystemDefault", "SystemHand", "SystemQuestion",
// "SystemExclamation", "SystemAsterisk"; SND_ALIAS or no flag) or a file
// (SND_FILENAME); SND_ASYNC returns once it started, otherwise the call returns when
// the sound is over. An unknown name plays the default sound unless SND_NODEFAULT is
// given. A null name stops sounds started without waiting. Sounds in memory and
// loops are not served (0).
ZELM_API BOOL PlaySoundA(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);
