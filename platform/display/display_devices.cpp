// EnumDisplayDevicesA over the RandR outputs (adapters) and monitors.

#include <algorithm>
#include <cstring>
#include <string>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/display/display.h>

#include "platform/display/randr_session.h"
#include "platform/display/stored_modes.h"

namespace {

using zelm::platform::display::Adapter;
using zelm::platform::display::Session;

struct DeviceRecord {
    std::string name, text, id, key;
    DWORD flags = 0;
};

void CopyText(char* field, std::size_t size, const std::string& text)
{
    std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

// Writes the record into as much of the caller's structure as cb says it has.
void Fill(PDISPLAY_DEVICEA out, const DeviceRecord& record)
{
    DWORD size = std::min<DWORD>(out->cb, DWORD(sizeof(DISPLAY_DEVICEA)));
    DISPLAY_DEVICEA full{};
    full.cb = out->cb;
    CopyText(full.DeviceName, sizeof full.DeviceName, record.name);
    CopyText(full.DeviceString, sizeof full.DeviceString, record.text);
    full.StateFlags = record.flags;
    CopyText(full.DeviceID, sizeof full.DeviceID, record.id);
    CopyText(full.DeviceKey, sizeof full.DeviceKey, record.key);
    std::memcpy(out, &full, size);
}

DeviceRecord AdapterRecord(const Session& session, std::size_t index)
{
    const Adapter& adapter = session.Adapters()[index];
    DeviceRecord record;
    record.name = zelm::platform::display::DeviceNameOf(index);
    record.text = adapter.name;
    record.id = zelm::platform::display::DeviceIdOf(adapter);
    record.key = "\\Registry\\CurrentConfig\\" + zelm::platform::display::StoredModeKeyPath(record.id);
    if (adapter.crtc != 0) record.flags |= DISPLAY_DEVICE_ATTACHED_TO_DESKTOP;
    if (&adapter == session.Primary()) record.flags |= DISPLAY_DEVICE_PRIMARY_DEVICE;
    return record;
}

DeviceRecord MonitorRecord(const std::string& adapterName, const Adapter& adapter, std::size_t index)
{
    DeviceRecord record;
    record.name = adapterName + "\\Monitor" + std::to_string(index);
    record.text = adapter.monitors[index];
    record.id = "MONITOR\\" + adapter.monitors[index] + "\\" + adapter.name;
    record.flags = DISPLAY_DEVICE_ACTIVE | DISPLAY_DEVICE_ATTACHED;
    return record;
}

}  // namespace

BOOL EnumDisplayDevicesA(LPCSTR lpDevice, DWORD iDevNum, PDISPLAY_DEVICEA lpDisplayDevice, DWORD)
{
    if (lpDisplayDevice == nullptr || lpDisplayDevice->cb < kDisplayDeviceShortSize) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto session = Session::Open();
    if (session == nullptr) return FALSE;
    std::size_t index = static_cast<std::uint32_t>(iDevNum);
    if (lpDevice == nullptr) {
        if (index >= session->Adapters().size()) return FALSE;
        Fill(lpDisplayDevice, AdapterRecord(*session, index));
        return TRUE;
    }
    const Adapter* adapter = session->Find(lpDevice);
    if (adapter == nullptr || index >= adapter->monitors.size()) return FALSE;
    std::size_t adapterIndex = static_cast<std::size_t>(adapter - session->Adapters().data());
    Fill(lpDisplayDevice, MonitorRecord(zelm::platform::display::DeviceNameOf(adapterIndex), *adapter, index));
    return TRUE;
}
