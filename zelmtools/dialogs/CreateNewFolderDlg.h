#pragma once
// Asks for the name of a new folder inside the current one (template 6202).

#include <zelmtools/framework/dialogs/CDialog.h>
#include <zelmtools/framework/strings/CString.h>

class CCreateNewFolderDlg : public CDialog {
public:
    explicit CCreateNewFolderDlg(CWnd* pParent = nullptr);

    CString m_strCurrentFolder;  // shown, read-only
    CString m_strNewFolderName;  // edited, at most 256 bytes

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
