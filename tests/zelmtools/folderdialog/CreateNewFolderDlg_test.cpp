#include "zelmtools/dialogs/CreateNewFolderDlg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "FolderTestSupport.h"
#include "UiScript.h"

namespace {

QWidget* NewFolderDialog()
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->windowTitle() == "Создание папки" ? modal : nullptr;
}

void Click(QWidget* dialog, const QString& text)
{
    for (auto* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text) return button->click();
    ADD_FAILURE() << "no button " << text.toStdString();
}

TEST(CreateNewFolderDlg, ShowsTheFolderReadOnlyAndTakesAtMost256BytesOfName)
{
    CCreateNewFolderDlg dialog;
    dialog.m_strCurrentFolder = "/tmp/Выходная папка";
    dialog.m_strNewFolderName = "Новая папка";
    QString current, name;
    bool currentReadOnly = false;
    int typedBytes = 0;
    QWidget* mnemonicTarget = nullptr;
    UiScript script;
    script.Then("new folder dialog", NewFolderDialog, [&](QWidget* shown) {
        auto* folder = shown->findChild<QPlainTextEdit*>();
        current = folder->toPlainText();
        currentReadOnly = folder->isReadOnly();
        auto* edit = shown->findChild<QLineEdit*>();
        name = edit->text();
        // The static's "&" marks a mnemonic, and none of its letters are cut off.
        for (auto* label : shown->findChildren<QLabel*>()) {
            if (label->text() == "Имя &новой вложенной папки:") mnemonicTarget = label->buddy();
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
        // Typing stops at the limit, counted in bytes: 128 Cyrillic letters fill it.
        edit->clear();
        for (int i = 0; i < 130; ++i) edit->insert("я");
        typedBytes = static_cast<int>(edit->text().toUtf8().size());
        Click(shown, "&OK");
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(current, "/tmp/Выходная папка");
    EXPECT_TRUE(currentReadOnly);
    EXPECT_EQ(name, "Новая папка");
    EXPECT_EQ(typedBytes, 256);
    EXPECT_NE(mnemonicTarget, nullptr);
    EXPECT_EQ(dialog.m_strNewFolderName.GetLength(), 256);
}

TEST(CreateNewFolderDlg, TooLongANameIsRefusedAndTheDialogStays)
{
    CCreateNewFolderDlg dialog;
    MessageAnswers answers;
    UiScript script;
    script.Then("new folder dialog", NewFolderDialog, [&](QWidget* shown) {
        // A text put in without typing is checked when the dialog ends.
        shown->findChild<QLineEdit*>()->setText(QString(300, 'a'));
        Click(shown, "&OK");
        Click(shown, "От&мена");
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(answers.texts, std::vector<std::string>{"Enter no more than 256 characters."});
}

}  // namespace
