#include <strings.h>

#include <cstdio>

#include <zelmtools/display/DisplayLayout.h>
#include <zelmtools/registry/RegItem.h>

#include "zelmtools/display/DisplayDevices.h"

namespace {

constexpr LONG kNoEnumCall = -1;
constexpr LONG kModeUnreadable = -2;
constexpr LONG kNoAdapter = -3;
constexpr LONG kValueMissing = -4;

// "StateFlags%d" and the like for adapter n.
struct ValueName {
    char text[64];
    ValueName(const char* pattern, DWORD n) { std::snprintf(text, sizeof text, pattern, unsigned(n)); }
    operator const char*() const { return text; }
};

bool Enumerate(zelm::display::EnumDisplayDevicesFn enumDevices, DWORD index, DISPLAY_DEVICEA& device)
{
    device = DISPLAY_DEVICEA{};
    device.cb = sizeof device;
    return enumDevices(nullptr, index, &device, 0) != FALSE;
}

bool OnDesktop(DWORD flags)
{
    return (flags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) && !(flags & DISPLAY_DEVICE_MIRRORING_DRIVER);
}

bool ReadCurrentMode(const DISPLAY_DEVICEA& device, DEVMODEA& mode)
{
    mode = DEVMODEA{};
    mode.dmSize = sizeof mode;
    mode.dmSpecVersion = DM_SPECVERSION;
    return EnumDisplaySettingsA(device.DeviceName, ENUM_CURRENT_SETTINGS, &mode) != FALSE;
}

void SaveAdapter(CRegItem* key, DWORD n, const DISPLAY_DEVICEA& device, const DEVMODEA& mode)
{
    key->SetValue(ValueName("DeviceName%u", n), device.DeviceName);
    key->SetValue(ValueName("DeviceID%u", n), device.DeviceID);
    key->SetValue(ValueName("DEVMODE.dmPelsWidth%u", n), mode.dmPelsWidth);
    key->SetValue(ValueName("DEVMODE.dmPelsHeight%u", n), mode.dmPelsHeight);
    key->SetValue(ValueName("DEVMODE.dmBitsPerPel%u", n), mode.dmBitsPerPel);
    key->SetValue(ValueName("DEVMODE.dmDisplayFrequency%u", n), mode.dmDisplayFrequency);
    key->SetValue(ValueName("DEVMODE.dmPosition.x%u", n), mode.dmPosition.x);
    key->SetValue(ValueName("DEVMODE.dmPosition.y%u", n), mode.dmPosition.y);
}

// Compares one adapter on the desktop with its snapshot; 0 or a result code.
LONG CheckAdapter(CRegItem* key, DWORD n, const DISPLAY_DEVICEA& device, DWORD& changes)
{
    DEVMODEA mode;
    if (!ReadCurrentMode(device, mode)) return kModeUnreadable;
    CString text;
    if (!key->QueryValue(ValueName("DeviceName%u", n), &text)) return kValueMissing;
    if (strcasecmp(text, device.DeviceName) != 0) changes |= DISPLAY_LAYOUT_DEVICE_NAME;
    if (!key->QueryValue(ValueName("DeviceID%u", n), &text)) return kValueMissing;
    if (strcasecmp(text, device.DeviceID) != 0) changes |= DISPLAY_LAYOUT_DEVICE_ID;
    struct Number {
        const char* pattern;
        DWORD now;
        DWORD bit;
    };
    const Number numbers[] = {
        {"DEVMODE.dmPelsWidth%u", mode.dmPelsWidth, DISPLAY_LAYOUT_SIZE},
        {"DEVMODE.dmPelsHeight%u", mode.dmPelsHeight, DISPLAY_LAYOUT_SIZE},
        {"DEVMODE.dmBitsPerPel%u", mode.dmBitsPerPel, DISPLAY_LAYOUT_DEPTH},
        {"DEVMODE.dmDisplayFrequency%u", mode.dmDisplayFrequency, DISPLAY_LAYOUT_FREQUENCY},
        {"DEVMODE.dmPosition.x%u", static_cast<DWORD>(mode.dmPosition.x), DISPLAY_LAYOUT_POSITION},
        {"DEVMODE.dmPosition.y%u", static_cast<DWORD>(mode.dmPosition.y), DISPLAY_LAYOUT_POSITION},
    };
    for (const Number& number : numbers) {
        DWORD stored = 0;
        if (!key->QueryValue(ValueName(number.pattern, n), &stored)) return kValueMissing;
        if (stored != number.now) changes |= number.bit;
    }
    return 0;
}

// A key that was never opened: every write and read fails, as with a null key.
CRegItem* KeyOrClosed(CRegItem* key)
{
    static thread_local CRegItem closed;
    return key ? key : &closed;
}

}  // namespace

CDisplayLayout::CDisplayLayout() = default;
CDisplayLayout::CDisplayLayout(const CDisplayLayout&) = default;
CDisplayLayout& CDisplayLayout::operator=(const CDisplayLayout&) = default;
CDisplayLayout::~CDisplayLayout() = default;

LONG CDisplayLayout::Save(CRegItem* key)
{
    auto enumDevices = zelm::display::FindEnumDisplayDevices();
    if (enumDevices == nullptr) return kNoEnumCall;
    key = KeyOrClosed(key);
    DWORD count = 0;
    DISPLAY_DEVICEA device;
    for (; Enumerate(enumDevices, count, device); ++count) {
        key->SetValue(ValueName("StateFlags%u", count), device.StateFlags);
        if (!OnDesktop(device.StateFlags)) continue;
        DEVMODEA mode;
        if (!ReadCurrentMode(device, mode)) return kModeUnreadable;
        SaveAdapter(key, count, device, mode);
    }
    if (count == 0) return kNoAdapter;
    key->SetValue("DisplayDevicesNum", count);
    return 0;
}

LONG CDisplayLayout::CheckUp(CRegItem* key, DWORD* changes)
{
    auto enumDevices = zelm::display::FindEnumDisplayDevices();
    if (enumDevices == nullptr) return kNoEnumCall;
    key = KeyOrClosed(key);
    DWORD storedCount = 0;
    if (!key->QueryValue("DisplayDevicesNum", &storedCount)) return kValueMissing;
    DWORD found = 0;
    DWORD count = 0;
    DISPLAY_DEVICEA device;
    for (;; ++count) {
        if (count > storedCount) {
            found |= DISPLAY_LAYOUT_COUNT;
            break;
        }
        if (!Enumerate(enumDevices, count, device)) break;
        // A snapshot without the flags counts as not mirroring, so the rest is compared.
        DWORD storedFlags = 0;
        bool flagsStored = key->QueryValue(ValueName("StateFlags%u", count), &storedFlags) != 0;
        if (flagsStored && storedFlags != device.StateFlags) found |= DISPLAY_LAYOUT_STATE_FLAGS;
        if (!OnDesktop(device.StateFlags) || (storedFlags & DISPLAY_DEVICE_MIRRORING_DRIVER)) continue;
        if (LONG result = CheckAdapter(key, count, device, found); result != 0) return result;
    }
    if (count != storedCount) found |= DISPLAY_LAYOUT_COUNT;
    if (count == 0) return kNoAdapter;
    if (changes) *changes = found;
    return 0;
}
