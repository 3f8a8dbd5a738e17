#include "platform/audio/mixer_handles.h"

#include <mutex>
#include <set>

namespace zelm::platform::audio {

namespace {

std::mutex g_handlesLock;
std::set<MixerModel*>& Handles()
{
    static std::set<MixerModel*> handles;
    return handles;
}

}  // namespace

MMRESULT OpenDevice(UINT deviceId, std::unique_ptr<MixerModel>& model)
{
    auto devices = ListMixerDevices();
    if (deviceId >= devices.size()) return MMSYSERR_BADDEVICEID;
    model = MixerModel::Open(devices[deviceId]);
    return model ? MMSYSERR_NOERROR : MMSYSERR_NODRIVER;
}

HMIXER AddHandle(std::unique_ptr<MixerModel> model)
{
    std::lock_guard lock(g_handlesLock);
    MixerModel* raw = model.release();
    Handles().insert(raw);
    return reinterpret_cast<HMIXER>(raw);
}

bool RemoveHandle(HMIXER handle)
{
    auto* model = reinterpret_cast<MixerModel*>(handle);
    {
        std::lock_guard lock(g_handlesLock);
        if (Handles().erase(model) == 0) return false;
    }
    delete model;
    return true;
}

MMRESULT ResolveObject(HMIXEROBJ object, DWORD flags, std::unique_ptr<MixerModel>& owner, MixerModel*& model)
{
    DWORD type = flags & MIXER_OBJECTF_TYPEMASK;
    if (type == MIXER_OBJECTF_HMIXER) {
        auto* candidate = reinterpret_cast<MixerModel*>(object);
        std::lock_guard lock(g_handlesLock);
        if (Handles().count(candidate) == 0) return MMSYSERR_INVALHANDLE;
        model = candidate;
        return MMSYSERR_NOERROR;
    }
    // Wave and auxiliary device objects have no mixer of their own here.
    if (type != MIXER_OBJECTF_MIXER) return MMSYSERR_NOTSUPPORTED;
    MMRESULT result = OpenDevice(static_cast<UINT>(reinterpret_cast<UINT_PTR>(object)), owner);
    model = owner.get();
    return result;
}

}  // namespace zelm::platform::audio
