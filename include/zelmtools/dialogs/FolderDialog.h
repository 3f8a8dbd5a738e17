#pragma once
// Choosing a folder in the shell's folder browser, which opens on a given folder and
// offers, on a right-click, to create a folder inside the selected one or to delete the
// selected one (with its contents after a second question).

#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/base/export.h>

class CWnd;

// Opens the browser owned by pParent (none when null) on strFolder, with pszTitle above
// the tree. Non-zero when the user confirmed a folder, whose path is then in strFolder;
// FALSE on cancel, strFolder unchanged.
ZELM_API int SelectFolderDlg(CWnd* pParent, CString& strFolder, const char* pszTitle);
