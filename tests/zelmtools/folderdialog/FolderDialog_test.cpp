#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>
#include <filesystem>
#include <fstream>

#include <zelmtools/dialogs/FolderDialog.h>
#include <zelmtools/framework/windows/Cursor.h>
#include <zelmtools/util/FileUtils.h>

#include "FolderTestSupport.h"
#include "UiScript.h"
#include "framework/shell/FolderBrowserDialog.h"
#include "framework/ui/MessageBox.h"
#include "framework/windows/WindowWidgets.h"
#include "platform/shell/shell_version.h"
#include "support/temp_dir.h"
#include "zelmtools/dialogs/FolderDialogBrowseWnd.h"

namespace {

namespace fs = std::filesystem;
using zelm::framework::FolderBrowserDialog;

const QString kNewFolderCaption = "Создание папки";

// Makes the shell report an older version while it lives.
struct OldShell {
    OldShell() { zelm::platform::OverrideShellVersion(4, 71); }
    ~OldShell() { zelm::platform::OverrideShellVersion(0, 0); }
};

// The browser once SelectFolderDlg has taken its window over. A step that follows a
// create or delete waits either for a new browser (one that opens again) or, when the
// same one stays open, until the command has been handled (`handled`).
class Browsers {
public:
    using Handled = std::function<bool()>;

    QWidget* Ready(const Handled& handled) const
    {
        auto* browser = dynamic_cast<FolderBrowserDialog*>(QApplication::activeModalWidget());
        if (browser == nullptr || QApplication::activePopupWidget() != nullptr) return nullptr;
        if (handled ? !handled() : browser == m_last) return nullptr;
        HWND hwnd = zelm::framework::WindowForWidget(browser);
        return dynamic_cast<CBrowseForFolderWnd*>(CWnd::FromHandlePermanent(hwnd)) ? browser : nullptr;
    }
    // The browser the test acts on now.
    FolderBrowserDialog* Take(QWidget* widget)
    {
        m_last = static_cast<FolderBrowserDialog*>(widget);
        return m_last;
    }

private:
    QPointer<FolderBrowserDialog> m_last;
};

QWidget* NewFolderDialog()
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->windowTitle() == kNewFolderCaption ? modal : nullptr;
}

void RightClick(FolderBrowserDialog* browser)
{
    QWidget* viewport = browser->findChild<QTreeView*>("zelmFolderTree")->viewport();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(viewport, &click);
}

