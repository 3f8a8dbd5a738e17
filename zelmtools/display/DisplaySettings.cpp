#include <zelmtools/display/DisplaySettings.h>
#include <zelmtools/registry/RegItem.h>

#include <zelmtools/platform/gdi/gdi.h>

namespace {

constexpr int kAnsiVarFont = 12;  // the older stock font, for a platform without the GUI one

int DefaultFontHeight()
{
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    if (font == nullptr) font = GetStockObject(kAnsiVarFont);
    LOGFONTA logFont{};
    if (font == nullptr || GetObjectA(font, sizeof logFont, &logFont) == 0) return 0;
    return logFont.lfHeight;
}

}  // namespace

CDisplaySettings::CDisplaySettings()
{
    Default();
}

CDisplaySettings::~CDisplaySettings() = default;

void CDisplaySettings::Default()
{
    m_strDisplayName.Empty();
    m_bChangeResolution = 0;
    m_lDisplayWidth = 0;
    m_lDisplayHeight = 0;
    m_lUserDisplayWidth = 800;
    m_lUserDisplayHeight = 600;
    m_nFontSize = DefaultFontHeight();
}

int CDisplaySettings::Load(CRegItem* key)
{
    if (key == nullptr) return 0;
    // Every read is made, whatever the ones before gave.
    const CString name = m_strDisplayName;  // the default must not point into the member it replaces
    int all = key->GetValue("DisplayName", &m_strDisplayName, name.GetString());
    all &= key->GetValue("ChangeResolution", &m_bChangeResolution, m_bChangeResolution);
    all &= key->GetValue("DisplayWidth", &m_lDisplayWidth, m_lDisplayWidth);
    all &= key->GetValue("DisplayHeight", &m_lDisplayHeight, m_lDisplayHeight);
    all &= key->GetValue("UserDisplayWidth", &m_lUserDisplayWidth, m_lUserDisplayWidth);
    all &= key->GetValue("UserDisplayHeight", &m_lUserDisplayHeight, m_lUserDisplayHeight);
    all &= key->GetValue("FontSize", &m_nFontSize, m_nFontSize);
    return all ? 1 : 0;
}

int CDisplaySettings::Save(CRegItem* key)
{
    if (key == nullptr) return 1;
    key->SetValue("DisplayName", m_strDisplayName.GetString());
    key->SetValue("ChangeResolution", m_bChangeResolution);
    key->SetValue("DisplayWidth", m_lDisplayWidth);
    key->SetValue("DisplayHeight", m_lDisplayHeight);
    key->SetValue("UserDisplayWidth", m_lUserDisplayWidth);
    key->SetValue("UserDisplayHeight", m_lUserDisplayHeight);
    key->SetValue("FontSize", m_nFontSize);
    return 1;
}
