// CMixer: its life cycle and the opening step of every operation.

#include <zelmtools/audio/Mixer.h>

CMixer::CMixer() : m_nMixerId(-1) {}

CMixer::CMixer(const CMixer& other) : m_nMixerId(other.m_nMixerId) {}

CMixer& CMixer::operator=(const CMixer& other)
{
    m_nMixerId = other.m_nMixerId;
    return *this;
}

CMixer::~CMixer() = default;

int CMixer::GetDeviceNum()
{
    return static_cast<int>(mixerGetNumDevs());
}

int CMixer::Create(int mixerId)
{
    if (mixerId < 0 || mixerId >= GetDeviceNum()) return 0;
    m_nMixerId = mixerId;
    MIXERCAPSA caps{};
    if (mixerGetDevCapsA(static_cast<UINT_PTR>(mixerId), &caps, sizeof caps) != MMSYSERR_NOERROR) return 0;
    HMIXER handle = nullptr;
    if (mixerOpen(&handle, 0, 0, 0, 0) != MMSYSERR_NOERROR) return 0;
    mixerClose(handle);
    return 1;
}

int CMixer::Release()
{
    m_nMixerId = -1;
    return 1;
}

int CMixer::IsCreated()
{
    return m_nMixerId != -1 ? 1 : 0;
}

int CMixer::MixerInit(HMIXER* handle, MIXERCAPSA* caps)
{
    if (m_nMixerId == -1) return 0;
    if (mixerGetDevCapsA(static_cast<UINT_PTR>(m_nMixerId), caps, sizeof *caps) != MMSYSERR_NOERROR) return 0;
    return mixerOpen(handle, 0, 0, 0, 0) == MMSYSERR_NOERROR ? 1 : 0;
}

HMIXER CMixer::OpenForOperation()
{
    HMIXER handle = nullptr;
    MIXERCAPSA caps{};
    return MixerInit(&handle, &caps) ? handle : nullptr;
}
