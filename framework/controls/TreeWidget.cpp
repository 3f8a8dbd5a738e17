#include "framework/controls/TreeWidget.h"

#include <zelmtools/framework/messages/Messaging.h>

#include "framework/windows/WindowWidgets.h"

namespace zelm::framework {
namespace {

constexpr int kDataRole = Qt::UserRole;

// Asks the tree before the current item moves, and tells it afterwards: the toolkit
// only reports changes that have happened.
class NotifyingSelectionModel : public QItemSelectionModel {
public:
    NotifyingSelectionModel(TreeWidget* tree) : QItemSelectionModel(tree->model(), tree), m_tree(tree) {}

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override
    {
        if (index == currentIndex()) return QItemSelectionModel::setCurrentIndex(index, command);
        QTreeWidgetItem* previous = m_tree->currentItem();
        QTreeWidgetItem* next = m_tree->itemFromIndex(index);
        if (!m_tree->AllowSelectionChange(next)) return;
        QItemSelectionModel::setCurrentIndex(index, command);
        m_tree->NotifySelectionChanged(previous, next);
    }

private:
    TreeWidget* m_tree;
};

}  // namespace

TreeWidget::TreeWidget(QWidget* parent, int controlId) : QTreeWidget(parent), m_controlId(controlId)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionModel(new NotifyingSelectionModel(this));
    QObject::connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem*, int) {
        NMHDR header{};
        header.code = NM_DBLCLK;
        Notify(header);
    });
}

LPARAM TreeWidget::DataOf(const QTreeWidgetItem* item)
{
    return item ? static_cast<LPARAM>(item->data(0, kDataRole).toLongLong()) : 0;
}

void TreeWidget::SetDataOf(QTreeWidgetItem* item, LPARAM data)
{
    item->setData(0, kDataRole, QVariant::fromValue<qlonglong>(data));
}

void TreeWidget::Forget(QTreeWidgetItem* item)
{
    for (int i = 0; i < item->childCount(); ++i) Forget(item->child(i));
    m_items.erase(item);
}

void TreeWidget::DeleteTracked(QTreeWidgetItem* item)
{
    Forget(item);
    delete item;
}

void TreeWidget::DeleteAllTracked()
{
    m_items.clear();
    clear();
}

LRESULT TreeWidget::Notify(NMHDR& header)
{
    header.hwndFrom = WindowForWidget(this);
    header.idFrom = static_cast<UINT_PTR>(m_controlId);
    HWND dialog = WindowForWidget(parentWidget());
    if (!dialog) return 0;
    return ::SendMessage(dialog, WM_NOTIFY, static_cast<WPARAM>(m_controlId), reinterpret_cast<LPARAM>(&header));
}

NMTREEVIEWA TreeWidget::MakeTreeNotification(UINT code, QTreeWidgetItem* previous, QTreeWidgetItem* next)
{
    NMTREEVIEWA record{};
    record.hdr.code = code;
    record.action = TVC_UNKNOWN;
    record.itemOld.mask = record.itemNew.mask = TVIF_PARAM;
    record.itemOld.hItem = HandleOf(previous);
    record.itemOld.lParam = DataOf(previous);
    record.itemNew.hItem = HandleOf(next);
    record.itemNew.lParam = DataOf(next);
    return record;
}

bool TreeWidget::AllowSelectionChange(QTreeWidgetItem* next)
{
    NMTREEVIEWA record = MakeTreeNotification(TVN_SELCHANGINGA, currentItem(), next);
    return Notify(record.hdr) == 0;
}

void TreeWidget::NotifySelectionChanged(QTreeWidgetItem* previous, QTreeWidgetItem* current)
{
    NMTREEVIEWA record = MakeTreeNotification(TVN_SELCHANGEDA, previous, current);
    Notify(record.hdr);
}

}  // namespace zelm::framework
