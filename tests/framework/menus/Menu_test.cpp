#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include <zelmtools/framework/menus/CMenu.h>
#include <zelmtools/framework/windows/CWnd.h>
#include <zelmtools/framework/windows/Cursor.h>
#include <zelmtools/platform/base/errors.h>

#include "framework/menus/MenuTemplate.h"
#include "framework/windows/WindowWidgets.h"
#include "support/command_window.h"

namespace {

using zelm::framework::ParseMenuTemplate;

std::string ItemText(HMENU menu, int position)
{
    char text[64] = "";
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST(MenuTemplate, NestedPopupsItemsSeparatorsAndOptions)
{
    std::string error;
    auto menu = ParseMenuTemplate(R"(// a comment line
MENU
BEGIN
    POPUP "&Файл"
    BEGIN
        MENUITEM "&Open\tCtrl+O", 100
        MENUITEM SEPARATOR
        POPUP "Recent", GRAYED
        BEGIN
            MENUITEM "Say ""hi""", 0x65, CHECKED
        END
        MENUITEM "E&xit", 102, GRAYED
    END
END
)",
                                  error);
    ASSERT_TRUE(menu) << error;
    HMENU top = zelm::framework::AddMenu(std::move(menu));
    ASSERT_EQ(GetMenuItemCount(top), 1);
    HMENU file = GetSubMenu(top, 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ItemText(top, 0), "&Файл");
    EXPECT_EQ(GetMenuItemCount(file), 4);
    EXPECT_EQ(GetMenuItemID(file, 0), 100u);
    EXPECT_EQ(ItemText(file, 0), "&Open\tCtrl+O");
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(file, 2), UINT(-1));  // a submenu
    EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION), MF_POPUP | MF_GRAYED);
    HMENU recent = GetSubMenu(file, 2);
    EXPECT_EQ(ItemText(recent, 0), "Say \"hi\"");
    // By command, submenus are searched too.
    EXPECT_EQ(GetMenuState(top, 101, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(GetMenuState(top, 102, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(GetMenuState(top, 999, MF_BYCOMMAND), UINT(-1));

    EXPECT_TRUE(DestroyMenu(top));
    EXPECT_FALSE(IsMenu(top));
    EXPECT_FALSE(IsMenu(file));  // went with its menu
    EXPECT_FALSE(IsMenu(recent));
    EXPECT_FALSE(DestroyMenu(top));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
}

TEST(MenuTemplate, MalformedTextsNameTheirLine)
{
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"MENU\nBEGIN\n  MENUITEM \"x\", 1\n", "incomplete menu"},
        {"MENU\nBEGIN\n  MENUITEM \"x\"\nEND\n", "line 3: cannot read MENUITEM"},
        {"MENU\nBEGIN\n  MENUITEM \"x\", 70000\nEND\n", "line 3"},  // identifiers have 16 bits
        {"MENU\nBEGIN\n  MENUITEM \"x, 1\nEND\n", "line 3: unterminated text"},
        {"MENU\nBEGIN\n  MENUITEM \"x\", 1, BOLD\nEND\n", "line 3"},
        {"MENU\nBEGIN\n  POPUP \"x\"\n  MENUITEM \"y\", 1\nEND\n", "line 4"},  // a popup needs its BEGIN
        {"MENU\nBEGIN\nEND\nMENUITEM \"y\", 1\n", "line 4"},
        {"DIALOG 0, 0, 10, 10\n", "line 1"},
        {"", "incomplete menu"},
    };
    for (const auto& [text, expected] : cases) {
        std::string error;
        EXPECT_EQ(ParseMenuTemplate(text, error), nullptr) << text;
        EXPECT_NE(error.find(expected), std::string::npos) << text << " gave: " << error;
    }
}

TEST(Menus, AppendedSubmenusBelongToTheirMenuAndCannotHoldThemselves)
{
    HMENU top = CreatePopupMenu();
    HMENU inner = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(inner, MF_ENABLED, 7, "Seven"));
    ASSERT_TRUE(AppendMenuA(top, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), "Inner"));
    EXPECT_EQ(GetSubMenu(top, 0), inner);  // the handle stays the same
    EXPECT_FALSE(AppendMenuA(inner, MF_POPUP, reinterpret_cast<UINT_PTR>(top), "Loop"));
    EXPECT_FALSE(AppendMenuA(top, MF_POPUP, reinterpret_cast<UINT_PTR>(top), "Self"));
    EXPECT_TRUE(IsMenu(top));
    // A submenu destroyed on its own leaves its menu.
    EXPECT_TRUE(DestroyMenu(inner));
    EXPECT_EQ(GetMenuItemCount(top), 0);
    EXPECT_TRUE(DestroyMenu(top));
    EXPECT_EQ(GetMenuItemCount(top), -1);
    EXPECT_EQ(LoadMenuA(nullptr, MAKEINTRESOURCEA(4321)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

// Once the popup menu shows, records where and chooses (the item at `index`, or
// Escape for -1), or does what it is told.
struct PopupDriver {
    QPoint shownAt{-1, -1};
    QStringList texts;

    void ChooseWhenShown(int index)
    {
        WhenShown([index](QMenu* menu) {
            if (index >= 0) menu->setActiveAction(menu->actions().at(index));
            QKeyEvent key(QEvent::KeyPress, index >= 0 ? Qt::Key_Return : Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(menu, &key);
        });
    }
    void WhenShown(std::function<void(QMenu*)> act)
    {
        QTimer::singleShot(0, [this, act] { Poll(act, 0); });
    }

private:
    void Poll(const std::function<void(QMenu*)>& act, int tries)
    {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            if (tries < 2000)
                QTimer::singleShot(5, [this, act, tries] { Poll(act, tries + 1); });
            else
                ADD_FAILURE() << "no popup menu";
            return;
        }
        shownAt = menu->pos();
        for (QAction* action : menu->actions()) texts << action->text();
        act(menu);
    }
};

class TrackPopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_ENABLED, 41, "&First");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_ENABLED, 42, "Second");
    }
    CMenu menu;
    CCommandWindow owner;
    PopupDriver driver;
};

