#pragma once
// Which mixer devices there are. Kernel sound cards are found by number ("hw:N"), but a
// card that the configuration defines (a sound server, a plugin, the tests' card) is
// not a kernel card: the "default" control device counts as one more device when it
// opens and is not one of the kernel cards already listed. Device numbers follow this
// order, kernel cards first.

#include <string>
#include <vector>

namespace zelm::platform::audio {

struct MixerDeviceName {
    std::string ctlName;  // what snd_mixer_attach takes: "hw:0", "default"
    std::string cardName;
};

std::vector<MixerDeviceName> ListMixerDevices();

}  // namespace zelm::platform::audio
