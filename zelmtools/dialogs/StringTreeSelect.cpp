#include <zelmtools/dialogs/StringTree.h>

#include "framework/ui/MessageBox.h"
#include "zelmtools/dialogs/StringTreeSelectDlg.h"

int SelectStringFromStringTree(const CString& strFile, CString* pstrData, CString* pstrTitle,
                               CStringTreeFilterAbs* pFilter, CStringTreeDataTestAbs* pTest)
{
    CStringTree tree;
    if (!tree.LoadFromFile(strFile, pTest)) return FALSE;
    CStringTreeSelectDlg dialog;
    dialog.Init(&tree, pFilter, pstrTitle);
    if (dialog.DoModal() != IDOK) return FALSE;
    if (pstrData) *pstrData = dialog.m_strSelected;
    return TRUE;
}
