// The main dialog driven offscreen, with the platform dialogs answered by the test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <filesystem>

#include "DialogDriver.h"
#include "JobRunner.h"
#include "app/ScrivaneApp.h"
#include "app/resource.h"
#include "framework/shell/FolderBrowserDialog.h"
#include <zelmtools/framework/threads/CWinThread.h>
#include "framework/ui/MessageBox.h"
#include "platform/kernel/files.h"
#include "support/temp_dir.h"
#include "support/temp_registry.h"

namespace fs = std::filesystem;

namespace {

CScrivaneApp& App()
{
    static CScrivaneApp app;
    return app;
}

std::string LongEnglishText(int words)
{
    static const char* kWords[] = {"keeper", "wind", "sea", "notebook", "lamp", "harbour", "steps", "grey"};
    std::string text;
    for (int i = 0; i < words; ++i) text += std::string(i ? " " : "") + kWords[i % 8];
    return text;
}

int PageCount(const std::string& folder)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) count += entry.path().extension() == ".bmp";
    return count;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        ASSERT_TRUE(dialog.Create(CScrivaneDlg::IDD));
        TypeText(dialog, IDC_OUTPUT_FOLDER, out.folder());
    }
    void TearDown() override
    {
        ForgetPendingAnswers();
        dialog.DestroyWindow();
        zelm::framework::WaitForFrameworkThreads();
    }
    // Start with the file dialog answered by path.
    void StartWith(const std::string& path)
    {
        AnswerFileDialog(path);
        Click(dialog, IDOK);
    }

    TempRegistry registry;
    TempDir in, out;
    CScrivaneDlg dialog;
};

}  // namespace

TEST_F(DialogTest, StartsIdleWithTheDefaults)
{
    CScrivaneDlg fresh;
    ASSERT_TRUE(fresh.Create(CScrivaneDlg::IDD));
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    EXPECT_EQ(TextOf(fresh, IDC_INPUT_FILE), "");
    EXPECT_EQ(TextOf(fresh, IDC_OUTPUT_FOLDER), temp);
    EXPECT_EQ(TextOf(fresh, IDC_DELSIZE), "3");
    EXPECT_FALSE(IsEnabled(fresh, IDC_STOP));
    EXPECT_TRUE(IsEnabled(fresh, IDOK));
    EXPECT_TRUE(IsEnabled(fresh, IDC_CHANGE_FONT));
    EXPECT_EQ(fresh.m_ctlProgress.GetPos(), 0);
    EXPECT_EQ(reinterpret_cast<HICON>(fresh.SendMessage(WM_QUERYDRAGICON)), fresh.m_hIcon);
    EXPECT_NE(fresh.m_hIcon, nullptr);
    fresh.DestroyWindow();
}

// The name of the modal dialog that the action opens (rejected at once), or "" when none.
std::string ModalOpenedBy(const std::function<void()>& action)
{
    std::string opened;
    AnswerNextModal([&opened](QWidget* modal) {
        opened = modal->objectName().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    });
    action();
    ForgetPendingAnswers();
    return opened;
}

TEST_F(DialogTest, OutOfRangeDelSizeIsRefusedBeforeTheJobAndTheArrowsStayInRange)
{
    MessageBoxRecorder messages;
    TypeText(dialog, IDC_DELSIZE, "45");
    EXPECT_EQ(ModalOpenedBy([&] { Click(dialog, IDOK); }), "") << "no file dialog";
    EXPECT_FALSE(dialog.m_bBusy);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("between 0 and 30"), std::string::npos) << messages.texts[0];
    EXPECT_EQ(dialog.m_nDelSize, 3u) << "the refused number is neither used nor saved";

    TypeText(dialog, IDC_DELSIZE, "29");
    auto* edit = dialog.GetDlgItem(IDC_DELSIZE)->m_pWidget;
    for (int i = 0; i < 3; ++i) {
        QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(edit, &up);
    }
    EXPECT_EQ(TextOf(dialog, IDC_DELSIZE), "30");
    EXPECT_FALSE(edit->toolTip().isEmpty()) << "the unlabelled number explains itself";
}

TEST_F(DialogTest, AFontAndDelSizeThatCannotMakePagesAreRefused)
{
    MessageBoxRecorder messages;
    dialog.m_logFont.lfHeight = -8;
    TypeText(dialog, IDC_DELSIZE, "30");
    EXPECT_EQ(ModalOpenedBy([&] { Click(dialog, IDOK); }), "");
    dialog.m_logFont.lfHeight = -120;
    TypeText(dialog, IDC_DELSIZE, "3");
    EXPECT_EQ(ModalOpenedBy([&] { Click(dialog, IDOK); }), "");
    EXPECT_FALSE(dialog.m_bBusy);
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_NE(messages.texts[0].find("DelSize 30"), std::string::npos) << messages.texts[0];
    EXPECT_NE(messages.texts[1].find("116-pixel page"), std::string::npos) << messages.texts[1];
}