TEST_F(TrackPopupMenuTest, ChoiceIsPostedToTheOwnerAtThePoint)
{
    driver.ChooseWhenShown(0);
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 120, 90, &owner));
    EXPECT_EQ(driver.shownAt, QPoint(120, 90));
    EXPECT_EQ(driver.texts, (QStringList{"&First", "", "Second"}));
    EXPECT_TRUE(owner.commands.empty());  // posted: it comes after the menu
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.commands, std::vector<UINT>{41});
}

TEST_F(TrackPopupMenuTest, ReturnedChoiceSendsNothingAndDismissingGivesZero)
{
    driver.ChooseWhenShown(2);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner), 42);
    driver.ChooseWhenShown(-1);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner), 0);
    driver.ChooseWhenShown(-1);
    EXPECT_TRUE(menu.TrackPopupMenu(0, 10, 10, &owner));  // shown, nothing chosen
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(TrackPopupMenuTest, AlignmentFlagsPlaceTheCorner)
{
    driver.ChooseWhenShown(-1);
    menu.TrackPopupMenu(TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 400, 300, &owner);
    QMenu probe;
    probe.addAction("&First");
    probe.addSeparator();
    probe.addAction("Second");
    const QSize size = probe.sizeHint();
    EXPECT_EQ(driver.shownAt, QPoint(400 - size.width(), 300 - size.height()));
}

TEST_F(TrackPopupMenuTest, NoOwnerOrNoMenuShowsNothing)
{
    SetLastError(0);
    EXPECT_FALSE(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(TrackPopupMenu(nullptr, 0, 10, 10, 0, owner.GetSafeHwnd(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(TrackPopupMenuTest, OwnerWidgetGoingWhileTheMenuIsOpenEndsIt)
{
    auto* widget = new QWidget;
    zelm::framework::SetWidgetForWindow(owner.GetSafeHwnd(), widget);
    driver.WhenShown([widget](QMenu*) { delete widget; });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner), 0);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST(Cursor, PositionIsTheOneSet)
{
    ASSERT_TRUE(SetCursorPos(33, 44));
    POINT point{};
    ASSERT_TRUE(GetCursorPos(&point));
    EXPECT_EQ(point.x, 33);
    EXPECT_EQ(point.y, 44);
    EXPECT_FALSE(GetCursorPos(nullptr));
}

}  // namespace
