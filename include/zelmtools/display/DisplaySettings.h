#pragma once
// CDisplaySettings: a client's display preferences (adapter, whether and to what to
// switch the resolution, the user's usual resolution, a font height), with defaults
// and load and save through a registry key. It changes nothing on the screen.

#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

class CRegItem;

struct ZELM_API CDisplaySettings {
    CDisplaySettings();
    virtual ~CDisplaySettings();

    void Default();
    // Reads all seven values (a missing one keeps the member); 1 only if all were there.
    virtual int Load(CRegItem* key);
    // Writes all seven values; always 1.
    virtual int Save(CRegItem* key);

    CString m_strDisplayName;   // "DisplayName", text; empty: none chosen
    int m_bChangeResolution;    // "ChangeResolution", 4-byte binary
    LONG m_lDisplayWidth;       // "DisplayWidth", REG_DWORD
    LONG m_lDisplayHeight;      // "DisplayHeight", REG_DWORD
    LONG m_lUserDisplayWidth;   // "UserDisplayWidth", REG_DWORD
    LONG m_lUserDisplayHeight;  // "UserDisplayHeight", REG_DWORD
    int m_nFontSize;            // "FontSize", 4-byte binary: lfHeight of the default GUI font
};
