#pragma once
// Display adapters and their modes: the records and calls of the display-settings
// interface, with the original's record layouts (156-byte mode record, 424-byte
// device record). Backed by XRandR on the X display that DISPLAY names; without a
// display the calls behave as on a machine without adapters.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

constexpr int CCHDEVICENAME = 32;
constexpr int CCHFORMNAME = 32;

struct POINTL {
    LONG x;
    LONG y;
};

struct DEVMODEA {
    BYTE dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    // The display form of the original's printer/display union (16 bytes either way).
    POINTL dmPosition;
    DWORD dmDisplayOrientation;
    DWORD dmDisplayFixedOutput;
    SHORT dmColor;
    SHORT dmDuplex;
    SHORT dmYResolution;
    SHORT dmTTOption;
    SHORT dmCollate;
    BYTE dmFormName[CCHFORMNAME];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
    DWORD dmICMMethod;
    DWORD dmICMIntent;
    DWORD dmMediaType;
    DWORD dmDitherType;
    DWORD dmReserved1;
    DWORD dmReserved2;
    DWORD dmPanningWidth;
    DWORD dmPanningHeight;
};
using LPDEVMODEA = DEVMODEA*;
using DEVMODE = DEVMODEA;
static_assert(sizeof(DEVMODEA) == 156, "DEVMODEA keeps the original's 156 bytes");

// The full record is 424 bytes; callers that need no DeviceID or DeviceKey pass the
// short form of 168 bytes (cb = 168) and only that much is written.
struct DISPLAY_DEVICEA {
    DWORD cb;
    CHAR DeviceName[32];
    CHAR DeviceString[128];
    DWORD StateFlags;
    CHAR DeviceID[128];
    CHAR DeviceKey[128];
};
using PDISPLAY_DEVICEA = DISPLAY_DEVICEA*;
using DISPLAY_DEVICE = DISPLAY_DEVICEA;
static_assert(sizeof(DISPLAY_DEVICEA) == 424, "DISPLAY_DEVICEA keeps the original's 424 bytes");
constexpr DWORD kDisplayDeviceShortSize = 168;  // up to and with StateFlags

constexpr WORD DM_SPECVERSION = 0x0401;

constexpr DWORD DM_POSITION = 0x00000020;
constexpr DWORD DM_BITSPERPEL = 0x00040000;
constexpr DWORD DM_PELSWIDTH = 0x00080000;
constexpr DWORD DM_PELSHEIGHT = 0x00100000;
constexpr DWORD DM_DISPLAYFLAGS = 0x00200000;
constexpr DWORD DM_DISPLAYFREQUENCY = 0x00400000;

constexpr DWORD ENUM_CURRENT_SETTINGS = static_cast<DWORD>(-1);
constexpr DWORD ENUM_REGISTRY_SETTINGS = static_cast<DWORD>(-2);

constexpr DWORD DISPLAY_DEVICE_ATTACHED_TO_DESKTOP = 0x00000001;
constexpr DWORD DISPLAY_DEVICE_MULTI_DRIVER = 0x00000002;
constexpr DWORD DISPLAY_DEVICE_PRIMARY_DEVICE = 0x00000004;
constexpr DWORD DISPLAY_DEVICE_MIRRORING_DRIVER = 0x00000008;
// For monitors.
constexpr DWORD DISPLAY_DEVICE_ACTIVE = 0x00000001;
constexpr DWORD DISPLAY_DEVICE_ATTACHED = 0x00000002;

constexpr DWORD CDS_UPDATEREGISTRY = 0x00000001;
constexpr DWORD CDS_TEST = 0x00000002;
constexpr DWORD CDS_FULLSCREEN = 0x00000004;
constexpr DWORD CDS_GLOBAL = 0x00000008;
constexpr DWORD CDS_SET_PRIMARY = 0x00000010;
constexpr DWORD CDS_NORESET = 0x10000000;
constexpr DWORD CDS_RESET = 0x40000000;

constexpr LONG DISP_CHANGE_SUCCESSFUL = 0;
constexpr LONG DISP_CHANGE_RESTART = 1;
constexpr LONG DISP_CHANGE_FAILED = -1;
constexpr LONG DISP_CHANGE_BADMODE = -2;
constexpr LONG DISP_CHANGE_NOTUPDATED = -3;
constexpr LONG DISP_CHANGE_BADFLAGS = -4;
constexpr LONG DISP_CHANGE_BADPARAM = -5;

// C names, so that GetProcAddress finds them by name in the "USER32" module.
extern "C" {

// lpDevice null: adapter iDevNum, in the server's output order, named "\\.\DISPLAYn"
// (n from 1); DeviceString is the output's name. lpDevice an adapter's name: its
// monitor iDevNum. FALSE when there is no such adapter or monitor, or no display.
ZELM_API BOOL EnumDisplayDevicesA(LPCSTR lpDevice, DWORD iDevNum, PDISPLAY_DEVICEA lpDisplayDevice, DWORD dwFlags);

// iModeNum: ENUM_CURRENT_SETTINGS (with the position relative to the primary
// display), ENUM_REGISTRY_SETTINGS (the mode kept in the store by
// CDS_UPDATEREGISTRY), or 0, 1, ... over the adapter's modes. A null lpszDeviceName
// is the primary display. dmSize must be set (at least up to dmDisplayFrequency).
ZELM_API BOOL EnumDisplaySettingsA(LPCSTR lpszDeviceName, DWORD iModeNum, DEVMODEA* lpDevMode);

// Switches the adapter to a mode it lists (dmFields says which of width, height,
// depth, refresh and position are given; the others stay), growing the X screen when
// the new place needs it. CDS_TEST only checks; CDS_UPDATEREGISTRY also keeps the mode
// in the store. A null record is refused (DISP_CHANGE_BADPARAM).
ZELM_API LONG ChangeDisplaySettingsExA(LPCSTR lpszDeviceName, DEVMODEA* lpDevMode, HWND hwnd, DWORD dwflags,
                                       LPVOID lParam);
ZELM_API LONG ChangeDisplaySettingsA(DEVMODEA* lpDevMode, DWORD dwFlags);

}  // extern "C"

#define EnumDisplayDevices EnumDisplayDevicesA
#define EnumDisplaySettings EnumDisplaySettingsA
#define ChangeDisplaySettingsEx ChangeDisplaySettingsExA
#define ChangeDisplaySettings ChangeDisplaySettingsA
