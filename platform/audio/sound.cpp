#include "platform/audio/sound.h"

#include <canberra.h>
#include <strings.h>
#include <sys/stat.h>

#include <condition_variable>
#include <mutex>
#include <string>

#include <zelmtools/platform/base/errors.h>

namespace {

constexpr uint32_t kAsyncPlay = 1;
constexpr uint32_t kSyncPlay = 2;

struct SystemSound {
    const char* alias;
    // Theme events, tried in order while the theme has no sound for one.
    const char* events[2];
};

const SystemSound kSystemSounds[] = {
    {"SystemDefault", {"bell", "dialog-information"}},
    {"SystemHand", {"dialog-error", nullptr}},
    {"SystemQuestion", {"dialog-question", "dialog-information"}},
    {"SystemExclamation", {"dialog-warning", nullptr}},
    {"SystemAsterisk", {"dialog-information", nullptr}},
};
const SystemSound& kDefaultSound = kSystemSounds[0];

const SystemSound* FindSystemSound(const char* alias)
{
    for (const auto& sound : kSystemSounds)
        if (strcasecmp(sound.alias, alias) == 0) return &sound;
    return nullptr;
}

const char* AliasOfBeep(UINT uType)
{
    switch (uType) {
        case 0x10: return "SystemHand";
        case 0x20: return "SystemQuestion";
        case 0x30: return "SystemExclamation";
        case 0x40: return "SystemAsterisk";
        default: return "SystemDefault";
    }
}

std::mutex g_contextLock;

// One context for the process: sounds started without waiting go on playing in it.
ca_context* Context()
{
    static ca_context* context = nullptr;
    std::lock_guard lock(g_contextLock);
    if (!context && ca_context_create(&context) == CA_SUCCESS)
        ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "zelmTools", nullptr);
    return context;
}

struct Finished {
    std::mutex lock;
    std::condition_variable done;
    bool finished = false;
    int error = CA_SUCCESS;
};

void OnFinished(ca_context*, uint32_t, int error, void* data)
{
    auto* finished = static_cast<Finished*>(data);
    std::lock_guard lock(finished->lock);
    finished->finished = true;
    finished->error = error;
    finished->done.notify_all();
}

// Plays one sound described by a property and its value; waits for its end when sync.
int Play(const char* property, const char* value, bool sync)
{
    ca_context* context = Context();
    if (!context) return CA_ERROR_NOTAVAILABLE;
    ca_proplist* props = nullptr;
    if (ca_proplist_create(&props) != CA_SUCCESS) return CA_ERROR_OOM;
    ca_proplist_sets(props, property, value);
    ca_proplist_sets(props, CA_PROP_CANBERRA_CACHE_CONTROL, "never");
    int result;
    if (!sync) {
        result = ca_context_play_full(context, kAsyncPlay, props, nullptr, nullptr);
    } else {
        Finished finished;
        result = ca_context_play_full(context, kSyncPlay, props, OnFinished, &finished);
        if (result == CA_SUCCESS) {
            std::unique_lock lock(finished.lock);
            finished.done.wait(lock, [&] { return finished.finished; });
            result = finished.error;
        }
    }
    ca_proplist_destroy(props);
    return result;
}

int PlaySystemSound(const SystemSound& sound, bool sync)
{
    int result = CA_ERROR_NOTFOUND;
    for (const char* event : sound.events) {
        if (!event || result != CA_ERROR_NOTFOUND) break;
        result = Play(CA_PROP_EVENT_ID, event, sync);
    }
    return result;
}

BOOL Result(int result)
{
    if (result == CA_SUCCESS) return TRUE;
    SetLastError(ERROR_NOT_FOUND);
    return FALSE;
}

bool IsFile(const char* path)
{
    struct stat status {};
    return stat(path, &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

BOOL MessageBeep(UINT uType)
{
    return Result(PlaySystemSound(*FindSystemSound(AliasOfBeep(uType)), false));
}

BOOL PlaySoundA(LPCSTR pszSound, HMODULE, DWORD fdwSound)
{
    bool sync = !(fdwSound & SND_ASYNC);
    if (!pszSound) {
        if (ca_context* context = Context()) ca_context_cancel(context, kAsyncPlay);
        return TRUE;
    }
    if (fdwSound & (SND_MEMORY | SND_LOOP)) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    if (fdwSound & SND_FILENAME) {
        if (IsFile(pszSound)) return Result(Play(CA_PROP_MEDIA_FILENAME, pszSound, sync));
    } else if (const SystemSound* sound = FindSystemSound(pszSound)) {
        return Result(PlaySystemSound(*sound, sync));
    } else if (!(fdwSound & SND_ALIAS) && IsFile(pszSound)) {
        return Result(Play(CA_PROP_MEDIA_FILENAME, pszSound, sync));
    }
    if (fdwSound & SND_NODEFAULT) return Result(CA_ERROR_NOTFOUND);
    return Result(PlaySystemSound(kDefaultSound, sync));
}
