#include <zelmtools/framework/core/CCmdTarget.h>

namespace zelm::framework {

namespace {

bool Matches(const MessageMapEntry& entry, UINT message, WPARAM wParam)
{
    if (entry.registered != nullptr) return *entry.registered == message;
    if (entry.message != message) return false;
    if (message != WM_COMMAND) return true;
    UINT id = LOWORD(wParam);
    return HIWORD(wParam) == entry.notifyCode && id >= entry.firstId && id <= entry.lastId;
}

}  // namespace

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam)
{
    for (; map != nullptr; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->handler != nullptr; ++entry)
            if (Matches(*entry, message, wParam)) return entry;
    }
    return nullptr;
}

}  // namespace zelm::framework

const zelm::framework::MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const zelm::framework::MessageMapEntry entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const zelm::framework::MessageMap map{nullptr, entries};
    return &map;
}

const zelm::framework::MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

bool CCmdTarget::DispatchMapMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* entry = zelm::framework::FindMessageEntry(GetMessageMap(), message, wParam);
    if (entry == nullptr) return false;
    LRESULT result = entry->handler(this, wParam, lParam);
    if (pResult) *pResult = result;
    return true;
}
