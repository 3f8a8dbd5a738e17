#include "zelmtools/dialogs/StringTreeSelectDlg.h"

#include <zelmtools/framework/dialogs/DataExchange.h>

#include "framework/ui/MessageBox.h"

BEGIN_MESSAGE_MAP(CStringTreeSelectDlg, CDialog)
ON_NOTIFY(TVN_SELCHANGING, IDC_STRING_TREE, OnSelChangingTree)
ON_NOTIFY(NM_DBLCLK, IDC_STRING_TREE, OnDblClkTree)
END_MESSAGE_MAP()

CStringTreeSelectDlg::CStringTreeSelectDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

int CStringTreeSelectDlg::Init(CStringTree* pTree, CStringTreeFilterAbs* pFilter, const CString* pstrTitle)
{
    m_pTree = pTree;
    m_pFilter = pFilter;
    if (pstrTitle) m_strTitle = *pstrTitle;
    return TRUE;
}

void CStringTreeSelectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDC_STRING_TREE, m_Tree);
}

BOOL CStringTreeSelectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strTitle.IsEmpty()) SetWindowText(m_strTitle);
    if (m_pTree) m_pTree->FillTreeCtrl(&m_Tree, m_pFilter);
    // The first control that takes the focus gets it: the tree.
    return TRUE;
}

// Only a choice (an item with data) can be confirmed; the selection always moves.
void CStringTreeSelectDlg::OnSelChangingTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pNMTreeView = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    m_btnOK.EnableWindow(pNMTreeView->itemNew.lParam != 0);
    *pResult = 0;
}

void CStringTreeSelectDlg::OnDblClkTree(NMHDR*, LRESULT* pResult)
{
    HTREEITEM selected = m_Tree.GetSelectedItem();
    if (selected && m_Tree.GetItemData(selected) != 0) OnOK();
    // The control's own double-click handling (expanding a group) still runs.
    *pResult = 0;
}

void CStringTreeSelectDlg::OnOK()
{
    if (m_pTree) m_pTree->GetNodeData(&m_Tree, m_Tree.GetSelectedItem(), &m_strSelected);
    CDialog::OnOK();
}
