#include <zelmtools/framework/controls/TreeCtrl.h>

#include "framework/controls/TreeWidget.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

using zelm::framework::TreeWidget;

namespace {

TreeWidget* Tree(QWidget* widget)
{
    return dynamic_cast<TreeWidget*>(widget);
}

// The index among the parent's children that an item inserted after `after` gets.
int InsertionIndex(QTreeWidgetItem* parent, QTreeWidget* tree, HTREEITEM hInsertAfter)
{
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    if (hInsertAfter == TVI_FIRST) return 0;
    if (hInsertAfter == TVI_LAST || hInsertAfter == nullptr) return count;
    QTreeWidgetItem* after = TreeWidget::ItemOf(hInsertAfter);
    int index = parent ? parent->indexOfChild(after) : tree->indexOfTopLevelItem(after);
    return index < 0 ? count : index + 1;
}

}  // namespace

bool CTreeCtrl::Owns(HTREEITEM hItem) const
{
    TreeWidget* tree = Tree(m_pWidget);
    if (!tree || !hItem) return false;
    return hItem == TVI_ROOT || tree->IsTracked(hItem);
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCSTR lpszItem, int, int, UINT, UINT, LPARAM lParam, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    TreeWidget* tree = Tree(m_pWidget);
    if (!hParent) hParent = TVI_ROOT;
    if (!tree || !Owns(hParent)) return nullptr;
    QTreeWidgetItem* parent = hParent == TVI_ROOT ? nullptr : TreeWidget::ItemOf(hParent);
    auto* item = new QTreeWidgetItem;
    if ((nMask & TVIF_TEXT) && lpszItem) item->setText(0, QString::fromUtf8(lpszItem));
    TreeWidget::SetDataOf(item, (nMask & TVIF_PARAM) ? lParam : 0);
    if (hInsertAfter != TVI_FIRST && hInsertAfter != TVI_LAST && !Owns(hInsertAfter)) hInsertAfter = TVI_LAST;
    const int index = InsertionIndex(parent, tree, hInsertAfter);
    tree->Track(item);
    if (parent)
        parent->insertChild(index, item);
    else
        tree->insertTopLevelItem(index, item);
    return TreeWidget::HandleOf(item);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    if (hItem == TVI_ROOT) return DeleteAllItems();
    if (!Owns(hItem)) return FALSE;
    Tree(m_pWidget)->DeleteTracked(TreeWidget::ItemOf(hItem));
    return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems()
{
    TreeWidget* tree = Tree(m_pWidget);
    if (!tree) return FALSE;
    tree->DeleteAllTracked();
    return TRUE;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    if (!Owns(hItem) || hItem == TVI_ROOT) return 0;
    return static_cast<DWORD_PTR>(TreeWidget::DataOf(TreeWidget::ItemOf(hItem)));
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    if (!Owns(hItem) || hItem == TVI_ROOT) return FALSE;
    TreeWidget::SetDataOf(TreeWidget::ItemOf(hItem), static_cast<LPARAM>(dwData));
    return TRUE;
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    if (!Owns(hItem) || hItem == TVI_ROOT) return CString();
    return CString(TreeWidget::ItemOf(hItem)->text(0).toUtf8().toStdString());
}

UINT CTreeCtrl::GetCount() const
{
    TreeWidget* tree = Tree(m_pWidget);
    UINT count = 0;
    if (tree)
        for (QTreeWidgetItemIterator it(tree); *it; ++it) ++count;
    return count;
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    return GetChildItem(hItem) != nullptr;
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const
{
    if (!Owns(hItem)) return nullptr;
    if (hItem == TVI_ROOT) return GetRootItem();
    QTreeWidgetItem* item = TreeWidget::ItemOf(hItem);
    return item->childCount() > 0 ? TreeWidget::HandleOf(item->child(0)) : nullptr;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const
{
    if (!Owns(hItem) || hItem == TVI_ROOT) return nullptr;
    QTreeWidgetItem* item = TreeWidget::ItemOf(hItem);
    QTreeWidgetItem* parent = item->parent();
    TreeWidget* tree = Tree(m_pWidget);
    const int next = (parent ? parent->indexOfChild(item) : tree->indexOfTopLevelItem(item)) + 1;
    QTreeWidgetItem* sibling = parent ? parent->child(next) : tree->topLevelItem(next);
    return TreeWidget::HandleOf(sibling);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const
{
    if (!Owns(hItem) || hItem == TVI_ROOT) return nullptr;
    return TreeWidget::HandleOf(TreeWidget::ItemOf(hItem)->parent());
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    TreeWidget* tree = Tree(m_pWidget);
    return tree ? TreeWidget::HandleOf(tree->topLevelItem(0)) : nullptr;
}

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    TreeWidget* tree = Tree(m_pWidget);
    return tree ? TreeWidget::HandleOf(tree->currentItem()) : nullptr;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem)
{
    TreeWidget* tree = Tree(m_pWidget);
    if (!tree || hItem == TVI_ROOT || (hItem && !Owns(hItem))) return FALSE;
    QTreeWidgetItem* item = TreeWidget::ItemOf(hItem);
    tree->setCurrentItem(item);
    return tree->currentItem() == item;
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    if (!Owns(hItem)) return FALSE;
    if (hItem == TVI_ROOT) return TRUE;
    QTreeWidgetItem* item = TreeWidget::ItemOf(hItem);
    switch (nCode & TVE_TOGGLE) {
        case TVE_EXPAND: item->setExpanded(true); break;
        case TVE_COLLAPSE: item->setExpanded(false); break;
        case TVE_TOGGLE: item->setExpanded(!item->isExpanded()); break;
        default: return FALSE;
    }
    return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    if (!Owns(hItem) || hItem == TVI_ROOT) return 0;
    QTreeWidgetItem* item = TreeWidget::ItemOf(hItem);
    UINT state = 0;
    if (item->isExpanded()) state |= TVIS_EXPANDED;
    if (item->isSelected() || Tree(m_pWidget)->currentItem() == item) state |= TVIS_SELECTED;
    return state & nStateMask;
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem)
{
    if (!Owns(hItem) || hItem == TVI_ROOT) return FALSE;
    QTreeWidgetItem* item = TreeWidget::ItemOf(hItem);
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent()) parent->setExpanded(true);
    Tree(m_pWidget)->scrollToItem(item);
    return TRUE;
}
