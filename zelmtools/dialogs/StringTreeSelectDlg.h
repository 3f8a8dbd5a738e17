#pragma once
// The modal dialog that shows a string tree and returns the data of the confirmed choice.

#include <zelmtools/framework/controls/Controls.h>
#include <zelmtools/framework/controls/TreeCtrl.h>
#include <zelmtools/framework/dialogs/CDialog.h>

#include "zelmtools/dialogs/StringTreeData.h"

class CStringTreeSelectDlg : public CDialog {
public:
    static constexpr UINT IDD = 6200;
    static constexpr int IDC_STRING_TREE = 6201;

    explicit CStringTreeSelectDlg(CWnd* pParent = nullptr);

    // The tree and filter are not owned; a null or empty title keeps the template's caption.
    int Init(CStringTree* pTree, CStringTreeFilterAbs* pFilter, const CString* pstrTitle);

    CStringTree* m_pTree = nullptr;
    CStringTreeFilterAbs* m_pFilter = nullptr;
    CString m_strTitle;
    CString m_strSelected;
    CButton m_btnOK;
    CTreeCtrl m_Tree;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSelChangingTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblClkTree(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
