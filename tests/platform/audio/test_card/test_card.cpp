// An ALSA control plugin that plays a sound card for the mixer tests: Master, PCM, CD,
// Line and Mic playback controls, capture controls and a "Capture Source" switch.
// Its values live in the file named by ZELM_TEST_MIXER_STATE (read before every access,
// written after every change), so that a card keeps its state between opens and
// between processes, as a real card does; ZELM_TEST_MIXER_LOG names a file that gets
// one line per write.

#include <alsa/asoundlib.h>
#include <alsa/control_external.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Element {
    const char* name;
    snd_ctl_elem_type_t type;
    unsigned int count;  // channels
    long minimum;
    long maximum;  // enumerated: number of items
    std::array<long, 2> initial;
};

const char* const kSourceItems[] = {"Mic", "CD", "Line"};

constexpr snd_ctl_elem_type_t kInt = SND_CTL_ELEM_TYPE_INTEGER;
constexpr snd_ctl_elem_type_t kBool = SND_CTL_ELEM_TYPE_BOOLEAN;
constexpr snd_ctl_elem_type_t kEnum = SND_CTL_ELEM_TYPE_ENUMERATED;

// Ranges differ on purpose: levels are scaled from and to each control's own range.
const Element kElements[] = {
    {"Master Playback Volume", kInt, 2, 0, 87, {60, 60}}, {"Master Playback Switch", kBool, 2, 0, 1, {1, 1}},
    {"PCM Playback Volume", kInt, 2, 0, 255, {200, 200}}, {"PCM Playback Switch", kBool, 2, 0, 1, {1, 1}},
    {"CD Playback Volume", kInt, 2, 0, 31, {20, 20}},     {"CD Playback Switch", kBool, 2, 0, 1, {1, 1}},
    {"Line Playback Volume", kInt, 2, 0, 31, {16, 16}},   {"Line Playback Switch", kBool, 2, 0, 1, {0, 0}},
    {"Mic Playback Volume", kInt, 1, 0, 31, {8, 0}},      {"Mic Playback Switch", kBool, 1, 0, 1, {0, 0}},
    {"Capture Volume", kInt, 2, 0, 63, {40, 40}},         {"Capture Switch", kBool, 2, 0, 1, {1, 1}},
    {"Mic Capture Volume", kInt, 1, 0, 31, {10, 0}},      {"CD Capture Volume", kInt, 2, 0, 31, {12, 12}},
    {"Line Capture Volume", kInt, 2, 0, 31, {14, 14}},    {"Capture Source", kEnum, 1, 0, 3, {0, 0}},
};
constexpr unsigned int kElementCount = sizeof kElements / sizeof kElements[0];

struct Card {
    snd_ctl_ext_t ext{};
    std::string statePath;
    std::vector<std::array<long, 2>> values;
};

void LoadState(Card& card)
{
    card.values.clear();
    for (const auto& element : kElements) card.values.push_back(element.initial);
    if (card.statePath.empty()) return;
    std::ifstream in(card.statePath);
    std::string line;
    while (std::getline(in, line)) {
        auto tab = line.find('\t');
        if (tab == std::string::npos) continue;
        std::string name = line.substr(0, tab);
        std::istringstream numbers(line.substr(tab + 1));
        for (unsigned int i = 0; i < kElementCount; ++i)
            if (name == kElements[i].name) numbers >> card.values[i][0] >> card.values[i][1];
    }
}

int SaveState(const Card& card)
{
    if (card.statePath.empty()) return 0;
    std::string temp = card.statePath + ".new";
    {
        std::ofstream out(temp, std::ios::trunc);
        for (unsigned int i = 0; i < kElementCount; ++i)
            out << kElements[i].name << '\t' << card.values[i][0] << ' ' << card.values[i][1] << '\n';
        if (!out) return -EIO;
    }
    return std::rename(temp.c_str(), card.statePath.c_str()) == 0 ? 0 : -errno;
}

Card& CardOf(snd_ctl_ext_t* ext)
{
    return *static_cast<Card*>(ext->private_data);
}

void Close(snd_ctl_ext_t* ext)
{
    delete &CardOf(ext);
}

int ElemCount(snd_ctl_ext_t*)
{
    return kElementCount;
}

int ElemList(snd_ctl_ext_t*, unsigned int offset, snd_ctl_elem_id_t* id)
{
    snd_ctl_elem_id_set_interface(id, SND_CTL_ELEM_IFACE_MIXER);
    snd_ctl_elem_id_set_name(id, kElements[offset].name);
    return 0;
}

snd_ctl_ext_key_t FindElem(snd_ctl_ext_t*, const snd_ctl_elem_id_t* id)
{
    const char* name = snd_ctl_elem_id_get_name(id);
    unsigned int numid = snd_ctl_elem_id_get_numid(id);
    if (numid > 0 && numid <= kElementCount) return numid - 1;
    for (unsigned int i = 0; i < kElementCount; ++i)
        if (std::strcmp(name, kElements[i].name) == 0) return i;
    return SND_CTL_EXT_KEY_NOT_FOUND;
}

