#include "framework/shell/FolderBrowser.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <zelmtools/framework/messages/Messaging.h>
#include "framework/ui/MessageBox.h"
#include <zelmtools/framework/windows/CWnd.h>
#include "framework/windows/WindowWidgets.h"
#include "support/modal_dialog.h"
#include "support/temp_dir.h"

namespace {

const QString kBrowser = "zelmFolderBrowser";

// What the browser reported to its callback, and what the test does when it is ready.
struct Reports {
    std::vector<std::string> events;  // "init" or "sel:<path>"
    HWND hwnd = nullptr;
    std::function<void(HWND)> onInitialized;
};

int RecordingCallback(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    auto* reports = reinterpret_cast<Reports*>(lpData);
    reports->hwnd = hwnd;
    if (uMsg == BFFM_SELCHANGED) {
        char path[MAX_PATH];
        reports->events.push_back(SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path)
                                      ? std::string("sel:") + path
                                      : std::string("sel:?"));
    } else if (uMsg == BFFM_INITIALIZED) {
        reports->events.push_back("init");
        if (reports->onInitialized) reports->onInitialized(hwnd);
    }
    return 0;
}

QDialog* Browser()
{
    return qobject_cast<QDialog*>(QApplication::activeModalWidget());
}

QPushButton* OkButton(QDialog* dialog)
{
    return dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

std::string PathOf(LPCITEMIDLIST pidl)
{
    char path[MAX_PATH];
    return SHGetPathFromIDListA(pidl, path) ? std::string(path) : std::string("<none>");
}

void FreeWithShellAllocator(LPITEMIDLIST pidl)
{
    IMalloc* malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    malloc->Free(pidl);
    malloc->Release();
}

class FolderBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = dir.path() / "Выходная папка";
        std::filesystem::create_directories(folder / "Вложенная");
        info.pszDisplayName = displayName;
        info.lpszTitle = "C:\\Temp\\";
        info.ulFlags = BIF_RETURNONLYFSDIRS;
        info.lpfn = RecordingCallback;
        info.lParam = reinterpret_cast<LPARAM>(&reports);
    }
    // Selects the path once the browser is ready and confirms it as its OK button would.
    void SelectAndConfirm(const std::string& path)
    {
        reports.onInitialized = [path](HWND hwnd) {
            EXPECT_TRUE(::SendMessage(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str())));
            ::PostMessage(hwnd, WM_COMMAND, IDOK, 0);
        };
    }

    TempDir dir;
    std::filesystem::path folder;
    char displayName[MAX_PATH] = "";
    BROWSEINFOA info{};
    Reports reports;
};

TEST_F(FolderBrowserTest, TitleShownSelectionSetByMessageAndItsPathReturned)
{
    std::string target = folder.string();
    QString title;
    QWidget* owner = reinterpret_cast<QWidget*>(1);
    SelectAndConfirm(target);
    auto confirm = reports.onInitialized;
    reports.onInitialized = [&](HWND hwnd) {
        QDialog* browser = Browser();
        ASSERT_NE(browser, nullptr);
        EXPECT_EQ(browser->objectName(), kBrowser);
        EXPECT_EQ(zelm::framework::WindowForWidget(browser), hwnd);
        title = browser->findChild<QLabel*>("zelmFolderBrowserTitle")->text();
        owner = browser->parentWidget();
        confirm(hwnd);
    };
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    ASSERT_NE(pidl, nullptr);
    EXPECT_EQ(PathOf(pidl), target);
    EXPECT_STREQ(displayName, "Выходная папка");
    EXPECT_EQ(title, "C:\\Temp\\");
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(reports.events, (std::vector<std::string>{"sel:/", "init", "sel:" + target}));
    EXPECT_FALSE(IsWindow(reports.hwnd));  // the window ends with the browser
    FreeWithShellAllocator(pidl);
}

TEST_F(FolderBrowserTest, OkAtOnceGivesTheRootAndCancelGivesNothing)
{
    info.lpfn = nullptr;
    WhenModalShown<QDialog>(kBrowser, [](QDialog* browser) { OkButton(browser)->click(); });
    LPITEMIDLIST root = SHBrowseForFolderA(&info);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(PathOf(root), "/");
    EXPECT_STREQ(displayName, "/");
    ILFree(root);

    std::strcpy(displayName, "unchanged");
    WhenModalShown<QDialog>(kBrowser, [](QDialog* browser) { browser->reject(); });
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
    EXPECT_STREQ(displayName, "unchanged");

    info.lpfn = RecordingCallback;
    reports.onInitialized = [](HWND hwnd) { ::PostMessage(hwnd, WM_COMMAND, IDCANCEL, 0); };
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
}

