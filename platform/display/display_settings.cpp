// EnumDisplaySettingsA: an adapter's current, stored or listed modes.

#include <algorithm>
#include <cstring>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/display/display.h>

#include "platform/display/mode_record.h"
#include "platform/display/randr_session.h"
#include "platform/display/stored_modes.h"

namespace zelm::platform::display {

DEVMODEA ReadModeRecord(const DEVMODEA& record)
{
    DEVMODEA whole{};
    std::memcpy(&whole, &record, std::min<std::size_t>(record.dmSize, sizeof whole));
    return whole;
}

void WriteModeRecord(DEVMODEA& record, const DEVMODEA& filled)
{
    std::memcpy(&record, &filled, std::min<std::size_t>(record.dmSize, sizeof filled));
}

}  // namespace zelm::platform::display

namespace {

using zelm::platform::display::Adapter;
using zelm::platform::display::Session;

void FillCommon(DEVMODEA& mode, const Session& session, const Adapter& adapter)
{
    std::memset(mode.dmDeviceName, 0, sizeof mode.dmDeviceName);
    std::memcpy(mode.dmDeviceName, adapter.name.data(), std::min(adapter.name.size(), sizeof mode.dmDeviceName - 1));
    mode.dmSpecVersion = DM_SPECVERSION;
    mode.dmDriverVersion = 0;
    mode.dmDriverExtra = 0;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYFREQUENCY;
    mode.dmBitsPerPel = static_cast<DWORD>(session.BitsPerPixel(adapter.screen));
    mode.dmDisplayFlags = 0;
}

bool FillCurrent(DEVMODEA& mode, const Session& session, const Adapter& adapter)
{
    if (adapter.crtc == 0) return false;
    FillCommon(mode, session, adapter);
    mode.dmFields |= DM_POSITION;
    mode.dmPelsWidth = adapter.width;
    mode.dmPelsHeight = adapter.height;
    const auto* current = adapter.CurrentMode();
    mode.dmDisplayFrequency = current ? current->refresh : 0;
    mode.dmPosition.x = static_cast<LONG>(session.ScreenLeft(adapter.screen) + adapter.x - session.PrimaryLeft());
    mode.dmPosition.y = static_cast<LONG>(adapter.y - session.PrimaryTop());
    return true;
}

bool FillStored(DEVMODEA& mode, const Session& session, const Adapter& adapter)
{
    FillCommon(mode, session, adapter);
    if (!zelm::platform::display::ReadStoredMode(zelm::platform::display::DeviceIdOf(adapter), mode)) return false;
    mode.dmFields |= DM_POSITION;
    return true;
}

bool FillListed(DEVMODEA& mode, const Session& session, const Adapter& adapter, std::size_t index)
{
    if (index >= adapter.modes.size()) return false;
    FillCommon(mode, session, adapter);
    mode.dmPelsWidth = adapter.modes[index].width;
    mode.dmPelsHeight = adapter.modes[index].height;
    mode.dmDisplayFrequency = adapter.modes[index].refresh;
    mode.dmPosition = POINTL{0, 0};
    return true;
}

}  // namespace

BOOL EnumDisplaySettingsA(LPCSTR lpszDeviceName, DWORD iModeNum, DEVMODEA* lpDevMode)
{
    if (!zelm::platform::display::HasUsableSize(lpDevMode)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto session = Session::Open();
    const Adapter* adapter = session ? session->Find(lpszDeviceName) : nullptr;
    if (adapter == nullptr) return FALSE;
    DEVMODEA mode = zelm::platform::display::ReadModeRecord(*lpDevMode);
    bool filled = iModeNum == ENUM_CURRENT_SETTINGS    ? FillCurrent(mode, *session, *adapter)
                  : iModeNum == ENUM_REGISTRY_SETTINGS ? FillStored(mode, *session, *adapter)
                                                       : FillListed(mode, *session, *adapter, iModeNum);
    if (!filled) return FALSE;
    zelm::platform::display::WriteModeRecord(*lpDevMode, mode);
    return TRUE;
}
