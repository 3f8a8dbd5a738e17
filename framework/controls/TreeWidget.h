#pragma once
// The tree control's widget: a tree of items that tells its dialog, through WM_NOTIFY,
// that the selection is about to change (the dialog may keep the old one), that it
// changed, and that an item was double-clicked.

#include <QItemSelectionModel>
#include <QTreeWidget>
#include <unordered_set>

#include <zelmtools/platform/base/win_types.h>
#include <zelmtools/platform/user/tree_view.h>

namespace zelm::framework {

class TreeWidget : public QTreeWidget {
public:
    TreeWidget(QWidget* parent, int controlId);

    int ControlId() const { return m_controlId; }
    // The item behind a handle, or null; handles are the items' addresses.
    static QTreeWidgetItem* ItemOf(HTREEITEM hItem) { return reinterpret_cast<QTreeWidgetItem*>(hItem); }
    static HTREEITEM HandleOf(QTreeWidgetItem* item) { return reinterpret_cast<HTREEITEM>(item); }
    static LPARAM DataOf(const QTreeWidgetItem* item);
    static void SetDataOf(QTreeWidgetItem* item, LPARAM data);

    // The items inserted through handles: a handle is only followed once it is found
    // here, so a stale or foreign handle is refused instead of dereferenced.
    void Track(QTreeWidgetItem* item) { m_items.insert(item); }
    bool IsTracked(HTREEITEM hItem) const { return m_items.count(ItemOf(hItem)) != 0; }
    // Deletes the item and its children and forgets them.
    void DeleteTracked(QTreeWidgetItem* item);
    void DeleteAllTracked();

    // Sends the notification to the dialog that holds the control; its answer.
    LRESULT Notify(NMHDR& header);
    // TVN_SELCHANGING: true when the dialog lets the selection move to `next`.
    bool AllowSelectionChange(QTreeWidgetItem* next);
    void NotifySelectionChanged(QTreeWidgetItem* previous, QTreeWidgetItem* current);

private:
    NMTREEVIEWA MakeTreeNotification(UINT code, QTreeWidgetItem* previous, QTreeWidgetItem* next);

    void Forget(QTreeWidgetItem* item);

    int m_controlId;
    std::unordered_set<QTreeWidgetItem*> m_items;
};

}  // namespace zelm::framework
