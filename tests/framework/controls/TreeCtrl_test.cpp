// The tree control on a dialog: items with their data, order and children, deletion
// (stale handles refused), expanding, and the notifications the dialog receives.
#include <gtest/gtest.h>

#include <QTreeWidget>
#include <vector>

#include <zelmtools/framework/controls/TreeCtrl.h>
#include <zelmtools/framework/dialogs/CDialog.h>
#include <zelmtools/framework/dialogs/DataExchange.h>
#include <zelmtools/platform/kernel/resources.h>

namespace {

constexpr int kTreeId = 20;
constexpr LPARAM kLocked = 99;

constexpr char kTemplate[] = R"(DIALOG 0, 0, 200, 150
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "Tree"
FONT 8, "MS Sans Serif"
BEGIN
    CONTROL "", 20, "SysTreeView32", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | WS_BORDER | WS_TABSTOP, 7, 7, 150, 130, WS_EX_CLIENTEDGE
END
)";

void RegisterTemplate()
{
    static const zelm::platform::ResourceEntry entry{5, 950, reinterpret_cast<const BYTE*>(kTemplate),
                                                     static_cast<DWORD>(sizeof kTemplate - 1)};
    static HMODULE module = zelm::platform::RegisterModuleResources("treectrl_test", false, &entry, 1);
    (void)module;
}

// Refuses to move the selection onto an item whose data is kLocked; records what it hears.
class CTreeDlg : public CDialog {
public:
    CTreeDlg() : CDialog(950) {}
    CTreeCtrl m_tree;
    std::vector<NMTREEVIEW> changing, changed;
    int doubleClicks = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kTreeId, m_tree); }
    void OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult)
    {
        auto* record = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
        changing.push_back(*record);
        *pResult = record->itemNew.lParam == kLocked;
    }
    void OnSelChanged(NMHDR* pNMHDR, LRESULT*) { changed.push_back(*reinterpret_cast<NMTREEVIEW*>(pNMHDR)); }
    void OnDblClk(NMHDR*, LRESULT*) { ++doubleClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTreeDlg, CDialog)
ON_NOTIFY(TVN_SELCHANGING, kTreeId, OnSelChanging)
ON_NOTIFY(TVN_SELCHANGED, kTreeId, OnSelChanged)
ON_NOTIFY(NM_DBLCLK, kTreeId, OnDblClk)
END_MESSAGE_MAP()

class TreeCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTemplate();
        ASSERT_TRUE(dialog.Create(950));
    }
    void TearDown() override { dialog.DestroyWindow(); }

    HTREEITEM Insert(const char* text, LPARAM data, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST)
    {
        return tree().InsertItem(TVIF_TEXT | TVIF_PARAM, text, 0, 0, 0, 0, data, parent, after);
    }
    CTreeCtrl& tree() { return dialog.m_tree; }

    CTreeDlg dialog;
};

}  // namespace

TEST_F(TreeCtrlTest, InsertsInOrderWithDataAndChildren)
{
    HTREEITEM a = Insert("A", 0);
    HTREEITEM c = Insert("C", 3, a);
    HTREEITEM b = Insert("B", 2, a, TVI_FIRST);
    HTREEITEM d = Insert("D", 4, a, b);
    HTREEITEM e = Insert("E", 5);
    ASSERT_TRUE(a && b && c && d && e);
    EXPECT_EQ(tree().GetRootItem(), a);
    EXPECT_EQ(tree().GetNextSiblingItem(a), e);
    EXPECT_EQ(tree().GetChildItem(a), b);
    EXPECT_EQ(tree().GetNextSiblingItem(b), d);
    EXPECT_EQ(tree().GetNextSiblingItem(d), c);
    EXPECT_EQ(tree().GetNextSiblingItem(c), nullptr);
    EXPECT_EQ(tree().GetParentItem(c), a);
    EXPECT_TRUE(tree().ItemHasChildren(a));
    EXPECT_FALSE(tree().ItemHasChildren(e));
    EXPECT_EQ(tree().GetItemData(d), 4u);
    EXPECT_EQ(tree().GetItemText(d), "D");
    EXPECT_EQ(tree().GetCount(), 5u);
    EXPECT_TRUE(tree().SetItemData(e, 50));
    EXPECT_EQ(tree().GetItemData(e), 50u);
    // Without TVIF_PARAM the data is 0.
    EXPECT_EQ(tree().GetItemData(tree().InsertItem("F")), 0u);
}

