#pragma once
// EnumDisplayDevicesA found by name at run time in the system's user-interface
// library, as the display classes look it up: absent on a system without it.

#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/display/display.h>

namespace zelm::display {

using EnumDisplayDevicesFn = BOOL (*)(LPCSTR, DWORD, PDISPLAY_DEVICEA, DWORD);

// From the already loaded "USER32", which stays loaded; null when it has no such call.
EnumDisplayDevicesFn FindEnumDisplayDevices();

struct AdapterTexts {
    CString name;     // "\\.\DISPLAYn"
    CString adapter;  // the adapter's text
    CString monitor;  // its first monitor's text, or the adapter's when it has none
};

// Adapter `index` through "User32.DLL", loaded and released around the queries, with
// the short 168-byte record. False when the library, the call or the adapter is missing.
bool QueryAdapterTexts(DWORD index, AdapterTexts& texts);

}  // namespace zelm::display
