#include <zelmtools/dialogs/FolderDialog.h>

#include "zelmtools/dialogs/FolderDialogBrowseWnd.h"

int SelectFolderDlg(CWnd* pParent, CString& strFolder, const char* pszTitle)
{
    CBrowseForFolderWnd browser;
    const int result = browser.Browse(pParent, strFolder, pszTitle);
    // The folder the browser's selection reports left, not the text it returned.
    if (result) strFolder = browser.GetFolder();
    return result;
}
