#pragma once
// The tree control: items with a text and a data value, under the root or under other
// items. An item is addressed by its handle, valid until the item is deleted.

#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/framework/windows/CWnd.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/user/tree_view.h>

class ZELM_API CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)

public:
    // Inserts under hParent (TVI_ROOT: at the top) after hInsertAfter (TVI_LAST,
    // TVI_FIRST or a child of hParent); the text and data count when nMask has
    // TVIF_TEXT and TVIF_PARAM. Null when the parent is not an item of this control.
    HTREEITEM InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    // Deletes the item with all its children; TVI_ROOT deletes every item.
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();

    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    CString GetItemText(HTREEITEM hItem) const;
    UINT GetCount() const;

    BOOL ItemHasChildren(HTREEITEM hItem) const;
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    HTREEITEM GetRootItem() const;
    HTREEITEM GetSelectedItem() const;
    // Selects the item (null: none), after asking the dialog as a user's choice does.
    BOOL SelectItem(HTREEITEM hItem);

    // TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE; the root is always expanded.
    BOOL Expand(HTREEITEM hItem, UINT nCode);
    // TVIS_EXPANDED and TVIS_SELECTED of the item, as far as stateMask asks.
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    // Expands the item's parents and scrolls it into view.
    BOOL EnsureVisible(HTREEITEM hItem);

private:
    // The item's place in this control: true for the root and the control's own items.
    bool Owns(HTREEITEM hItem) const;
};