int GetAttribute(snd_ctl_ext_t*, snd_ctl_ext_key_t key, int* type, unsigned int* acc, unsigned int* count)
{
    *type = kElements[key].type;
    *acc = SND_CTL_EXT_ACCESS_READWRITE;
    *count = kElements[key].count;
    return 0;
}

int GetIntegerInfo(snd_ctl_ext_t*, snd_ctl_ext_key_t key, long* imin, long* imax, long* istep)
{
    *imin = kElements[key].minimum;
    *imax = kElements[key].maximum;
    *istep = 1;
    return 0;
}

int GetEnumeratedInfo(snd_ctl_ext_t*, snd_ctl_ext_key_t key, unsigned int* items)
{
    *items = static_cast<unsigned int>(kElements[key].maximum);
    return 0;
}

int GetEnumeratedName(snd_ctl_ext_t*, snd_ctl_ext_key_t, unsigned int item, char* name, size_t nameMax)
{
    if (item >= 3) return -EINVAL;
    std::snprintf(name, nameMax, "%s", kSourceItems[item]);
    return 0;
}

int ReadInteger(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, long* value)
{
    Card& card = CardOf(ext);
    LoadState(card);
    for (unsigned int c = 0; c < kElements[key].count; ++c) value[c] = card.values[key][c];
    return 0;
}

int ReadEnumerated(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, unsigned int* items)
{
    Card& card = CardOf(ext);
    LoadState(card);
    for (unsigned int c = 0; c < kElements[key].count; ++c) items[c] = static_cast<unsigned int>(card.values[key][c]);
    return 0;
}

// Every write, in order, for tests that look at what happened in between.
void LogWrite(const Element& element, const long* value)
{
    const char* path = std::getenv("ZELM_TEST_MIXER_LOG");
    if (!path) return;
    std::ofstream(path, std::ios::app) << element.name << '\t' << value[0] << ' ' << (element.count > 1 ? value[1] : 0)
                                       << '\n';
}

// Returns 1 when something changed, as a kernel driver does.
int Write(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, const long* value)
{
    Card& card = CardOf(ext);
    LoadState(card);
    const Element& element = kElements[key];
    bool changed = false;
    for (unsigned int c = 0; c < element.count; ++c) {
        long limit = element.type == kEnum ? element.maximum - 1 : element.maximum;
        if (value[c] < element.minimum || value[c] > limit) return -EINVAL;
        changed |= card.values[key][c] != value[c];
        card.values[key][c] = value[c];
    }
    LogWrite(element, value);
    int err = SaveState(card);
    return err < 0 ? err : changed ? 1 : 0;
}

int WriteInteger(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, long* value)
{
    return Write(ext, key, value);
}

int WriteEnumerated(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, unsigned int* items)
{
    long values[2] = {items[0], kElements[key].count > 1 ? items[1] : 0};
    return Write(ext, key, values);
}

void SubscribeEvents(snd_ctl_ext_t*, int) {}

int ReadEvent(snd_ctl_ext_t*, snd_ctl_elem_id_t*, unsigned int*)
{
    return -EAGAIN;
}

const snd_ctl_ext_callback_t kCallbacks = {
    .close = Close,
    .elem_count = ElemCount,
    .elem_list = ElemList,
    .find_elem = FindElem,
    .free_key = nullptr,
    .get_attribute = GetAttribute,
    .get_integer_info = GetIntegerInfo,
    .get_integer64_info = nullptr,
    .get_enumerated_info = GetEnumeratedInfo,
    .get_enumerated_name = GetEnumeratedName,
    .read_integer = ReadInteger,
    .read_integer64 = nullptr,
    .read_enumerated = ReadEnumerated,
    .read_bytes = nullptr,
    .read_iec958 = nullptr,
    .write_integer = WriteInteger,
    .write_integer64 = nullptr,
    .write_enumerated = WriteEnumerated,
    .write_bytes = nullptr,
    .write_iec958 = nullptr,
    .subscribe_events = SubscribeEvents,
    .read_event = ReadEvent,
    .poll_descriptors_count = nullptr,
    .poll_descriptors = nullptr,
    .poll_revents = nullptr,
};

}  // namespace

extern "C" {

SND_CTL_PLUGIN_DEFINE_FUNC(zelmtest)
{
    (void)root;
    (void)conf;
    auto* card = new Card;
    if (const char* path = std::getenv("ZELM_TEST_MIXER_STATE")) card->statePath = path;
    LoadState(*card);
    snd_ctl_ext_t& ext = card->ext;
    ext.version = SND_CTL_EXT_VERSION;
    ext.card_idx = -1;
    std::strcpy(ext.id, "ZelmTest");
    std::strcpy(ext.driver, "zelmtest");
    std::strcpy(ext.name, "Zelm Test Card");
    std::strcpy(ext.longname, "Zelm Test Card (state file)");
    std::strcpy(ext.mixername, "Zelm Test Mixer");
    ext.poll_fd = -1;
    ext.callback = &kCallbacks;
    ext.private_data = card;
    int err = snd_ctl_ext_create(&ext, name, mode);
    if (err < 0) {
        delete card;
        return err;
    }
    *handlep = ext.handle;
    return 0;
}

SND_CTL_PLUGIN_SYMBOL(zelmtest)
}
