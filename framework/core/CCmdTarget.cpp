#include <zelmtools/framework/core/CCmdTarget.h>

namespace zelm::framework {

namespace {

bool Matches(const MessageMapEntry& entry, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (entry.registered != nullptr) return *entry.registered == message;
    if (entry.message != message) return false;
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return header != nullptr && header->code == entry.notifyCode && wParam >= entry.firstId && wParam <= entry.lastId;
    }
    if (message != WM_COMMAND) return true;
    UINT id = LOWORD(wParam);
    return HIWORD(wParam) == entry.notifyCode && id >= entry.firstId && id <= entry.lastId;
}

}  // namespace

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (; map != nullptr; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->handler != nullptr; ++entry)
            if (Matches(*entry, message, wParam, lParam)) return entry;
    }
    return nullptr;
}

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam)
{
    return FindMessageEntry(map, message, wParam, 0);
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
    const auto* entry = zelm::framework::FindMessageEntry(GetMessageMap(), message, wParam, lParam);
    if (entry == nullptr) return false;
    LRESULT result = entry->handler(this, wParam, lParam);
    if (pResult) *pResult = result;
    return true;
}
