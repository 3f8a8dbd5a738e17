#pragma once
// The string tree read from its file: one node per accepted line, in file order.

#include <zelmtools/dialogs/StringTree.h>
#include <zelmtools/framework/collections/CArray.h>
#include <zelmtools/framework/controls/TreeCtrl.h>

class CStringTree {
public:
    class CStringTreeNode {
    public:
        // Reads a line (comment and leading blanks already gone) into the node; FALSE,
        // with the reason given to pTest when there is one, for a line that is no node.
        int Parse(const CString& strLine, CStringTreeDataTestAbs* pTest);
        void Reset();

        int m_nLevel = -1;
        CString m_strName;
        CString m_strData;
    };

    virtual ~CStringTree();

    // Reads the file; FALSE when it cannot be opened or read. A line that is no node is
    // shown to the user, who chooses whether reading goes on.
    int LoadFromFile(const CString& strFile, CStringTreeDataTestAbs* pTest);
    // Fills the control: item data is the node index + 1 for a choice, 0 for a group;
    // groups left without items are removed. Always TRUE.
    int FillTreeCtrl(CTreeCtrl* pTreeCtrl, CStringTreeFilterAbs* pFilter);
    // The data of the item's node; FALSE for a group or a bad argument.
    int GetNodeData(CTreeCtrl* pTreeCtrl, HTREEITEM hItem, CString* pstrData);

    CArray<CStringTreeNode, CStringTreeNode&> m_Nodes;

private:
    // FALSE when the user stops reading at this line.
    bool ReportBadLine(const CString& strFile, int nLine, const CString& strLine, const CStringTreeNode& node,
                       CStringTreeDataTestAbs* pTest);
    void ReadLines(class CStdioFile& file, const CString& strFile, CStringTreeDataTestAbs* pTest);
};
