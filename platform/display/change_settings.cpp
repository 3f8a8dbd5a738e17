// ChangeDisplaySettingsExA: puts an adapter's CRTC in one of its modes and places it.

#include <zelmtools/platform/display/display.h>

#include "platform/display/mode_record.h"
#include "platform/display/randr_session.h"
#include "platform/display/stored_modes.h"

namespace {

using zelm::platform::display::Adapter;
using zelm::platform::display::OutputMode;
using zelm::platform::display::Session;
using zelm::platform::display::XId;

constexpr DWORD kKnownFlags = CDS_UPDATEREGISTRY | CDS_TEST | CDS_FULLSCREEN | CDS_GLOBAL | CDS_RESET;

bool FlagsAccepted(DWORD flags)
{
    if ((flags & ~kKnownFlags) != 0) return false;
    // A global setting is one kept for every user: only with the store.
    return !(flags & CDS_GLOBAL) || (flags & CDS_UPDATEREGISTRY);
}

// The wanted value when the record gives it (dmFields and non-zero), else the one now.
DWORD Wanted(const DEVMODEA& mode, DWORD field, DWORD value, DWORD now)
{
    return (mode.dmFields & field) && value != 0 ? value : now;
}

// The output's mode of that size (and refresh, unless 0 or 1: "the hardware's
// default"), the current one first when it fits.
const OutputMode* FindMode(const Adapter& adapter, DWORD width, DWORD height, DWORD refresh)
{
    auto fits = [&](const OutputMode& mode) {
        return mode.width == width && mode.height == height && (refresh <= 1 || mode.refresh == refresh);
    };
    if (const OutputMode* current = adapter.CurrentMode(); current && fits(*current)) return current;
    for (const auto& mode : adapter.modes)
        if (fits(mode)) return &mode;
    return nullptr;
}

struct Placement {
    XId crtc = 0;
    const OutputMode* mode = nullptr;
    long x = 0, y = 0;  // on the adapter's X screen
};

LONG Plan(const Session& session, const Adapter& adapter, const DEVMODEA& wanted, Placement& plan)
{
    DWORD depth = static_cast<DWORD>(session.BitsPerPixel(adapter.screen));
    if ((wanted.dmFields & DM_BITSPERPEL) && wanted.dmBitsPerPel != 0 && wanted.dmBitsPerPel != depth)
        return DISP_CHANGE_BADMODE;
    plan.crtc = adapter.crtc != 0 ? adapter.crtc : session.FreeCrtc(adapter);
    if (plan.crtc == 0 || adapter.modes.empty()) return DISP_CHANGE_FAILED;
    const OutputMode* now = adapter.CurrentMode();
    if (now == nullptr) now = &adapter.modes.front();
    plan.mode = FindMode(adapter, Wanted(wanted, DM_PELSWIDTH, wanted.dmPelsWidth, now->width),
                         Wanted(wanted, DM_PELSHEIGHT, wanted.dmPelsHeight, now->height),
                         Wanted(wanted, DM_DISPLAYFREQUENCY, wanted.dmDisplayFrequency, 0));
    if (plan.mode == nullptr) return DISP_CHANGE_BADMODE;
    plan.x = adapter.x;
    plan.y = adapter.y;
    if (wanted.dmFields & DM_POSITION) {
        plan.x = wanted.dmPosition.x + session.PrimaryLeft() - session.ScreenLeft(adapter.screen);
        plan.y = wanted.dmPosition.y + session.PrimaryTop();
    }
    // An X screen has no negative coordinates, and grows only up to the server's limit.
    int maxWidth = 0, maxHeight = 0;
    session.MaxScreenSize(adapter.screen, maxWidth, maxHeight);
    if (plan.x < 0 || plan.y < 0 || plan.x + static_cast<long>(plan.mode->width) > maxWidth ||
        plan.y + static_cast<long>(plan.mode->height) > maxHeight)
        return DISP_CHANGE_FAILED;
    return DISP_CHANGE_SUCCESSFUL;
}

LONG Change(LPCSTR deviceName, const DEVMODEA& wanted, DWORD flags)
{
    auto session = Session::Open();
    const Adapter* adapter = session ? session->Find(deviceName) : nullptr;
    if (adapter == nullptr) return DISP_CHANGE_BADPARAM;
    Placement plan;
    if (LONG refused = Plan(*session, *adapter, wanted, plan); refused != DISP_CHANGE_SUCCESSFUL) return refused;
    if (flags & CDS_TEST) return DISP_CHANGE_SUCCESSFUL;
    if (!session->SetCrtc(*adapter, plan.crtc, plan.mode->id, static_cast<int>(plan.x), static_cast<int>(plan.y)))
        return DISP_CHANGE_FAILED;
    if (flags & CDS_UPDATEREGISTRY) {
        DEVMODEA kept = wanted;
        kept.dmPelsWidth = plan.mode->width;
        kept.dmPelsHeight = plan.mode->height;
        kept.dmBitsPerPel = static_cast<DWORD>(session->BitsPerPixel(adapter->screen));
        kept.dmDisplayFrequency = plan.mode->refresh;
        kept.dmPosition.x = static_cast<LONG>(plan.x + session->ScreenLeft(adapter->screen) - session->PrimaryLeft());
        kept.dmPosition.y = static_cast<LONG>(plan.y - session->PrimaryTop());
        if (!zelm::platform::display::StoreMode(zelm::platform::display::DeviceIdOf(*adapter), kept))
            return DISP_CHANGE_NOTUPDATED;
    }
    return DISP_CHANGE_SUCCESSFUL;
}

}  // namespace

LONG ChangeDisplaySettingsExA(LPCSTR lpszDeviceName, DEVMODEA* lpDevMode, HWND, DWORD dwflags, LPVOID lParam)
{
    if (!FlagsAccepted(dwflags)) return DISP_CHANGE_BADFLAGS;
    // No record would mean "back to the stored settings", which this build does not do.
    if (!zelm::platform::display::HasUsableSize(lpDevMode) || lParam != nullptr) return DISP_CHANGE_BADPARAM;
    return Change(lpszDeviceName, zelm::platform::display::ReadModeRecord(*lpDevMode), dwflags);
}

LONG ChangeDisplaySettingsA(DEVMODEA* lpDevMode, DWORD dwFlags)
{
    return ChangeDisplaySettingsExA(nullptr, lpDevMode, nullptr, dwFlags, nullptr);
}
