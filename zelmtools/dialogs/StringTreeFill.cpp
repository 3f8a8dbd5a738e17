// The string tree in a tree control: choices under their groups, groups left empty
// (no lines under them, or every choice filtered out) removed.
#include <vector>

#include "zelmtools/dialogs/StringTreeData.h"

namespace {

constexpr std::size_t kParentSlots = 10;

// An item without children or data is a group with nothing to choose in it.
void RemoveIfEmptyGroup(CTreeCtrl* pTreeCtrl, std::vector<HTREEITEM>& slots, std::size_t level)
{
    HTREEITEM item = slots[level];
    if (!item || pTreeCtrl->ItemHasChildren(item) || pTreeCtrl->GetItemData(item) != 0) return;
    pTreeCtrl->DeleteItem(item);
    slots[level] = nullptr;
}

}  // namespace

int CStringTree::FillTreeCtrl(CTreeCtrl* pTreeCtrl, CStringTreeFilterAbs* pFilter)
{
    if (!pTreeCtrl) return TRUE;
    // slots[n]: the latest item of level n, the parent for the next deeper node.
    std::vector<HTREEITEM> slots(kParentSlots, nullptr);
    slots[0] = TVI_ROOT;
    std::size_t lastLevel = 0;
    for (INT_PTR i = 0; i < m_Nodes.GetSize(); ++i) {
        const CStringTreeNode& node = m_Nodes[i];
        const bool hasData = !node.m_strData.IsEmpty();
        if (node.m_nLevel < 1) continue;
        if (hasData && pFilter && !pFilter->Filter(node.m_strName, node.m_strData)) continue;
        const auto level = static_cast<std::size_t>(node.m_nLevel);
        if (slots.size() < level + 1) slots.resize(level + 1, nullptr);
        std::size_t parent = level - 1;
        while (parent > 0 && !slots[parent]) --parent;
        HTREEITEM item = pTreeCtrl->InsertItem(TVIF_TEXT | TVIF_PARAM, node.m_strName, 0, 0, 0, 0,
                                               hasData ? static_cast<LPARAM>(i + 1) : 0, slots[parent], TVI_LAST);
        if (!item) continue;
        pTreeCtrl->Expand(slots[parent], TVE_EXPAND);
        for (std::size_t j = lastLevel; j >= level; --j) RemoveIfEmptyGroup(pTreeCtrl, slots, j);
        slots[level] = item;
        lastLevel = level;
    }
    for (std::size_t j = slots.size() - 1; j >= 1; --j) RemoveIfEmptyGroup(pTreeCtrl, slots, j);
    if (HTREEITEM first = pTreeCtrl->GetRootItem()) pTreeCtrl->EnsureVisible(first);
    return TRUE;
}

int CStringTree::GetNodeData(CTreeCtrl* pTreeCtrl, HTREEITEM hItem, CString* pstrData)
{
    if (!pTreeCtrl || !hItem || !pstrData) return FALSE;
    const INT_PTR index = static_cast<INT_PTR>(pTreeCtrl->GetItemData(hItem)) - 1;
    if (index < 0 || index >= m_Nodes.GetSize()) return FALSE;
    *pstrData = m_Nodes[index].m_strData;
    return TRUE;
}
