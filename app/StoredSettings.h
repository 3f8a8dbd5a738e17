#pragma once
// Where the dialog keeps its font and line-pitch reduction between runs:
// HKEY_CURRENT_USER\Software\Brannic KSD\Scrivane, values "LogFont" (the 60-byte
// LOGFONT) and "DelSize" (4 bytes), both REG_BINARY.

#include <zelmtools/platform/gdi/gdi.h>

// Reads the stored values into the fields; a missing value leaves its field. With
// createKey the key is made when missing (the dialog does); otherwise the store is only
// read: nothing is created, not even the store file or its folder.
void LoadStoredSettings(LOGFONT& logFont, UINT& delSize, bool createKey);
// Writes both values, creating the key when missing.
void SaveStoredSettings(LOGFONT& logFont, UINT& delSize);
