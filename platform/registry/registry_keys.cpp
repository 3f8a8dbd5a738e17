// The key calls: create, open, close, delete and enumerate keys.

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/registry/registry.h>
#include "platform/registry/registry_handles.h"
#include "platform/registry/registry_paths.h"
#include "platform/registry/registry_store.h"

using namespace zelm::platform::registry;

namespace {

std::int64_t FindChild(Session& session, std::int64_t parent, const std::string& name)
{
    Statement find = session.Prepare("SELECT id FROM keys WHERE parent = ? AND folded = ?");
    find.Bind(1, parent).Bind(2, FoldName(name));
    return find.Step() ? find.Int(0) : 0;
}

std::int64_t AddChild(Session& session, std::int64_t parent, const std::string& name)
{
    Statement add = session.Prepare("INSERT INTO keys(parent, name, folded, written) VALUES(?, ?, ?, ?) RETURNING id");
    add.Bind(1, parent).Bind(2, name).Bind(3, FoldName(name)).Bind(4, FileTimeNow());
    add.Step();
    std::int64_t id = add.Int(0);
    add.Run();
    TouchKey(session, parent);
    return id;
}

// The key at the end of the names below start; missing keys are created when asked,
// otherwise the call ends with ERROR_FILE_NOT_FOUND.
std::int64_t WalkPath(Session& session, std::int64_t start, const std::vector<std::string>& names, bool create,
                      bool* created = nullptr)
{
    std::int64_t id = start;
    if (created) *created = false;
    for (const auto& name : names) {
        std::int64_t child = FindChild(session, id, name);
        if (child == 0 && !create) throw CallFailure{ERROR_FILE_NOT_FOUND};
        if (child == 0) {
            child = AddChild(session, id, name);
            if (created) *created = true;
        }
        id = child;
    }
    return id;
}

bool IsRootRow(std::int64_t id)
{
    return id <= 6;
}

bool HasSubKeys(Session& session, std::int64_t id)
{
    return session.Prepare("SELECT 1 FROM keys WHERE parent = ? LIMIT 1").Bind(1, id).Step();
}

std::int64_t ParentOf(Session& session, std::int64_t id)
{
    Statement parent = session.Prepare("SELECT parent FROM keys WHERE id = ?");
    parent.Bind(1, id);
    return parent.Step() ? parent.Int(0) : 0;
}

void DeleteKeyRow(Session& session, std::int64_t id)
{
    std::int64_t parent = ParentOf(session, id);
    session.Prepare("DELETE FROM vals WHERE key = ?").Bind(1, id).Run();
    session.Prepare("DELETE FROM keys WHERE id = ?").Bind(1, id).Run();
    TouchKey(session, parent);
}

// Opens (or creates) the key and hands out a handle once the transaction has committed.
LONG OpenKeyHandle(HKEY hKey, LPCSTR lpSubKey, REGSAM samDesired, bool create, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    if (phkResult == nullptr) return RejectCall(ERROR_INVALID_PARAMETER);
    *phkResult = nullptr;
    std::vector<std::string> names;
    if (!SplitKeyPath(lpSubKey ? lpSubKey : "", names)) return RejectCall(ERROR_BAD_PATHNAME);
    std::int64_t id = 0;
    bool created = false;
    std::string storePath;
    LONG code = RunCall(create ? CallKind::Write : CallKind::Read, [&](Session& session) {
        OpenKey start = ResolveKey(session, hKey, create && !names.empty() ? KEY_CREATE_SUB_KEY : REGSAM{0});
        id = WalkPath(session, start.id, names, create, &created);
        storePath = session.StorePath();
        return ERROR_SUCCESS;
    });
    if (code != ERROR_SUCCESS) return code;
    *phkResult = AddHandle(id, samDesired, storePath);
    if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

}  // namespace

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD dwOptions, REGSAM samDesired,
                     LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    // Volatile keys would have to vanish at the next boot; the store keeps everything.
    if (dwOptions != REG_OPTION_NON_VOLATILE) return RejectCall(ERROR_NOT_SUPPORTED);
    return OpenKeyHandle(hKey, lpSubKey, samDesired, true, phkResult, lpdwDisposition);
}

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
    return OpenKeyHandle(hKey, lpSubKey, samDesired, false, phkResult, nullptr);
}

LONG RegCloseKey(HKEY hKey)
{
    if (IsPredefinedKey(hKey) || RemoveHandle(hKey)) return ERROR_SUCCESS;
    return RejectCall(ERROR_INVALID_HANDLE);
}

LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    if (lpSubKey == nullptr) return RejectCall(ERROR_INVALID_PARAMETER);
    std::vector<std::string> names;
    if (!SplitKeyPath(lpSubKey, names)) return RejectCall(ERROR_BAD_PATHNAME);
    return RunCall(CallKind::Write, [&](Session& session) {
        std::int64_t id = WalkPath(session, ResolveKey(session, hKey, 0).id, names, false);
        if (IsRootRow(id) || HasSubKeys(session, id)) return ERROR_ACCESS_DENIED;
        DeleteKeyRow(session, id);
        return ERROR_SUCCESS;
    });
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD, LPSTR, LPDWORD lpcchClass,
                   PFILETIME lpftLastWriteTime)
{
    if (lpName == nullptr || lpcchName == nullptr) return RejectCall(ERROR_INVALID_PARAMETER);
    return RunCall(CallKind::Read, [&](Session& session) {
        OpenKey key = ResolveKey(session, hKey, KEY_ENUMERATE_SUB_KEYS);
        Statement child =
            session.Prepare("SELECT name, written FROM keys WHERE parent = ? ORDER BY folded LIMIT 1 OFFSET ?");
        child.Bind(1, key.id).Bind(2, static_cast<std::int64_t>(dwIndex));
        if (!child.Step()) return ERROR_NO_MORE_ITEMS;
        LONG code = CopyNameOut(child.Text(0), lpName, lpcchName);
        if (code != ERROR_SUCCESS) return code;
        if (lpcchClass) *lpcchClass = 0;
        if (lpftLastWriteTime) {
            auto written = static_cast<std::uint64_t>(child.Int(1));
            *lpftLastWriteTime = FILETIME{static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)};
        }
        return ERROR_SUCCESS;
    });
}
