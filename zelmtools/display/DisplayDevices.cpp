#include "zelmtools/display/DisplayDevices.h"

#include <cstring>

#include <zelmtools/platform/kernel/libraries.h>
#include <zelmtools/platform/kernel/resources.h>

namespace zelm::display {

namespace {

EnumDisplayDevicesFn FromLibrary(HMODULE library)
{
    FARPROC found = library ? GetProcAddress(library, "EnumDisplayDevicesA") : nullptr;
    // Through the generic function type: the call's real type is known by its name.
    return reinterpret_cast<EnumDisplayDevicesFn>(reinterpret_cast<void (*)()>(found));
}

// The record's text fields hold at most their size; a missing zero ends them there.
CString Text(const char* field, std::size_t size)
{
    return CString(field, static_cast<int>(strnlen(field, size)));
}

}  // namespace

EnumDisplayDevicesFn FindEnumDisplayDevices()
{
    return FromLibrary(GetModuleHandleA("USER32"));
}

bool QueryAdapterTexts(DWORD index, AdapterTexts& texts)
{
    HMODULE library = LoadLibraryA("User32.DLL");
    EnumDisplayDevicesFn enumDevices = FromLibrary(library);
    bool found = false;
    if (enumDevices) {
        DISPLAY_DEVICEA record;
        std::memset(&record, 0, kDisplayDeviceShortSize);
        record.cb = kDisplayDeviceShortSize;
        found = enumDevices(nullptr, index, &record, 0) != FALSE;
        if (found) {
            texts.name = Text(record.DeviceName, sizeof record.DeviceName);
            texts.adapter = Text(record.DeviceString, sizeof record.DeviceString);
            // Its result does not matter: on failure the record still holds the adapter.
            enumDevices(texts.name, 0, &record, 0);
            texts.monitor = Text(record.DeviceString, sizeof record.DeviceString);
        }
    }
    if (library) FreeLibrary(library);
    return found;
}

}  // namespace zelm::display
