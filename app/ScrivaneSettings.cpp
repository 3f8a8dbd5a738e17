// The persisted settings of the main dialog: loaded at initialisation, saved whenever
// the window is destroyed, from and into the fields as they stand.
#include "app/ScrivaneDlg.h"
#include "app/StoredSettings.h"

void CScrivaneDlg::LoadSettings() { LoadStoredSettings(m_logFont, m_nDelSize, true); }

void CScrivaneDlg::SaveSettings() { SaveStoredSettings(m_logFont, m_nDelSize); }