TEST_F(FolderBrowserTest, UserSelectionsAreReportedAndBadRequestsChangeNothing)
{
    std::string inner = (folder / "Вложенная").string();
    std::filesystem::path file = dir.path() / "file.txt";
    std::ofstream(file) << "x";
    info.ulFlags |= BIF_STATUSTEXT;
    QString status;
    bool okEnabled = true;
    reports.onInitialized = [&](HWND hwnd) {
        QDialog* browser = Browser();
        auto* tree = browser->findChild<QTreeView*>("zelmFolderTree");
        auto* model = tree->model();
        // What a click on the folder in the tree does.
        tree->setCurrentIndex(static_cast<QFileSystemModel*>(model)->index(QString::fromStdString(inner)));
        for (const char* bad : {"/no/such/folder", "relative/path", ""})
            EXPECT_FALSE(::SendMessage(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(bad))) << bad;
        EXPECT_FALSE(::SendMessage(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(file.c_str())));
        EXPECT_FALSE(::SendMessage(hwnd, BFFM_SETSELECTIONA, FALSE, 0));
        ::SendMessage(hwnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>("Папок: 1"));
        ::SendMessage(hwnd, BFFM_ENABLEOK, 0, FALSE);
        status = browser->findChild<QLabel*>("zelmFolderBrowserStatus")->text();
        okEnabled = OkButton(browser)->isEnabled();
        ::PostMessage(hwnd, WM_COMMAND, IDOK, 0);
    };
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    EXPECT_EQ(PathOf(pidl), inner);
    EXPECT_EQ(reports.events.back(), "sel:" + inner);
    EXPECT_EQ(status, QString::fromUtf8("Папок: 1"));
    EXPECT_FALSE(okEnabled);
    ILFree(pidl);
}

TEST_F(FolderBrowserTest, SelectionByItemListAndHiddenFolders)
{
    std::filesystem::create_directories(dir.path() / ".hidden" / "inside");
    std::string hidden = (dir.path() / ".hidden" / "inside").string();
    reports.onInitialized = [&](HWND hwnd) {
        LPITEMIDLIST pidl = ILCreateFromPathA(hidden.c_str());
        EXPECT_TRUE(::SendMessage(hwnd, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(pidl)));
        ILFree(pidl);
        ::PostMessage(hwnd, WM_COMMAND, IDOK, 0);
    };
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    EXPECT_EQ(PathOf(pidl), hidden);
    ILFree(pidl);
}

TEST_F(FolderBrowserTest, RootFolderBoundsTheChoice)
{
    LPITEMIDLIST rootPidl = ILCreateFromPathA(folder.c_str());
    info.pidlRoot = rootPidl;
    std::string outside = dir.path().string();
    std::string inner = (folder / "Вложенная").string();
    reports.onInitialized = [&](HWND hwnd) {
        EXPECT_FALSE(::SendMessage(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(outside.c_str())));
        EXPECT_TRUE(::SendMessage(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(inner.c_str())));
        ::PostMessage(hwnd, WM_COMMAND, IDOK, 0);
    };
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    EXPECT_EQ(PathOf(pidl), inner);
    EXPECT_EQ(reports.events.front(), "sel:" + folder.string());  // starts on the root
    ILFree(pidl);

    LPITEMIDLIST missing = ILCreateFromPathA((dir.path() / "missing").c_str());
    info.pidlRoot = missing;
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);  // no dialog for a root that is not there
    ILFree(missing);
    ILFree(rootPidl);
}

TEST_F(FolderBrowserTest, OwnedByTheOwnerWindowsWidget)
{
    QWidget ownerWidget;
    auto owner = reinterpret_cast<HWND>(0x6160);
    zelm::framework::SetWidgetForWindow(owner, &ownerWidget);
    info.hwndOwner = owner;
    QWidget* parent = nullptr;
    reports.onInitialized = [&](HWND hwnd) {
        parent = Browser()->parentWidget();
        ::PostMessage(hwnd, WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
    EXPECT_EQ(parent, &ownerWidget);
    zelm::framework::SetWidgetForWindow(owner, nullptr);
}

// A caller's window object that takes the browser over when it is ready.
class CBrowserSpy : public CWnd {
public:
    std::vector<std::string> seen;
    LRESULT OnSetSelection(WPARAM wParam, LPARAM lParam)
    {
        seen.push_back("select");
        return DefWindowProc(BFFM_SETSELECTIONA, wParam, lParam);
    }
    LRESULT OnContextMenu(WPARAM, LPARAM)
    {
        seen.push_back("menu");
        return 0;
    }
    void OnOK()
    {
        seen.push_back("ok");
        DefWindowProc(WM_COMMAND, IDOK, 0);
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBrowserSpy, CWnd)
ON_MESSAGE(BFFM_SETSELECTIONA, OnSetSelection)
ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
ON_COMMAND(IDOK, OnOK)
END_MESSAGE_MAP()

TEST_F(FolderBrowserTest, SubclassedBrowserPassesItsMessagesThroughTheCaller)
{
    CBrowserSpy spy;
    std::string target = folder.string();
    reports.onInitialized = [&](HWND hwnd) {
        ASSERT_TRUE(spy.SubclassWindow(hwnd));
        ::SendMessage(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(target.c_str()));
        // A right-click on the tree.
        QWidget* viewport = Browser()->findChild<QTreeView*>("zelmFolderTree")->viewport();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(viewport, &click);
        ::PostMessage(hwnd, WM_COMMAND, IDOK, 0);
    };
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    EXPECT_EQ(PathOf(pidl), target);  // the spy passed the selection on
    EXPECT_EQ(spy.seen, (std::vector<std::string>{"select", "menu", "ok"}));
    EXPECT_EQ(spy.GetSafeHwnd(), nullptr);  // let go when the browser ended
    ILFree(pidl);
}

TEST_F(FolderBrowserTest, NeedsTheGuiThread)
{
    LPITEMIDLIST result = reinterpret_cast<LPITEMIDLIST>(1);
    std::thread([&] { result = SHBrowseForFolderA(&info); }).join();
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(SHBrowseForFolderA(nullptr), nullptr);
}

}  // namespace
