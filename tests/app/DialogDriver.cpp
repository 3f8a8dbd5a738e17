#include "DialogDriver.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "framework/shell/FolderBrowser.h"
#include "framework/ui/MessageBox.h"
#include "framework/windows/WindowWidgets.h"

namespace {

// Answers still waiting belong to the generation they were given in.
int g_answerGeneration = 0;

// Polls until a modal dialog is up, then answers it.
void AnswerWhenShown(std::function<void(QWidget*)> answer, int attemptsLeft, int generation)
{
    QTimer::singleShot(20, [answer, attemptsLeft, generation] {
        if (generation != g_answerGeneration) return;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible())
            answer(modal);
        else if (attemptsLeft > 0)
            AnswerWhenShown(answer, attemptsLeft - 1, generation);
    });
}

}  // namespace

void AnswerNextModal(std::function<void(QWidget*)> answer)
{
    AnswerWhenShown(std::move(answer), 250, g_answerGeneration);
}

void ForgetPendingAnswers()
{
    ++g_answerGeneration;
}

void AnswerFileDialog(const std::string& path)
{
    AnswerNextModal([path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog || path.empty()) {
            if (auto* any = qobject_cast<QDialog*>(modal)) any->reject();
            return;
        }
        // Typed into the name field, as a user would: the whole path.
        dialog->selectFile(QString::fromStdString(path));
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->setText(QString::fromStdString(path));
        static_cast<QDialog*>(dialog)->accept();
    });
}

void AnswerFolderBrowser(const std::string& folder)
{
    AnswerNextModal([folder](QWidget* modal) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog) return;
        if (folder.empty()) return dialog->reject();
        HWND browser = zelm::framework::WindowForWidget(dialog);
        ::SendMessage(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        dialog->accept();
    });
}

void Click(CDialog& dialog, int id)
{
    if (auto* button = qobject_cast<QPushButton*>(dialog.GetDlgItem(id)->m_pWidget)) button->click();
}

void PressEnter(CDialog& dialog, int id)
{
    QWidget* widget = dialog.GetDlgItem(id)->m_pWidget;
    QApplication::setActiveWindow(dialog.m_pWidget);
    widget->setFocus(Qt::TabFocusReason);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

void TypeText(CDialog& dialog, int id, const std::string& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(dialog.GetDlgItem(id)->m_pWidget))
        edit->setText(QString::fromStdString(text));
}

std::string TextOf(CDialog& dialog, int id)
{
    CString text;
    dialog.GetDlgItem(id)->GetWindowText(text);
    return text.GetString();
}

bool IsEnabled(CDialog& dialog, int id)
{
    return dialog.GetDlgItem(id)->IsWindowEnabled();
}

bool WaitForIdle(CScrivaneDlg& dialog, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (dialog.m_bBusy && timer.elapsed() < timeoutMs) QApplication::processEvents(QEventLoop::AllEvents, 10);
    return !dialog.m_bBusy;
}

MessageBoxRecorder::MessageBoxRecorder()
{
    zelm::framework::SetMessageBoxHandler([this](const zelm::framework::MessageBoxRequest& request) {
        texts.emplace_back(request.text);
        return zelm::framework::DefaultMessageBoxAnswer(request.type);
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    zelm::framework::SetMessageBoxHandler({});
}