TEST_F(DialogTest, EnterPressesTheFocusedButtonAndStartFromTheEdits)
{
    EXPECT_EQ(ModalOpenedBy([&] { PressEnter(dialog, IDC_BROWSE_FOLDER); }), "zelmFolderBrowser");
    EXPECT_EQ(ModalOpenedBy([&] { PressEnter(dialog, IDC_CHANGE_FONT); }), "zelmFontDialog");
    EXPECT_EQ(ModalOpenedBy([&] { PressEnter(dialog, IDC_TEST_FONT); }), "");
    EXPECT_EQ(ModalOpenedBy([&] { PressEnter(dialog, IDC_OUTPUT_FOLDER); }), "zelmFileDialog");
    EXPECT_EQ(ModalOpenedBy([&] { PressEnter(dialog, IDC_DELSIZE); }), "zelmFileDialog");
    EXPECT_FALSE(dialog.m_bBusy);
}

TEST_F(DialogTest, AnInputThatCannotBeOpenedIsSaid)
{
    MessageBoxRecorder messages;
    StartWith(in.file("missing.txt"));
    ASSERT_TRUE(WaitForIdle(dialog));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find(in.file("missing.txt")), std::string::npos) << messages.texts[0];
    EXPECT_NE(messages.texts[0].find("not found"), std::string::npos) << messages.texts[0];
    EXPECT_EQ(PageCount(out.folder()), 0);
}

TEST_F(DialogTest, EditsTypedDuringAJobAreKeptForTheNext)
{
    WriteFile(in.file("in.txt"), LongEnglishText(200000));
    StartWith(in.file("in.txt"));
    ASSERT_TRUE(dialog.m_bBusy);
    TempDir next;
    TypeText(dialog, IDC_OUTPUT_FOLDER, next.folder());
    TypeText(dialog, IDC_DELSIZE, "7");
    Click(dialog, IDC_STOP);
    ASSERT_TRUE(WaitForIdle(dialog));
    EXPECT_EQ(TextOf(dialog, IDC_OUTPUT_FOLDER), next.folder());
    EXPECT_EQ(TextOf(dialog, IDC_DELSIZE), "7");
    EXPECT_EQ(TextOf(dialog, IDC_INPUT_FILE), "");

    // The file dialog opens where the last input was.
    std::string openedIn;
    AnswerNextModal([&openedIn](QWidget* modal) {
        auto* files = qobject_cast<QFileDialog*>(modal);
        if (files) openedIn = files->directory().absolutePath().toStdString();
        static_cast<QDialog*>(modal)->reject();
    });
    Click(dialog, IDOK);
    EXPECT_EQ(openedIn, in.path().string());
    EXPECT_EQ(dialog.m_nDelSize, 7u);
    EXPECT_EQ(dialog.m_strOutputFolder.GetString(), next.folder());
}

TEST_F(DialogTest, AnExistingFolderTypedWithoutTheSlashGetsIt)
{
    WriteFile(in.file("in.txt"), LongEnglishText(40));
    std::string folder = out.path().string();
    TypeText(dialog, IDC_OUTPUT_FOLDER, folder);
    StartWith(in.file("in.txt"));
    ASSERT_TRUE(WaitForIdle(dialog));
    EXPECT_EQ(TextOf(dialog, IDC_OUTPUT_FOLDER), folder + "/");
    EXPECT_GE(PageCount(out.folder()), 1) << "the pages are inside the folder";

    // A name that is no folder stays a prefix of the page names, as typed.
    std::string prefix = out.file("run1-");
    TypeText(dialog, IDC_OUTPUT_FOLDER, prefix);
    StartWith(in.file("in.txt"));
    ASSERT_TRUE(WaitForIdle(dialog));
    EXPECT_EQ(TextOf(dialog, IDC_OUTPUT_FOLDER), prefix);
    EXPECT_TRUE(fs::exists(prefix + "T0000.bmp"));
}

TEST_F(DialogTest, TheFolderBrowserOpensAtTheOutputFolder)
{
    std::string shown;
    fs::create_directories(out.path() / "deeper");
    TypeText(dialog, IDC_OUTPUT_FOLDER, (out.path() / "deeper" / "not-yet").string() + "/");
    AnswerNextModal([&shown](QWidget* modal) {
        auto* browser = dynamic_cast<zelm::framework::FolderBrowserDialog*>(modal);
        if (browser) shown = browser->SelectedPath().toStdString();
        static_cast<QDialog*>(modal)->reject();
    });
    Click(dialog, IDC_BROWSE_FOLDER);
    EXPECT_EQ(shown, (out.path() / "deeper").string()) << "the nearest folder that exists";
}

