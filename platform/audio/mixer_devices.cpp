#include "platform/audio/mixer_devices.h"

#include <alsa/asoundlib.h>

#include <mutex>

namespace zelm::platform::audio {

namespace {

void IgnoreError(const char*, int, const char*, int, const char*, ...) {}

// The library reports on stderr what every caller here reports as a result code
// (no card, a device that does not open).
void QuietLibraryErrors()
{
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(IgnoreError); });
}

// The card's name and kernel card number (-1 for a card of the configuration), or false
// when the control device does not open.
bool CardInfo(const std::string& ctlName, std::string& name, int& card)
{
    snd_ctl_t* ctl = nullptr;
    if (snd_ctl_open(&ctl, ctlName.c_str(), SND_CTL_NONBLOCK) < 0) return false;
    snd_ctl_card_info_t* info = nullptr;
    snd_ctl_card_info_alloca(&info);
    bool ok = snd_ctl_card_info(ctl, info) >= 0;
    if (ok) {
        name = snd_ctl_card_info_get_name(info);
        card = snd_ctl_card_info_get_card(info);
    }
    snd_ctl_close(ctl);
    return ok;
}

}  // namespace

std::vector<MixerDeviceName> ListMixerDevices()
{
    QuietLibraryErrors();
    std::vector<MixerDeviceName> devices;
    std::vector<int> kernelCards;
    for (int card = -1; snd_card_next(&card) >= 0 && card >= 0;) {
        std::string ctlName = "hw:" + std::to_string(card), name;
        int number = -1;
        if (!CardInfo(ctlName, name, number)) continue;
        devices.push_back({ctlName, name});
        kernelCards.push_back(card);
    }
    std::string name;
    int number = -1;
    if (CardInfo("default", name, number)) {
        bool listed = false;
        for (int card : kernelCards) listed = listed || card == number;
        if (!listed) devices.push_back({"default", name});
    }
    return devices;
}

}  // namespace zelm::platform::audio
