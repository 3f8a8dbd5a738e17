#pragma once
// CDisplayLayout: a snapshot of every display adapter (flags, identity, mode and
// position) in a registry key, and a later check of the live layout against it.
// Results: 0 done, -1 no EnumDisplayDevicesA, -2 an adapter's current mode cannot be
// read, -3 no adapter at all, -4 (CheckUp) a value the snapshot must hold is missing.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

class CRegItem;

// Change bits of CheckUp.
constexpr DWORD DISPLAY_LAYOUT_COUNT = 1;
constexpr DWORD DISPLAY_LAYOUT_STATE_FLAGS = 2;
constexpr DWORD DISPLAY_LAYOUT_DEVICE_NAME = 4;
constexpr DWORD DISPLAY_LAYOUT_DEVICE_ID = 8;
constexpr DWORD DISPLAY_LAYOUT_SIZE = 16;
constexpr DWORD DISPLAY_LAYOUT_DEPTH = 32;
constexpr DWORD DISPLAY_LAYOUT_FREQUENCY = 64;
constexpr DWORD DISPLAY_LAYOUT_POSITION = 128;

class ZELM_API CDisplayLayout {
public:
    CDisplayLayout();
    CDisplayLayout(const CDisplayLayout& other);
    CDisplayLayout& operator=(const CDisplayLayout& other);
    virtual ~CDisplayLayout();

    LONG Save(CRegItem* key);
    // On 0, *changes holds the change bits (0: nothing changed); otherwise untouched.
    LONG CheckUp(CRegItem* key, DWORD* changes);
};
