#include <cstring>

#include <zelmtools/display/DisplayMode.h>
#include <zelmtools/registry/RegItem.h>

#include "zelmtools/display/DisplayDevices.h"

namespace {

const char kFirstAdapter[] = "\\\\.\\DISPLAY1";

void ClearMode(DEVMODEA* mode)
{
    std::memset(mode, 0, sizeof *mode);
    mode->dmSize = sizeof *mode;
    mode->dmSpecVersion = DM_SPECVERSION;
}

}  // namespace

CDisplayMode::CDisplayMode() : m_strDeviceName(kFirstAdapter)
{
    ClearMode(&m_devMode);
}

CDisplayMode::CDisplayMode(const CDisplayMode& other) = default;
CDisplayMode& CDisplayMode::operator=(const CDisplayMode& other) = default;
CDisplayMode::~CDisplayMode() = default;

void CDisplayMode::SetDeviceName(const char* name)
{
    m_strDeviceName = name;
}

const char* CDisplayMode::GetDeviceName() const
{
    return m_strDeviceName;
}

int CDisplayMode::ReadCurrentMode(DEVMODEA* mode) const
{
    ClearMode(mode);
    return EnumDisplaySettingsA(m_strDeviceName, ENUM_CURRENT_SETTINGS, mode) ? 1 : 0;
}

int CDisplayMode::ApplyMode(DEVMODEA* mode) const
{
    return ChangeDisplaySettingsExA(m_strDeviceName, mode, nullptr, CDS_UPDATEREGISTRY, nullptr) ==
                   DISP_CHANGE_SUCCESSFUL
               ? 1
               : 0;
}

int CDisplayMode::SaveDisplayMode()
{
    DEVMODEA mode;
    if (!ReadCurrentMode(&mode)) return 0;
    m_devMode = mode;
    return 1;
}

int CDisplayMode::FillDevMode(DEVMODEA* mode)
{
    if (mode == nullptr) return 0;
    DEVMODEA current;
    if (!ReadCurrentMode(&current)) return 0;
    *mode = current;
    return 1;
}

const DEVMODEA* CDisplayMode::GetDevMode() const
{
    return &m_devMode;
}

int CDisplayMode::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPel, DWORD frequency)
{
    DEVMODEA mode;
    if (!ReadCurrentMode(&mode)) return 0;
    const LONG right = mode.dmPosition.x + static_cast<LONG>(mode.dmPelsWidth);
    const LONG bottom = mode.dmPosition.y + static_cast<LONG>(mode.dmPelsHeight);
    if (width != 0) {
        mode.dmPelsWidth = width;
        // Left of the primary display: the right edge stays against it.
        if (mode.dmPosition.x < 0) mode.dmPosition.x = right - static_cast<LONG>(width);
    }
    if (height != 0) {
        mode.dmPelsHeight = height;
        if (mode.dmPosition.y < 0) mode.dmPosition.y = bottom - static_cast<LONG>(height);
    }
    if (bitsPerPel != 0) mode.dmBitsPerPel = bitsPerPel;
    if (frequency != 0) mode.dmDisplayFrequency = frequency;
    return ApplyMode(&mode);
}

int CDisplayMode::RestoreDisplayMode()
{
    DEVMODEA mode = m_devMode;
    return ApplyMode(&mode);
}

void CDisplayMode::GetDisplayDevices(CStringArray& names, CStringArray& monitors, CStringArray& adapters)
{
    names.RemoveAll();
    monitors.RemoveAll();
    adapters.RemoveAll();
    zelm::display::AdapterTexts texts;
    for (DWORD index = 0; zelm::display::QueryAdapterTexts(index, texts); ++index) {
        SetDeviceName(texts.name);
        if (!SaveDisplayMode()) continue;  // not on the desktop
        if (texts.name.IsEmpty() && texts.monitor.IsEmpty()) continue;
        names.Add(texts.name);
        monitors.Add(texts.monitor);
        adapters.Add(texts.adapter);
    }
}

int CDisplayMode::WriteValues(CRegItem* key, DWORD width, DWORD height, DWORD bitsPerPel, DWORD frequency)
{
    return key->SetValue("W", width) && key->SetValue("H", height) && key->SetValue("BPP", bitsPerPel) &&
                   key->SetValue("F", frequency) && key->SetValue("Device", m_strDeviceName.GetString())
               ? 1
               : 0;
}

int CDisplayMode::Save(CRegItem* key, int saveWidth, int saveHeight, int saveBitsPerPel, int saveFrequency)
{
    DEVMODEA mode;
    if (key == nullptr || !ReadCurrentMode(&mode)) return 0;
    return WriteValues(key, saveWidth ? mode.dmPelsWidth : DWORD(0), saveHeight ? mode.dmPelsHeight : DWORD(0),
                       saveBitsPerPel ? mode.dmBitsPerPel : DWORD(0),
                       saveFrequency ? mode.dmDisplayFrequency : DWORD(0));
}

int CDisplayMode::Save(CRegItem* key, DWORD width, DWORD height, DWORD bitsPerPel, DWORD frequency)
{
    if (key == nullptr) return 0;
    return WriteValues(key, width, height, bitsPerPel, frequency);
}

int CDisplayMode::Load(CRegItem* key)
{
    DEVMODEA mode;
    if (key == nullptr || !ReadCurrentMode(&mode)) return 0;
    struct Stored {
        const char* name;
        DWORD DEVMODEA::*field;
    };
    for (const Stored& stored : {Stored{"W", &DEVMODEA::dmPelsWidth}, Stored{"H", &DEVMODEA::dmPelsHeight},
                                 Stored{"BPP", &DEVMODEA::dmBitsPerPel}, Stored{"F", &DEVMODEA::dmDisplayFrequency}}) {
        DWORD value = 0;
        key->GetValue(stored.name, &value, DWORD(0));
        if (value != 0) mode.*stored.field = value;
    }
    if (!key->QueryValue("Device", &m_strDeviceName)) {
        m_strDeviceName = kFirstAdapter;
        return 0;
    }
    return ApplyMode(&mode);
}