TEST_F(TreeCtrlTest, DeletingAnItemTakesItsChildrenAndRefusesTheirHandlesAfterwards)
{
    HTREEITEM a = Insert("A", 0);
    HTREEITEM b = Insert("B", 2, a);
    HTREEITEM c = Insert("C", 3, b);
    ASSERT_TRUE(tree().DeleteItem(a));
    EXPECT_EQ(tree().GetCount(), 0u);
    EXPECT_FALSE(tree().DeleteItem(c));
    EXPECT_EQ(tree().GetItemData(b), 0u);
    EXPECT_EQ(Insert("under a deleted item", 1, b), nullptr);
    EXPECT_FALSE(tree().Expand(a, TVE_EXPAND));
    EXPECT_NE(Insert("G", 7), nullptr);
    EXPECT_TRUE(tree().DeleteAllItems());
    EXPECT_EQ(tree().GetRootItem(), nullptr);
}

TEST_F(TreeCtrlTest, ExpandsAndMakesItemsVisible)
{
    HTREEITEM a = Insert("A", 0);
    HTREEITEM b = Insert("B", 0, a);
    HTREEITEM c = Insert("C", 3, b);
    EXPECT_EQ(tree().GetItemState(a, TVIS_EXPANDED), 0u);
    EXPECT_TRUE(tree().Expand(a, TVE_EXPAND));
    EXPECT_EQ(tree().GetItemState(a, TVIS_EXPANDED), TVIS_EXPANDED);
    EXPECT_TRUE(tree().Expand(a, TVE_TOGGLE));
    EXPECT_EQ(tree().GetItemState(a, TVIS_EXPANDED), 0u);
    EXPECT_TRUE(tree().Expand(TVI_ROOT, TVE_EXPAND));
    EXPECT_TRUE(tree().EnsureVisible(c));
    EXPECT_EQ(tree().GetItemState(a, TVIS_EXPANDED), TVIS_EXPANDED);
    EXPECT_EQ(tree().GetItemState(b, TVIS_EXPANDED), TVIS_EXPANDED);
}

TEST_F(TreeCtrlTest, TheDialogIsAskedBeforeTheSelectionMovesAndToldAfter)
{
    HTREEITEM a = Insert("A", 1);
    HTREEITEM locked = Insert("Locked", kLocked);
    ASSERT_TRUE(tree().SelectItem(a));
    ASSERT_EQ(dialog.changing.size(), 1u);
    EXPECT_EQ(dialog.changing[0].hdr.code, TVN_SELCHANGING);
    EXPECT_EQ(dialog.changing[0].hdr.idFrom, static_cast<UINT_PTR>(kTreeId));
    EXPECT_EQ(dialog.changing[0].hdr.hwndFrom, tree().m_hWnd);
    EXPECT_EQ(dialog.changing[0].itemOld.hItem, nullptr);
    EXPECT_EQ(dialog.changing[0].itemNew.hItem, a);
    EXPECT_EQ(dialog.changing[0].itemNew.lParam, 1);
    ASSERT_EQ(dialog.changed.size(), 1u);
    EXPECT_EQ(dialog.changed[0].itemNew.hItem, a);

    // The dialog keeps the selection off the locked item, also when the user clicks it.
    EXPECT_FALSE(tree().SelectItem(locked));
    auto* widget = qobject_cast<QTreeWidget*>(tree().m_pWidget);
    widget->setCurrentItem(widget->topLevelItem(1));
    EXPECT_EQ(tree().GetSelectedItem(), a);
    EXPECT_EQ(dialog.changing.size(), 3u);
    EXPECT_EQ(dialog.changing[2].itemOld.hItem, a);
    EXPECT_EQ(dialog.changed.size(), 1u);
    EXPECT_EQ(dialog.doubleClicks, 0);
}
