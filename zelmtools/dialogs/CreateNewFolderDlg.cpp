#include "zelmtools/dialogs/CreateNewFolderDlg.h"

#include <zelmtools/framework/dialogs/DataExchange.h>

#include "zelmtools/dialogs/FolderDialogResources.h"

using namespace zelm::tools;

CCreateNewFolderDlg::CCreateNewFolderDlg(CWnd* pParent) : CDialog(IDD_CREATE_NEW_FOLDER, pParent) {}

void CCreateNewFolderDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CURRENT_FOLDER, m_strCurrentFolder);
    DDX_Text(pDX, IDC_NEW_FOLDER_NAME, m_strNewFolderName);
    DDV_MaxChars(pDX, m_strNewFolderName, kMaxNewFolderName);
}
