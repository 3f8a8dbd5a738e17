#include "framework/commdlg/CFileDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QWidget>
#include <cstring>
#include <fstream>

#include "framework/ui/MessageBox.h"
#include "framework/windows/WindowWidgets.h"
#include "support/file_dialog.h"
#include "support/modal_dialog.h"
#include "support/temp_dir.h"

namespace {

const QString kFileDialog = "zelmFileDialog";

void Touch(const std::string& path)
{
    std::ofstream(path) << "text";
}

QCheckBox* ReadOnlyBox(QFileDialog* dialog)
{
    return dialog->findChild<QCheckBox*>("zelmReadOnlyBox");
}

class FileDialogTest : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(FileDialogTest, ChosenFileGivesItsFullPathWithTheReadOnlyBoxShown)
{
    std::string input = dir.file("Входной текст.txt");
    Touch(input);
    bool boxVisible = false;
    QStringList filters;
    WhenModalShown<QFileDialog>(kFileDialog, [&](QFileDialog* dialog) {
        boxVisible = ReadOnlyBox(dialog) && ReadOnlyBox(dialog)->isVisible();
        filters = dialog->nameFilters();
        ChooseFile(dialog, QString::fromStdString(input));
        Accept(dialog);
    });
    CFileDialog dlg(TRUE, "*.*", nullptr, OFN_EXPLORER, "All Files (*.*)|*.*||");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(boxVisible);
    EXPECT_EQ(filters, QStringList{"All Files (*.*) (*)"});
    EXPECT_EQ(dlg.GetPathName(), input.c_str());
    EXPECT_EQ(dlg.GetFileName(), "Входной текст.txt");
    EXPECT_EQ(dlg.GetFileExt(), "txt");
    EXPECT_EQ(dlg.GetFileTitle(), "Входной текст");
    EXPECT_FALSE(dlg.GetReadOnlyPref());
    EXPECT_EQ(dlg.m_ofn.nFilterIndex, 1u);
}

TEST_F(FileDialogTest, CancelGivesIdCancelAndNoPath)
{
    WhenModalShown<QFileDialog>(kFileDialog, [](QFileDialog* dialog) { dialog->reject(); });
    CFileDialog dlg(TRUE, "*.*", nullptr, OFN_EXPLORER, "All Files (*.*)|*.*||");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(dlg.GetPathName(), "");
}

TEST_F(FileDialogTest, ReadOnlyBoxHiddenOnRequestAndItsChoiceReported)
{
    Touch(dir.file("a.txt"));
    bool boxPresent = true;
    WhenModalShown<QFileDialog>(kFileDialog, [&](QFileDialog* dialog) {
        boxPresent = ReadOnlyBox(dialog) != nullptr;
        ChooseFile(dialog, QString::fromStdString(dir.file("a.txt")));
        Accept(dialog);
    });
    CFileDialog hidden(TRUE);  // the default flags hide the box
    ASSERT_EQ(hidden.DoModal(), IDOK);
    EXPECT_FALSE(boxPresent);
    EXPECT_FALSE(hidden.GetReadOnlyPref());

    WhenModalShown<QFileDialog>(kFileDialog, [&](QFileDialog* dialog) {
        ReadOnlyBox(dialog)->setChecked(true);
        ChooseFile(dialog, QString::fromStdString(dir.file("a.txt")));
        Accept(dialog);
    });
    CFileDialog shown(TRUE, nullptr, nullptr, OFN_EXPLORER);
    ASSERT_EQ(shown.DoModal(), IDOK);
    EXPECT_TRUE(shown.GetReadOnlyPref());
}

TEST_F(FileDialogTest, DefaultExtensionCompletesTypedNamesButPatternsAreNoExtension)
{
    auto typeName = [&](const char* name) {
        WhenModalShown<QFileDialog>(kFileDialog, [=, this](QFileDialog* dialog) {
            dialog->setDirectory(QString::fromStdString(dir.path().string()));
            ChooseFile(dialog, name);
            Accept(dialog);
        });
    };
    typeName("notes");
    CFileDialog save(FALSE, "txt", nullptr, OFN_HIDEREADONLY, "Text (*.txt)|*.txt|All Files (*.*)|*.*||");
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), dir.file("notes.txt").c_str());

    typeName("data");
    CFileDialog open(TRUE, "*.*", nullptr, OFN_EXPLORER, "All Files (*.*)|*.*||");
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetPathName(), dir.file("data").c_str());
    EXPECT_EQ(open.GetFileExt(), "");

    Touch(dir.file("README"));
    typeName("README");
    CFileDialog existing(TRUE, "txt", nullptr, OFN_EXPLORER);
    ASSERT_EQ(existing.DoModal(), IDOK);
    EXPECT_EQ(existing.GetPathName(), dir.file("README").c_str());
    EXPECT_TRUE(existing.m_ofn.Flags & OFN_EXTENSIONDIFFERENT);
}

TEST_F(FileDialogTest, PathLongerThanTheBufferIsRefusedWithTheSizeNeeded)
{
    std::string input = dir.file("long-enough-name.txt");
    Touch(input);
    WhenModalShown<QFileDialog>(kFileDialog, [&](QFileDialog* dialog) {
        ChooseFile(dialog, QString::fromStdString(input));
        Accept(dialog);
    });
    char buffer[16] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = sizeof buffer;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    WORD needed = 0;
    std::memcpy(&needed, buffer, sizeof needed);
    EXPECT_EQ(needed, input.size() + 1);
}

TEST_F(FileDialogTest, BadRequestsFailWithoutADialog)
{
    char buffer[MAX_PATH] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn - 4;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = MAX_PATH;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
    EXPECT_FALSE(GetOpenFileNameA(nullptr));
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = nullptr;
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
}

TEST_F(FileDialogTest, OwnedByTheWidgetOfItsOwnerWindowAndStartsWhereAsked)
{
    QWidget ownerWidget;
    auto owner = reinterpret_cast<HWND>(0x5150);
    zelm::framework::SetWidgetForWindow(owner, &ownerWidget);
    QWidget* parent = nullptr;
    QString title, startDir;
    WhenModalShown<QFileDialog>(kFileDialog, [&](QFileDialog* dialog) {
        parent = dialog->parentWidget();
        title = dialog->windowTitle();
        startDir = dialog->directory().absolutePath();
        dialog->reject();
    });
    char buffer[MAX_PATH] = "";
    std::string initialDir = dir.path().string();
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = initialDir.c_str();
    ofn.lpstrTitle = "Выбор файла";
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(parent, &ownerWidget);
    EXPECT_EQ(title, QString::fromUtf8("Выбор файла"));
    EXPECT_EQ(startDir, QString::fromStdString(initialDir));
    zelm::framework::SetWidgetForWindow(owner, nullptr);
}

}  // namespace
