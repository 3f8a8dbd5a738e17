#include "framework/ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <string>

#include "framework/strings/CString.h"

namespace zelm::framework {

namespace {

// Made on first use: application objects are static too, and name themselves from
// their constructors before this file's statics would be initialised.
struct Settings {
    std::mutex lock;
    MessageBoxHandler handler;
    std::string title;  // empty: the running program's name
};

Settings& TheSettings()
{
    static Settings settings;
    return settings;
}

// The name of the running program: the toolkit application's display name (its
// application name, which is the executable's unless the program sets one), or the
// executable's name before the toolkit application exists.
std::string ProgramName()
{
    if (QCoreApplication::instance() == nullptr) return program_invocation_short_name;
    QString name = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                       ? QGuiApplication::applicationDisplayName()
                       : QCoreApplication::applicationName();
    return name.isEmpty() ? std::string(program_invocation_short_name) : name.toStdString();
}

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

int DefaultHandler(const MessageBoxRequest& request)
{
    auto* gui = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (gui == nullptr) {
        std::fprintf(stderr, "%s: %s\n", request.caption, request.text);
        return DefaultMessageBoxAnswer(request.type);
    }
    if (QThread::currentThread() == gui->thread()) return ShowQtMessageBox(request);
    // From a worker thread the box is shown by the interface thread, which waits for it.
    int answer = IDOK;
    QMetaObject::invokeMethod(
        gui, [&] { answer = ShowQtMessageBox(request); }, Qt::BlockingQueuedConnection);
    return answer;
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    Settings& settings = TheSettings();
    std::lock_guard guard(settings.lock);
    std::swap(settings.handler, handler);
    return handler;
}

int DefaultMessageBoxAnswer(UINT type)
{
    static const int kButtons[][3] = {{IDOK, IDOK, IDOK},          {IDOK, IDCANCEL, IDCANCEL},
                                      {IDABORT, IDRETRY, IDIGNORE}, {IDYES, IDNO, IDCANCEL},
                                      {IDYES, IDNO, IDNO},          {IDRETRY, IDCANCEL, IDCANCEL}};
    UINT kind = type & MB_TYPEMASK;
    if (kind > MB_RETRYCANCEL) kind = MB_OK;
    UINT defaultIndex = (type & MB_DEFMASK) >> 8;
    return kButtons[kind][defaultIndex > 2 ? 0 : defaultIndex];
}

void SetApplicationTitle(const char* title)
{
    Settings& settings = TheSettings();
    std::lock_guard guard(settings.lock);
    settings.title = title ? title : "";
}

std::string ApplicationTitle()
{
    Settings& settings = TheSettings();
    {
        std::lock_guard guard(settings.lock);
        if (!settings.title.empty()) return settings.title;
    }
    return ProgramName();
}

}  // namespace zelm::framework

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    using namespace zelm::framework;
    MessageBoxHandler handler;
    {
        Settings& settings = TheSettings();
        std::lock_guard guard(settings.lock);
        handler = settings.handler;
    }
    const std::string caption = ApplicationTitle();
    MessageBoxRequest request{lpszText ? lpszText : "", caption.c_str(), nType};
    return handler ? handler(request) : DefaultHandler(request);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}
