// The main dialog driven offscreen, with the platform dialogs answered by the test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <filesystem>

#include "DialogDriver.h"
#include "JobRunner.h"
#include "app/ScrivaneApp.h"
#include "app/resource.h"
#include "framework/threads/CWinThread.h"
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

TEST_F(DialogTest, OutOfRangeDelSizeWarnsThenTheJobRunsWithIt)
{
    WriteFile(in.file("in.txt"), LongEnglishText(40));
    MessageBoxRecorder messages;
    TypeText(dialog, IDC_DELSIZE, "45");
    StartWith(in.file("in.txt"));
    ASSERT_TRUE(WaitForIdle(dialog));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("between 0 and 30"), std::string::npos) << messages.texts[0];
    EXPECT_EQ(dialog.m_nDelSize, 45u);
    EXPECT_GE(PageCount(out.folder()), 1);
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
