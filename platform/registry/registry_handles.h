#pragma once
// Handles of opened keys and what they lead to in the store.

#include <cstdint>
#include <string>

#include <zelmtools/platform/registry/registry.h>
#include "platform/registry/registry_store.h"

namespace zelm::platform::registry {

// A key as a call sees it: its row in the store and the rights it was opened with.
struct OpenKey {
    std::int64_t id;
    REGSAM access;
};

// A new handle to the key; handles are never given out twice in a process's life, so a
// closed handle is always recognised as one.
HKEY AddHandle(std::int64_t keyId, REGSAM access, const std::string& storePath);
bool RemoveHandle(HKEY hKey);
bool IsPredefinedKey(HKEY hKey);

// The live key behind a handle in the session's store, checked for the rights the call
// needs; ends the call with ERROR_INVALID_HANDLE, ERROR_ACCESS_DENIED or
// ERROR_KEY_DELETED.
OpenKey ResolveKey(Session& session, HKEY hKey, REGSAM needed);

// The time as FILETIME counts it (100 ns since 1601), and its record as the key's last write.
std::int64_t FileTimeNow();
void TouchKey(Session& session, std::int64_t keyId);

}  // namespace zelm::platform::registry
