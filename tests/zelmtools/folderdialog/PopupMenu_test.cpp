#include <gtest/gtest.h>

#include <zelmtools/dialogs/PopupMenu.h>
#include <zelmtools/framework/core/CException.h>
#include <zelmtools/framework/windows/Cursor.h>

#include "FolderTestSupport.h"
#include "UiScript.h"

namespace {

constexpr UINT kFolderMenu = 6204;

// Runs `construct` and tells whether it threw the framework's resource exception.
template <class Construct>
bool ThrowsResourceException(Construct construct)
{
    try {
        construct();
    } catch (CResourceException* e) {
        e->Delete();
        return true;
    }
    return false;
}

class PopupMenuTest : public ::testing::Test {
protected:
    CCommandWindow owner;
    QPoint shownAt{-1, -1};
    QStringList texts;

    // Once the menu shows, records it and chooses the item (-1: dismisses it).
    void Choose(UiScript& script, int index)
    {
        script.Then("popup menu", ShownPopup, [this, index](QWidget* popup) {
            shownAt = popup->pos();
            texts = ItemTexts(popup);
            ChooseItem(popup, index);
        });
    }
};

TEST_F(PopupMenuTest, FolderMenuAtAPointSendsTheChosenCommandToItsOwner)
{
    CPopupMenu menu(kFolderMenu, &owner);
    UiScript script;
    Choose(script, 0);
    menu.ExecuteSelectedCommand(100, 200);
    EXPECT_EQ(shownAt, QPoint(101, 201));
    EXPECT_EQ(texts, (QStringList{"&Создать папку", "&Удалить папку"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.commands, std::vector<UINT>{35300});
}

TEST_F(PopupMenuTest, ReturnedCommandIsNotSentAndDismissalReturnsZero)
{
    CPopupMenu menu(kFolderMenu, &owner);
    {
        UiScript script;
        Choose(script, 1);
        EXPECT_EQ(menu.ReturnSelectedCommand(10, 20), 35301);
        EXPECT_EQ(shownAt, QPoint(11, 21));
    }
    {
        // At the cursor, one pixel right of and below it.
        ASSERT_TRUE(SetCursorPos(250, 140));
        UiScript script;
        Choose(script, -1);
        EXPECT_EQ(menu.ReturnSelectedCommand(), 0);
        EXPECT_EQ(shownAt, QPoint(251, 141));
    }
    {
        UiScript script;
        Choose(script, 0);
        menu.ExecuteSelectedCommand();
        EXPECT_EQ(shownAt, QPoint(251, 141));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.commands, std::vector<UINT>{35300});
}

TEST_F(PopupMenuTest, OnlyTheLowSixteenBitsOfTheNumberCount)
{
    CPopupMenu menu(kFolderMenu + 0x10000, &owner);
    ASSERT_EQ(menu.GetMenuItemCount(), 2u);
    EXPECT_EQ(menu.GetMenuItemID(0), 35300u);
    EXPECT_EQ(menu.GetMenuItemID(1), 35301u);
}

TEST_F(PopupMenuTest, MissingMenuOrMenuWithoutSubmenuThrows)
{
    EXPECT_TRUE(ThrowsResourceException([&] { CPopupMenu menu(4242, &owner); }));
    EXPECT_TRUE(ThrowsResourceException([&] { CPopupMenu menu("NoSuchMenu", &owner); }));
    EXPECT_TRUE(ThrowsResourceException([&] { CPopupMenu menu(7001, &owner); }));  // the program's flat menu
}

TEST_F(PopupMenuTest, WithoutAnOwnerNothingIsShownOrChosen)
{
    CPopupMenu menu(kFolderMenu, nullptr);
    EXPECT_EQ(menu.ReturnSelectedCommand(10, 10), 0);
    menu.ExecuteSelectedCommand(10, 10);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

}  // namespace