TEST_F(DialogTest, AJobGoesIdleBusyIdleAndWritesTheBatchModesPages)
{
    std::string text = LongEnglishText(3000);
    WriteFile(in.file("in.txt"), text);
    std::vector<bool> busyStates;
    StartWith(in.file("in.txt"));
    // The file dialog ran inside the click; the job is running now.
    busyStates = {IsEnabled(dialog, IDOK), IsEnabled(dialog, IDC_STOP), IsEnabled(dialog, IDC_CHANGE_FONT)};
    EXPECT_EQ(busyStates, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(TextOf(dialog, IDC_INPUT_FILE), in.file("in.txt"));
    ASSERT_TRUE(WaitForIdle(dialog));
    EXPECT_TRUE(IsEnabled(dialog, IDOK));
    EXPECT_FALSE(IsEnabled(dialog, IDC_STOP));
    EXPECT_TRUE(IsEnabled(dialog, IDC_CHANGE_FONT));
    EXPECT_EQ(TextOf(dialog, IDC_INPUT_FILE), "");
    EXPECT_EQ(dialog.m_ctlProgress.GetPos(), 100) << "the bar keeps the last percentage";

    TempDir batch;
    JobSettings settings;
    settings.font = dialog.m_logFont;
    JobResult result = RunRenderJob(in.file("in.txt"), batch.folder(), settings);
    ASSERT_EQ(PageCount(out.folder()), result.pagesWritten);
    for (int i = 0; i < result.pagesWritten; ++i) {
        std::string name = CWorkThread::FileNameForIndex(i).GetString();
        ASSERT_EQ(ReadFile(out.file(name)), ReadFile(batch.file(name))) << name;
    }
}

TEST_F(DialogTest, StopEndsTheJobAfterThePageBeingMade)
{
    WriteFile(in.file("in.txt"), LongEnglishText(200000));
    StartWith(in.file("in.txt"));
    ASSERT_TRUE(dialog.m_bBusy);
    while (dialog.m_ctlProgress.GetPos() == 0 && dialog.m_bBusy) QApplication::processEvents(QEventLoop::AllEvents, 5);
    Click(dialog, IDC_STOP);
    ASSERT_TRUE(WaitForIdle(dialog));
    EXPECT_LT(dialog.m_ctlProgress.GetPos(), 100);
    EXPECT_GE(PageCount(out.folder()), 1);
    Click(dialog, IDC_STOP);  // idle: nothing to stop
    EXPECT_FALSE(dialog.m_bBusy);
}

TEST_F(DialogTest, CancelledFileDialogStartsNothing)
{
    StartWith("");
    EXPECT_FALSE(dialog.m_bBusy);
    EXPECT_EQ(dialog.m_pWorkThread, nullptr);
}

TEST_F(DialogTest, BrowseAppendsASlashAlsoToTheRoot)
{
    AnswerFolderBrowser(in.path().string());
    Click(dialog, IDC_BROWSE_FOLDER);
    EXPECT_EQ(TextOf(dialog, IDC_OUTPUT_FOLDER), in.path().string() + "/");
    AnswerFolderBrowser("/");
    Click(dialog, IDC_BROWSE_FOLDER);
    EXPECT_EQ(TextOf(dialog, IDC_OUTPUT_FOLDER), "//");
    AnswerFolderBrowser("");
    Click(dialog, IDC_BROWSE_FOLDER);
    EXPECT_EQ(TextOf(dialog, IDC_OUTPUT_FOLDER), "//") << "cancel changes nothing";
}

TEST_F(DialogTest, TestFontDrawsTheSecondLineOneLinePitchLower)
{
    for (UINT delSize : {0u, 5u}) {
        TypeText(dialog, IDC_DELSIZE, std::to_string(delSize));
        Click(dialog, IDC_TEST_FONT);
        CDC* dc = dialog.m_ctlPreview.GetDC();
        ASSERT_NE(dc, nullptr);
        // The two lines are the same text: the second one's ink starts pitch rows lower.
        std::vector<int> inkRows;
        for (int y = 0; y < 128; ++y) {
            bool ink = false;
            for (int x = 0; x < 128 && !ink; ++x) ink = dc->GetPixel(x, y) != RGB(255, 255, 255);
            if (ink) inkRows.push_back(y);
        }
        CFont font;
        font.CreateFontIndirect(&dialog.m_logFont);
        CFont* old = dc->SelectObject(&font);
        CRect rect(0, 0, 150, 100);
        dc->DrawText("Тест Тест Тест Тест", -1, &rect, DT_CALCRECT);
        dc->SelectObject(old);
        dialog.m_ctlPreview.ReleaseDC(dc);
        const int pitch = rect.bottom - static_cast<int>(delSize);
        ASSERT_FALSE(inkRows.empty());
        EXPECT_EQ(std::count(inkRows.begin(), inkRows.end(), inkRows.front() + pitch), 1) << "delSize " << delSize;
    }
}

TEST(DialogModal, ClosingDuringAJobEndsCleanly)
{
    App();
    TempRegistry registry;
    TempDir in, out;
    WriteFile(in.file("in.txt"), LongEnglishText(200000));
    CScrivaneDlg dialog;
    bool wasBusy = false;
    QTimer::singleShot(0, [&] {
        TypeText(dialog, IDC_OUTPUT_FOLDER, out.folder());
        AnswerFileDialog(in.file("in.txt"));
        Click(dialog, IDOK);
        wasBusy = dialog.m_bBusy;
        QTimer::singleShot(50, [&] { dialog.m_pWidget->close(); });
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    zelm::framework::WaitForFrameworkThreads();
    EXPECT_TRUE(wasBusy);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_GE(PageCount(out.folder()), 1);
}
