// The value calls: write, read, enumerate and delete the named values of a key.

#include <cstring>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/registry/registry.h>
#include "platform/registry/registry_handles.h"
#include "platform/registry/registry_paths.h"
#include "platform/registry/registry_store.h"

using namespace zelm::platform::registry;

namespace {

std::string NameOf(LPCSTR lpValueName)
{
    return lpValueName ? lpValueName : "";
}

// Hands a value's type and bytes to the caller: the size alone when there is no buffer.
LONG DeliverValue(DWORD type, std::string_view data, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpType) *lpType = type;
    if (lpcbData == nullptr) return ERROR_SUCCESS;
    auto size = static_cast<DWORD>(data.size());
    if (lpData != nullptr) {
        if (size > *lpcbData) {
            *lpcbData = size;
            return ERROR_MORE_DATA;
        }
        if (size != 0) std::memcpy(lpData, data.data(), size);
    }
    *lpcbData = size;
    return ERROR_SUCCESS;
}

}  // namespace

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    if (lpData == nullptr && cbData != 0) return RejectCall(ERROR_INVALID_PARAMETER);
    std::string name = NameOf(lpValueName);
    return RunCall(CallKind::Write, [&](Session& session) {
        OpenKey key = ResolveKey(session, hKey, KEY_SET_VALUE);
        session
            .Prepare(
                "INSERT INTO vals(key, name, folded, type, data) VALUES(?, ?, ?, ?, ?) "
                "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data")
            .Bind(1, key.id)
            .Bind(2, name)
            .Bind(3, FoldName(name))
            .Bind(4, static_cast<std::int64_t>(dwType))
            .BindBlob(5, lpData, cbData)
            .Run();
        TouchKey(session, key.id);
        return ERROR_SUCCESS;
    });
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpData != nullptr && lpcbData == nullptr) return RejectCall(ERROR_INVALID_PARAMETER);
    std::string folded = FoldName(NameOf(lpValueName));
    return RunCall(CallKind::Read, [&](Session& session) {
        OpenKey key = ResolveKey(session, hKey, KEY_QUERY_VALUE);
        Statement value = session.Prepare("SELECT type, data FROM vals WHERE key = ? AND folded = ?");
        value.Bind(1, key.id).Bind(2, folded);
        if (!value.Step()) return ERROR_FILE_NOT_FOUND;
        return DeliverValue(static_cast<DWORD>(value.Int(0)), value.Blob(1), lpType, lpData, lpcbData);
    });
}

LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD, LPDWORD lpType,
                   LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpValueName == nullptr || lpcchValueName == nullptr || (lpData != nullptr && lpcbData == nullptr))
        return RejectCall(ERROR_INVALID_PARAMETER);
    return RunCall(CallKind::Read, [&](Session& session) {
        OpenKey key = ResolveKey(session, hKey, KEY_QUERY_VALUE);
        Statement value =
            session.Prepare("SELECT name, type, data FROM vals WHERE key = ? ORDER BY id LIMIT 1 OFFSET ?");
        value.Bind(1, key.id).Bind(2, static_cast<std::int64_t>(dwIndex));
        if (!value.Step()) return ERROR_NO_MORE_ITEMS;
        LONG code = CopyNameOut(value.Text(0), lpValueName, lpcchValueName);
        if (code != ERROR_SUCCESS) return code;
        return DeliverValue(static_cast<DWORD>(value.Int(1)), value.Blob(2), lpType, lpData, lpcbData);
    });
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
    std::string folded = FoldName(NameOf(lpValueName));
    return RunCall(CallKind::Write, [&](Session& session) {
        OpenKey key = ResolveKey(session, hKey, KEY_SET_VALUE);
        Statement remove = session.Prepare("DELETE FROM vals WHERE key = ? AND folded = ? RETURNING id");
        if (!remove.Bind(1, key.id).Bind(2, folded).Step()) return ERROR_FILE_NOT_FOUND;
        remove.Run();
        TouchKey(session, key.id);
        return ERROR_SUCCESS;
    });
}
