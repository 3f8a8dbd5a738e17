// The persisted settings of the main dialog: loaded at initialisation, saved whenever
// the window is destroyed, from and into the fields as they stand.
#include "app/ScrivaneDlg.h"
#include "app/StoredSettings.h"

void CScrivaneDlg::LoadSettings() { LoadStoredSettings(m_logFont, m_nDelSize, !m_bStoreReadOnly); }

void CScrivaneDlg::SaveSettings()
{
    if (!m_bStoreReadOnly) SaveStoredSettings(m_logFont, m_nDelSize);
}
