#include "app/StoredSettings.h"

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/registry/registry.h>
#include <zelmtools/registry/RegItem.h>

namespace {

constexpr char kRootPath[] = "Software\\Brannic KSD\\";
constexpr char kKeyName[] = "Scrivane";
constexpr char kLogFontValue[] = "LogFont";
constexpr char kDelSizeValue[] = "DelSize";

// Opened for reading only, so that a caller who only reads creates nothing: neither the
// key nor the store. Values are read as CRegItem reads them (types are not compared).
void ReadStoredValues(LOGFONT& logFont, UINT& delSize)
{
    CString path = CString(kRootPath) + kKeyName;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD type = REG_BINARY;
    DWORD size = sizeof logFont;
    RegQueryValueExA(key, kLogFontValue, nullptr, &type, reinterpret_cast<BYTE*>(&logFont), &size);
    type = REG_BINARY;
    size = sizeof delSize;
    RegQueryValueExA(key, kDelSizeValue, nullptr, &type, reinterpret_cast<BYTE*>(&delSize), &size);
    RegCloseKey(key);
}

}  // namespace

void LoadStoredSettings(LOGFONT& logFont, UINT& delSize, bool createKey)
{
    if (!createKey) {
        ReadStoredValues(logFont, delSize);
        return;
    }
    CRegItem key(HKEY_CURRENT_USER, kRootPath);
    key.CreateKey(kKeyName);
    key.QueryValue(kLogFontValue, REG_BINARY, &logFont, sizeof logFont);
    key.QueryValue(kDelSizeValue, REG_BINARY, &delSize, sizeof delSize);
    key.CloseKey();
}

void SaveStoredSettings(LOGFONT& logFont, UINT& delSize)
{
    CRegItem key(HKEY_CURRENT_USER, kRootPath);
    key.CreateKey(kKeyName);
    key.SetValue(kLogFontValue, REG_BINARY, &logFont, sizeof logFont);
    key.SetValue(kDelSizeValue, REG_BINARY, &delSize, sizeof delSize);
    key.CloseKey();
}
