#pragma once
// CDisplayMode: one display adapter's mode. Lists the adapters, remembers an adapter's
// current mode, switches it to another size, depth or refresh rate and back, and keeps
// a wanted mode in a registry key ("W", "H", "BPP", "F" as REG_DWORD, "Device" as
// text). Every change is made with CDS_UPDATEREGISTRY, so it outlives the program.
// Operations return 1 (or non-zero) on success and 0 on failure; nothing is shown.

#include <zelmtools/framework/collections/CStringArray.h>
#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>
#include <zelmtools/platform/display/display.h>

class CRegItem;

class ZELM_API CDisplayMode {
public:
    CDisplayMode();
    CDisplayMode(const CDisplayMode& other);
    CDisplayMode& operator=(const CDisplayMode& other);
    virtual ~CDisplayMode();

    void SetDeviceName(const char* name);
    const char* GetDeviceName() const;

    // The adapter's current mode into m_devMode / into the caller's record.
    int SaveDisplayMode();
    int FillDevMode(DEVMODEA* mode);
    const DEVMODEA* GetDevMode() const;

    // 0 keeps the current value. An adapter left of (above) the primary display keeps
    // its right (bottom) edge where it was.
    int SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPel, DWORD frequency);
    int RestoreDisplayMode();

    // The adapters on the desktop, at the same positions in the three arrays: device
    // name, first monitor's text (the adapter's when it has none), adapter text.
    void GetDisplayDevices(CStringArray& names, CStringArray& monitors, CStringArray& adapters);

    // The current mode's values, 0 for those not wanted.
    int Save(CRegItem* key, int saveWidth, int saveHeight, int saveBitsPerPel, int saveFrequency);
    // The given values.
    int Save(CRegItem* key, DWORD width, DWORD height, DWORD bitsPerPel, DWORD frequency);
    // Applies the stored values to the current mode of the adapter named before the
    // call, on the adapter named by "Device" (default "\\.\DISPLAY1").
    int Load(CRegItem* key);

    CString m_strDeviceName;
    DEVMODEA m_devMode;

private:
    int ReadCurrentMode(DEVMODEA* mode) const;
    int ApplyMode(DEVMODEA* mode) const;
    int WriteValues(CRegItem* key, DWORD width, DWORD height, DWORD bitsPerPel, DWORD frequency);
};
