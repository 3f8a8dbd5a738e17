#include "platform/registry/registry_handles.h"

#include <chrono>
#include <mutex>
#include <unordered_map>

#include <zelmtools/platform/base/errors.h>

namespace zelm::platform::registry {

namespace {

constexpr REGSAM kMaximumAllowed = 0x02000000;
constexpr UINT_PTR kFirstHandle = 0x1000;
constexpr std::int64_t kFileTimeOfUnixEpoch = 116444736000000000LL;

struct HandleRecord {
    std::int64_t keyId;
    REGSAM access;
    std::string storePath;  // key ids mean something only in their own store
};

struct HandleTable {
    std::mutex lock;
    std::unordered_map<UINT_PTR, HandleRecord> records;
    UINT_PTR next = kFirstHandle;
};

HandleTable& Table()
{
    static HandleTable* table = new HandleTable;  // handles may be closed by static destructors
    return *table;
}

// The store row of a predefined key: its number's low bits + 1; 0 when it is none.
std::int64_t PredefinedKeyId(HKEY hKey)
{
    auto value = reinterpret_cast<UINT_PTR>(hKey);
    auto low = static_cast<DWORD>(value) & 0x7FFFFFFF;
    if (value != reinterpret_cast<UINT_PTR>(ZELM_PREDEFINED_HKEY(0x80000000 | low))) return 0;
    if (low > 5 || low == 4) return 0;  // 4 would be performance data: not a stored tree
    return static_cast<std::int64_t>(low) + 1;
}

bool FindHandle(HKEY hKey, HandleRecord& record)
{
    auto& table = Table();
    std::lock_guard guard(table.lock);
    auto found = table.records.find(reinterpret_cast<UINT_PTR>(hKey));
    if (found == table.records.end()) return false;
    record = found->second;
    return true;
}

bool KeyExists(Session& session, std::int64_t keyId)
{
    return session.Prepare("SELECT 1 FROM keys WHERE id = ?").Bind(1, keyId).Step();
}

}  // namespace

HKEY AddHandle(std::int64_t keyId, REGSAM access, const std::string& storePath)
{
    auto& table = Table();
    std::lock_guard guard(table.lock);
    UINT_PTR handle = table.next;
    table.next += 4;
    table.records.emplace(handle, HandleRecord{keyId, access, storePath});
    return reinterpret_cast<HKEY>(handle);
}

bool RemoveHandle(HKEY hKey)
{
    auto& table = Table();
    std::lock_guard guard(table.lock);
    return table.records.erase(reinterpret_cast<UINT_PTR>(hKey)) != 0;
}

bool IsPredefinedKey(HKEY hKey)
{
    return PredefinedKeyId(hKey) != 0;
}

OpenKey ResolveKey(Session& session, HKEY hKey, REGSAM needed)
{
    if (std::int64_t root = PredefinedKeyId(hKey)) return OpenKey{root, KEY_ALL_ACCESS};
    HandleRecord record;
    if (!FindHandle(hKey, record) || record.storePath != session.StorePath()) throw CallFailure{ERROR_INVALID_HANDLE};
    bool allowed = (record.access & kMaximumAllowed) || (record.access & needed) == needed;
    if (!allowed) throw CallFailure{ERROR_ACCESS_DENIED};
    if (!KeyExists(session, record.keyId)) throw CallFailure{ERROR_KEY_DELETED};
    return OpenKey{record.keyId, record.access};
}

std::int64_t FileTimeNow()
{
    auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return kFileTimeOfUnixEpoch + std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count() / 100;
}

void TouchKey(Session& session, std::int64_t keyId)
{
    session.Prepare("UPDATE keys SET written = ? WHERE id = ?").Bind(1, FileTimeNow()).Bind(2, keyId).Run();
}

}  // namespace zelm::platform::registry
