#include "app/StoredSettings.h"

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/registry/registry.h>
#include <zelmtools/registry/RegItem.h>

namespace {

constexpr char kRootPath[] = "Software\\Brannic KSD\\";
constexpr char kKeyName[] = "Scrivane";
constexpr char kLogFontValue[] = "LogFont";
constexpr char kDelSizeValue[] = "DelSize";

// Looked up without opening for writing, so that a read-only caller creates nothing.
bool SettingsKeyExists()
{
    CString path = CString(kRootPath) + kKeyName;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

}  // namespace

void LoadStoredSettings(LOGFONT& logFont, UINT& delSize, bool createKey)
{
    CRegItem key(HKEY_CURRENT_USER, kRootPath);
    if (!createKey && !SettingsKeyExists()) return;
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
