#include "Listing.h"

#include <string>

#include <zelmtools/platform/display/display.h>

namespace zelmdisplay {

namespace {

std::string Flags(DWORD flags)
{
    std::string text = (flags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) ? "on the desktop" : "not on the desktop";
    if (flags & DISPLAY_DEVICE_PRIMARY_DEVICE) text += ", primary";
    if (flags & DISPLAY_DEVICE_MIRRORING_DRIVER) text += ", mirroring";
    return text;
}

std::string ModeText(const DEVMODEA& mode)
{
    return std::to_string(mode.dmPelsWidth) + "x" + std::to_string(mode.dmPelsHeight) + ", " +
           std::to_string(mode.dmBitsPerPel) + " bits, " + std::to_string(mode.dmDisplayFrequency) + " Hz";
}

DEVMODEA EmptyMode()
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmSpecVersion = DM_SPECVERSION;
    return mode;
}

void ListMonitors(std::ostream& out, const DISPLAY_DEVICEA& adapter)
{
    DISPLAY_DEVICEA monitor{};
    monitor.cb = sizeof monitor;
    for (DWORD n = 0; EnumDisplayDevicesA(adapter.DeviceName, n, &monitor, 0); ++n)
        out << "    monitor " << monitor.DeviceName << ": " << monitor.DeviceString << "\n";
}

void ListModes(std::ostream& out, const DISPLAY_DEVICEA& adapter)
{
    DEVMODEA mode = EmptyMode();
    for (DWORD n = 0; EnumDisplaySettingsA(adapter.DeviceName, n, &mode); ++n)
        out << "    mode " << n << ": " << ModeText(mode) << "\n";
}

}  // namespace

bool ListAdapters(std::ostream& out, bool withModes)
{
    DISPLAY_DEVICEA adapter{};
    adapter.cb = sizeof adapter;
    DWORD n = 0;
    for (; EnumDisplayDevicesA(nullptr, n, &adapter, 0); ++n) {
        out << adapter.DeviceName << "  " << adapter.DeviceString << "  (" << Flags(adapter.StateFlags) << ")\n";
        out << "    id: " << adapter.DeviceID << "\n";
        ListMonitors(out, adapter);
        DEVMODEA current = EmptyMode();
        if (EnumDisplaySettingsA(adapter.DeviceName, ENUM_CURRENT_SETTINGS, &current))
            out << "    current: " << ModeText(current) << " at (" << current.dmPosition.x << ", "
                << current.dmPosition.y << ")\n";
        if (withModes) ListModes(out, adapter);
    }
    return n > 0;
}

}  // namespace zelmdisplay
