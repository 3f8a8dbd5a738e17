// The string tree's selection dialog, driven as a user would: the tree of a levelled
// file, the filter, the confirm button that only a choice enables, double clicks,
// Cancel, and a picture of the dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "StringTreeFiles.h"
#include "framework/windows/WindowImage.h"
#include "support/message_capture.h"
#include "support/modal_dialog.h"
#include "zelmtools/dialogs/StringTreeSelectDlg.h"

namespace {

constexpr char kLevelledFile[] =
    "// fruit and vegetables\n"
    "1 Vegetables\n"
    "3 Carrot = carrot\n"
    "1 Fruits\n"
    "2 Apple = apple\n"
    "2 Pear = pear\n"
    "1 Nothing under this group\n"
    "1 Secrets\n"
    "2 Hidden = secret\n"
    "2 Empty subgroup\n";

class HideSecrets : public CStringTreeFilterAbs {
public:
    int Filter(LPCSTR pszName, LPCSTR pszData) override
    {
        seen.push_back(std::string(pszName) + "=" + pszData);
        return std::string(pszData) != "secret";
    }
    std::vector<std::string> seen;
};

QTreeWidget* TreeOf(QDialog* dialog)
{
    return dialog->findChild<QTreeWidget*>();
}

QPushButton* ButtonOf(QDialog* dialog, const QString& text)
{
    for (auto* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

QPushButton* ConfirmButton(QDialog* dialog)
{
    return ButtonOf(dialog, QString::fromUtf8("&Выбрать"));
}
QPushButton* CancelButton(QDialog* dialog)
{
    return ButtonOf(dialog, QString::fromUtf8("О&тмена"));
}

QTreeWidgetItem* FindItem(QTreeWidget* tree, const char* text)
{
    auto found = tree->findItems(QString::fromUtf8(text), Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// The items as "text" lines, children indented, in the order shown.
void Describe(QTreeWidgetItem* item, int depth, std::vector<std::string>& lines)
{
    lines.push_back(std::string(depth * 2, ' ') + item->text(0).toStdString() + (item->isExpanded() ? " +" : ""));
    for (int i = 0; i < item->childCount(); ++i) Describe(item->child(i), depth + 1, lines);
}

std::vector<std::string> Describe(QTreeWidget* tree)
{
    std::vector<std::string> lines;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) Describe(tree->topLevelItem(i), 0, lines);
    return lines;
}

// A user's double click on the item: press, release, then the double click.
void DoubleClick(QTreeWidget* tree, QTreeWidgetItem* item)
{
    QWidget* viewport = tree->viewport();
    const QPointF pos = tree->visualItemRect(item).center();
    const QPointF global = viewport->mapToGlobal(pos);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, pos, global, Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
}

struct Choice {
    int result = -1;
    CString data = "unchanged";
};

Choice Choose(const std::string& path, std::function<void(QDialog*)> drive, CStringTreeFilterAbs* filter = nullptr,
              CString* title = nullptr)
{
    WhenModalShown<QDialog>("", [drive](QDialog* dialog) {
        drive(dialog);
        // A dialog that the drive meant to end but did not fails the test instead of hanging it.
        QTimer::singleShot(3000, dialog, [dialog] {
            ADD_FAILURE() << "the dialog is still open";
            dialog->reject();
        });
    });
    Choice choice;
    choice.result = SelectStringFromStringTree(path.c_str(), &choice.data, title, filter, nullptr);
    return choice;
}

}  // namespace

TEST(StringTreeDialog, ShowsTheLevelledTreeExpandedWithoutEmptyOrFilteredGroups)
{
    TempDir dir;
    HideSecrets filter;
    CString title = "Выбор овоща";
    std::vector<std::string> shown;
    QString caption;
    Choice choice = Choose(
        WriteTreeFile(dir, kLevelledFile),
        [&](QDialog* dialog) {
            shown = Describe(TreeOf(dialog));
            caption = dialog->windowTitle();
            dialog->reject();
        },
        &filter, &title);
    EXPECT_EQ(choice.result, FALSE);
    EXPECT_EQ(choice.data, "unchanged");
    // A level 3 node right after a level 1 node goes directly under it.
    const std::vector<std::string> expected = {"Vegetables +", "  Carrot", "Fruits +", "  Apple", "  Pear"};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(caption.toStdString(), "Выбор овоща");
    // Only choices are passed to the filter.
    EXPECT_EQ(filter.seen, (std::vector<std::string>{"Carrot=carrot", "Apple=apple", "Pear=pear", "Hidden=secret"}));
}

TEST(StringTreeDialog, ConfirmIsEnabledOnlyOnChoicesAndReturnsTheChosenData)
{
    TempDir dir;
    std::vector<bool> enabled;
    QString caption;
    Choice choice = Choose(WriteTreeFile(dir, kLevelledFile), [&](QDialog* dialog) {
        QTreeWidget* tree = TreeOf(dialog);
        caption = dialog->windowTitle();
        enabled.push_back(ConfirmButton(dialog)->isEnabled());
        tree->setCurrentItem(FindItem(tree, "Pear"));
        enabled.push_back(ConfirmButton(dialog)->isEnabled());
        tree->setCurrentItem(FindItem(tree, "Fruits"));
        enabled.push_back(ConfirmButton(dialog)->isEnabled());
        tree->setCurrentItem(FindItem(tree, "Pear"));
        enabled.push_back(ConfirmButton(dialog)->isEnabled());
        ConfirmButton(dialog)->click();
    });
    EXPECT_EQ(choice.result, TRUE);
    EXPECT_EQ(choice.data, "pear");
    EXPECT_EQ(enabled, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(caption.toStdString(), "Выбор ");
}

TEST(StringTreeDialog, DoubleClickOnAChoiceChoosesItAndOnAGroupDoesNot)
{
    TempDir dir;
    bool stillOpenAfterGroup = false;
    Choice choice = Choose(WriteTreeFile(dir, kLevelledFile), [&](QDialog* dialog) {
        QTreeWidget* tree = TreeOf(dialog);
        DoubleClick(tree, FindItem(tree, "Vegetables"));
        stillOpenAfterGroup = dialog->isVisible() && dialog->result() == 0;
        DoubleClick(tree, FindItem(tree, "Apple"));
    });
    EXPECT_TRUE(stillOpenAfterGroup);
    EXPECT_EQ(choice.result, TRUE);
    EXPECT_EQ(choice.data, "apple");
}

TEST(StringTreeDialog, CancelLeavesTheDataAndAnEmptyTreeOffersNothing)
{
    TempDir dir;
    int items = -1;
    Choice choice = Choose(WriteTreeFile(dir, "// only a comment\n\n   \n1 Empty group\n"), [&](QDialog* dialog) {
        items = TreeOf(dialog)->topLevelItemCount();
        EXPECT_FALSE(ConfirmButton(dialog)->isEnabled());
        CancelButton(dialog)->click();
    });
    EXPECT_EQ(items, 0);
    EXPECT_EQ(choice.result, FALSE);
    EXPECT_EQ(choice.data, "unchanged");
}

TEST(StringTreeDialog, NoAtTheFirstBadLineShowsTheNodesReadBeforeIt)
{
    TempDir dir;
    MessageCapture capture(IDNO);
    std::vector<std::string> shown;
    Choose(WriteTreeFile(dir, "1 A\n2 B = b\n0 bad\n2 C = c\n"), [&](QDialog* dialog) {
        shown = Describe(TreeOf(dialog));
        dialog->reject();
    });
    EXPECT_EQ(capture.texts.size(), 1u);
    EXPECT_EQ(shown, (std::vector<std::string>{"A +", "  B"}));
}

TEST(StringTreeDialog, AnUnreadableFileShowsNoDialog)
{
    TempDir dir;
    MessageCapture capture;
    CString data = "unchanged";
    EXPECT_EQ(SelectStringFromStringTree(dir.file("missing").c_str(), &data, nullptr, nullptr, nullptr), FALSE);
    EXPECT_EQ(data, "unchanged");
    EXPECT_EQ(capture.texts.size(), 1u);
}

// The dialog as a user sees it, drawn into a PNG (also into $ZELM_SCREENSHOT_DIR when set).
TEST(StringTreeDialog, Screenshot)
{
    TempDir dir;
    CStringTree tree;
    ASSERT_TRUE(tree.LoadFromFile(WriteTreeFile(dir, kLevelledFile).c_str(), nullptr));
    CStringTreeSelectDlg dialog;
    dialog.Init(&tree, nullptr, nullptr);
    ASSERT_TRUE(dialog.Create(CStringTreeSelectDlg::IDD));
    dialog.m_Tree.SelectItem(dialog.m_Tree.GetChildItem(dialog.m_Tree.GetRootItem()));
    EXPECT_TRUE(dialog.m_btnOK.IsWindowEnabled());
    const std::string png = dir.file("string-tree.png");
    ASSERT_TRUE(zelm::framework::SaveWindowImage(dialog, png.c_str()));
    EXPECT_GT(std::filesystem::file_size(png), 1000u);
    if (const char* out = std::getenv("ZELM_SCREENSHOT_DIR"))
        std::filesystem::copy_file(png, std::filesystem::path(out) / "string-tree.png",
                                   std::filesystem::copy_options::overwrite_existing);
    dialog.DestroyWindow();
}