void PressOk(FolderBrowserDialog* browser)
{
    browser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

QPushButton* ButtonWithText(QWidget* dialog, const QString& text)
{
    for (auto* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

class FolderDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        start = (dir.path() / "Выходная папка").string();
        fs::create_directories(fs::path(start) / "Вложенная");
        ASSERT_TRUE(SetCursorPos(200, 150));
        // Tests without OldShell run the newer shell's path.
        ASSERT_GE(GetDllVersion("shell32.dll"), 0x00050000ul);
    }

    // Right-click in the browser, then the menu's item (0 create, 1 delete).
    void Command(int item, Browsers::Handled handled = {})
    {
        script.Then(
            "browser", [this, handled] { return browsers.Ready(handled); },
            [this](QWidget* w) { RightClick(browsers.Take(w)); });
        script.Then("folder menu", ShownPopup, [this, item](QWidget* popup) {
            menuAt = popup->pos();
            ChooseItem(popup, item);
        });
    }
    // The new-folder dialog: records what it shows, names the folder and confirms.
    void NameNewFolder(const QString& name)
    {
        script.Then("new folder dialog", NewFolderDialog, [this, name](QWidget* dialog) {
            currentShown = dialog->findChild<QPlainTextEdit*>()->toPlainText();
            auto* edit = dialog->findChild<QLineEdit*>();
            nameShown = edit->text();
            if (!name.isEmpty()) edit->setText(name);
            ButtonWithText(dialog, "&OK")->click();
        });
    }
    // The browser opened again (or, once `handled`, the same one): records its selection
    // and confirms.
    void Confirm(Browsers::Handled handled = {})
    {
        script.Then(
            "browser to confirm", [this, handled] { return browsers.Ready(handled); },
            [this](QWidget* w) {
                FolderBrowserDialog* browser = browsers.Take(w);
                selectedShown = browser->SelectedPath().toStdString();
                confirmedResizable = browser->minimumSize() != browser->maximumSize();
                PressOk(browser);
            });
    }
    // Message boxes shown so far reach the count.
    static Browsers::Handled AfterMessages(const MessageAnswers& answers, std::size_t count)
    {
        return [&answers, count] { return answers.texts.size() >= count; };
    }

    TempDir dir;
    std::string start;
    UiScript script;
    Browsers browsers;
    QPoint menuAt;
    QString currentShown, nameShown;
    std::string selectedShown;
    bool confirmedResizable = true;
};

TEST_F(FolderDialogTest, OpensOnTheFolderAndConfirmingReturnsIt)
{
    QString title;
    QWidget* owner = reinterpret_cast<QWidget*>(1);
    bool resizable = false;
    script.Then(
        "browser", [this] { return browsers.Ready({}); },
        [&](QWidget* w) {
            FolderBrowserDialog* browser = browsers.Take(w);
            title = browser->findChild<QLabel*>("zelmFolderBrowserTitle")->text();
            owner = browser->parentWidget();
            selectedShown = browser->SelectedPath().toStdString();
            resizable = browser->minimumSize() != browser->maximumSize();
            PressOk(browser);
        });
    CString folder(start.c_str());
    EXPECT_TRUE(SelectFolderDlg(nullptr, folder, "Папка для страниц:"));
    EXPECT_TRUE(resizable);  // the new dialog style
    EXPECT_EQ(selectedShown, start);
    EXPECT_EQ(std::string(folder), start);
    EXPECT_EQ(title, "Папка для страниц:");
    EXPECT_EQ(owner, nullptr);
}

TEST_F(FolderDialogTest, CancelKeepsTheFolderText)
{
    script.Then(
        "browser", [this] { return browsers.Ready({}); }, [this](QWidget* w) { browsers.Take(w)->reject(); });
    CString folder("/no/such/place");  // a missing start folder is shown as nothing selected
    EXPECT_FALSE(SelectFolderDlg(nullptr, folder, ""));
    EXPECT_EQ(std::string(folder), "/no/such/place");
}

TEST_F(FolderDialogTest, CreatingWithAnOldShellOpensTheBrowserAgainOnTheNewFolder)
{
    OldShell oldShell;
    MessageAnswers answers;
    Command(0);
    NameNewFolder("");
    Confirm();
    CString folder(start.c_str());
    EXPECT_TRUE(SelectFolderDlg(nullptr, folder, "Папка"));
    const std::string created = start + "/Новая папка";
    EXPECT_EQ(menuAt, QPoint(201, 151));
    EXPECT_EQ(currentShown.toStdString(), start);
    EXPECT_EQ(nameShown, "Новая папка");
    EXPECT_TRUE(fs::is_directory(created));
    EXPECT_EQ(selectedShown, created);  // the second browser starts there
    EXPECT_FALSE(confirmedResizable);   // the old dialog style
    EXPECT_EQ(std::string(folder), created);
    EXPECT_TRUE(answers.texts.empty());
}

TEST_F(FolderDialogTest, CreatingWithANewShellReturnsTheNewFolder)
{
    Command(0);
    NameNewFolder("Проект");
    CString folder(start.c_str());
    EXPECT_TRUE(SelectFolderDlg(nullptr, folder, "Папка"));
    EXPECT_TRUE(fs::is_directory(start + "/Проект"));
    EXPECT_EQ(std::string(folder), start + "/Проект");
}

TEST_F(FolderDialogTest, CreatingAnExistingFolderSaysWhyAndLeavesTheBrowserOpen)
{
    OldShell oldShell;
    MessageAnswers answers;
    Command(0);
    NameNewFolder("Вложенная");
    Confirm(AfterMessages(answers, 1));  // the same browser
    CString folder(start.c_str());
    EXPECT_TRUE(SelectFolderDlg(nullptr, folder, "Папка"));
    EXPECT_EQ(std::string(folder), start);
    ASSERT_EQ(answers.texts.size(), 1u);
    const std::string prefix = "Не удается создать директорию.\n\nПричина:\n[800700B7] ";
    EXPECT_EQ(answers.texts[0].substr(0, prefix.size()), prefix) << answers.texts[0];
    EXPECT_GT(answers.texts[0].size(), prefix.size());  // the system's words follow
    EXPECT_EQ(answers.types[0], MB_OK | MB_ICONSTOP);
}

TEST_F(FolderDialogTest, DeletingANonEmptyFolderAsksTwiceAndNoKeepsIt)
{
    OldShell oldShell;
    const std::string doomed = start + "/Вложенная";
    std::ofstream(doomed + "/page.bmp") << "x";
    MessageAnswers answers({IDYES, IDNO, IDYES, IDYES});
    Command(1);                             // answered Yes, No: nothing happens, the browser stays
    Command(1, AfterMessages(answers, 2));  // answered Yes, Yes
    Confirm();
    CString folder(doomed.c_str());
    EXPECT_TRUE(SelectFolderDlg(nullptr, folder, "Папка"));
    EXPECT_FALSE(fs::exists(doomed));
    EXPECT_EQ(selectedShown, start);  // opened again on the parent
    EXPECT_EQ(std::string(folder), start);
    const std::string ask = "Удалить папку \"" + doomed + "\"?";
    const std::string notEmpty = "Папка \"" + doomed + "\" не пуста. Удалить ее вместе с содержимым?";
    EXPECT_EQ(answers.texts, (std::vector<std::string>{ask, notEmpty, ask, notEmpty}));
    EXPECT_EQ(answers.types, (std::vector<UINT>(4, MB_YESNO)));
}

TEST_F(FolderDialogTest, DeletingWithANewShellReturnsTheParent)
{
    const std::string doomed = start + "/Вложенная";
    MessageAnswers answers({IDYES});  // empty: one question
    Command(1);
    CString folder(doomed.c_str());
    EXPECT_TRUE(SelectFolderDlg(nullptr, folder, "Папка"));
    EXPECT_FALSE(fs::exists(doomed));
    EXPECT_EQ(std::string(folder), start);
    EXPECT_EQ(answers.texts.size(), 1u);
}

TEST_F(FolderDialogTest, DeletionThatFailsSaysWhyAndLeavesTheBrowserOpen)
{
    OldShell oldShell;
    // A start folder that is not there stays the browser's folder: its deletion fails.
    const std::string missing = start + "/Нет такой";
    MessageAnswers answers({IDYES});
    Command(1);
    script.Then(
        "browser still open", [this, &answers] { return browsers.Ready(AfterMessages(answers, 2)); },
        [this](QWidget* w) { browsers.Take(w)->reject(); });
    CString folder(missing.c_str());
    EXPECT_FALSE(SelectFolderDlg(nullptr, folder, "Папка"));
    EXPECT_EQ(std::string(folder), missing);
    ASSERT_EQ(answers.texts.size(), 2u);
    const std::string prefix = "Не удается удалить папку \"" + missing + "\".\n\nПричина:\n[8007000";
    EXPECT_EQ(answers.texts[1].substr(0, prefix.size()), prefix) << answers.texts[1];
    EXPECT_EQ(answers.types[1], MB_OK | MB_ICONSTOP);
}

}  // namespace
