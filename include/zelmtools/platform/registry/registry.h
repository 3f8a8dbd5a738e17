#pragma once
// The registry: a tree of keys below predefined root keys, each key holding named values
// with a type and exact bytes. The store is one SQLite database per user (see
// registry_store.h for where it lives); every call is one transaction, so several
// threads and processes may use the store at once.
//
// Key and value names compare case-insensitively and keep the spelling they were created
// with. "\" separates the names of a path. The value with the empty name is the key's
// default value. Every call returns ERROR_SUCCESS or a system error code, which a failing
// call also leaves as the thread's last error.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using REGSAM = DWORD;

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
using PFILETIME = FILETIME*;

// The predefined root keys; they are always open and need no closing.
#define ZELM_PREDEFINED_HKEY(value) (reinterpret_cast<HKEY>(static_cast<UINT_PTR>(static_cast<LONG>(value))))
#define HKEY_CLASSES_ROOT ZELM_PREDEFINED_HKEY(0x80000000)
#define HKEY_CURRENT_USER ZELM_PREDEFINED_HKEY(0x80000001)
#define HKEY_LOCAL_MACHINE ZELM_PREDEFINED_HKEY(0x80000002)
#define HKEY_USERS ZELM_PREDEFINED_HKEY(0x80000003)
#define HKEY_CURRENT_CONFIG ZELM_PREDEFINED_HKEY(0x80000005)

// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_DWORD_LITTLE_ENDIAN = 4;
constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
constexpr DWORD REG_LINK = 6;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_RESOURCE_LIST = 8;
constexpr DWORD REG_FULL_RESOURCE_DESCRIPTOR = 9;
constexpr DWORD REG_RESOURCE_REQUIREMENTS_LIST = 10;
constexpr DWORD REG_QWORD = 11;
constexpr DWORD REG_QWORD_LITTLE_ENDIAN = 11;

// Access rights of an opened key.
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_EXECUTE = KEY_READ;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Options of RegCreateKeyExA and what it did.
constexpr DWORD REG_OPTION_RESERVED = 0x0;
constexpr DWORD REG_OPTION_NON_VOLATILE = 0x0;
constexpr DWORD REG_OPTION_VOLATILE = 0x1;
constexpr DWORD REG_OPTION_CREATE_LINK = 0x2;
constexpr DWORD REG_OPTION_BACKUP_RESTORE = 0x4;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens lpSubKey below hKey, creating every missing key of the path. A null or empty
// lpSubKey opens hKey itself again. Only non-volatile keys are kept: other options fail
// with ERROR_NOT_SUPPORTED.
ZELM_API LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions, REGSAM samDesired,
                     LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult, LPDWORD lpdwDisposition);
// Opens an existing key; ERROR_FILE_NOT_FOUND when it does not exist.
ZELM_API LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
ZELM_API LONG RegCloseKey(HKEY hKey);
// Deletes a key and its values. A key that still has sub-keys is refused with
// ERROR_ACCESS_DENIED, as are the predefined keys. Handles still open on a deleted key
// answer ERROR_KEY_DELETED.
ZELM_API LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey);

// Sub-keys in the order of their names (case-insensitive). *lpcchName is the buffer's
// size in characters with the terminator; on return the name's length without it. A
// buffer too small gives ERROR_MORE_DATA with the length needed; past the last sub-key,
// ERROR_NO_MORE_ITEMS. Keys have no class: *lpcchClass becomes 0.
ZELM_API LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved, LPSTR lpClass,
                   LPDWORD lpcchClass, PFILETIME lpftLastWriteTime);

// Writes the value (a null or empty name writes the default value); the bytes are kept
// exactly, text types included (no terminator is added or required).
ZELM_API LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData, DWORD cbData);
// Reads the value's type and bytes. With lpData null, only the type and the size. A
// buffer smaller than the value gives ERROR_MORE_DATA and the size needed in *lpcbData,
// leaving the buffer untouched; a larger one receives the value in its first bytes.
ZELM_API LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData);
// Values in the order they were first written; name and data buffers as in
// RegEnumKeyExA and RegQueryValueExA.
ZELM_API LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                   LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
ZELM_API LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName);
