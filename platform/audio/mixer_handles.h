#pragma once
// Open mixer handles and the objects that the mixer calls name: a handle, or a device
// number that is opened for the one call.

#include <memory>

#include <zelmtools/platform/audio/mixer.h>

#include "platform/audio/mixer_model.h"

namespace zelm::platform::audio {

MMRESULT OpenDevice(UINT deviceId, std::unique_ptr<MixerModel>& model);
HMIXER AddHandle(std::unique_ptr<MixerModel> model);
bool RemoveHandle(HMIXER handle);

// The model an object names (kept in owner when it had to be opened for the call).
MMRESULT ResolveObject(HMIXEROBJ object, DWORD flags, std::unique_ptr<MixerModel>& owner, MixerModel*& model);

}  // namespace zelm::platform::audio
