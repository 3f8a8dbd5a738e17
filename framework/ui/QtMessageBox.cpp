// Message boxes as Qt message boxes, whenever a GUI application runs: loading the
// framework's GUI library installs this presenter behind the one entry point.
#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include "framework/ui/MessageBox.h"

namespace zelm::framework {

namespace {

QMessageBox::StandardButtons ButtonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_ABORTRETRYIGNORE: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
    case MB_RETRYCANCEL: return QMessageBox::Retry | QMessageBox::Cancel;
    default: return QMessageBox::Ok;
    }
}

int AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Abort: return IDABORT;
    case QMessageBox::Retry: return IDRETRY;
    case QMessageBox::Ignore: return IDIGNORE;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDOK;
    }
}

QMessageBox::Icon IconOf(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int ShowQtMessageBox(const MessageBoxRequest& request)
{
    QMessageBox box(IconOf(request.type), QString::fromUtf8(request.caption), QString::fromUtf8(request.text),
                    ButtonsOf(request.type), QApplication::activeWindow());
    return AnswerOf(box.exec());
}

// 0 when no GUI application runs: the core entry point then writes to stderr.
int PresentInGuiApplication(const MessageBoxRequest& request)
{
    auto* gui = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (gui == nullptr) return 0;
    if (QThread::currentThread() == gui->thread()) return ShowQtMessageBox(request);
    // From a worker thread the box is shown by the interface thread, which waits for it.
    int answer = IDOK;
    QMetaObject::invokeMethod(
        gui, [&] { answer = ShowQtMessageBox(request); }, Qt::BlockingQueuedConnection);
    return answer;
}

// The application's display name (its application name, which is the executable's
// unless the program sets one); empty before the application exists.
std::string ToolkitProgramName()
{
    if (QCoreApplication::instance() == nullptr) return {};
    QString name = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                       ? QGuiApplication::applicationDisplayName()
                       : QCoreApplication::applicationName();
    return name.toStdString();
}

struct PresenterRegistration {
    PresenterRegistration() { SetGuiMessageBoxPresenter(PresentInGuiApplication, ToolkitProgramName); }
    ~PresenterRegistration() { SetGuiMessageBoxPresenter(nullptr, nullptr); }
} g_registration;

}  // namespace

}  // namespace zelm::framework
