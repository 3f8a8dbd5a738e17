// The progress window of shell file operations as a Qt progress dialog, whenever a GUI
// application runs: loading the framework's GUI library installs this presenter.
#include <QApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <atomic>

#include "framework/windows/WindowWidgets.h"
#include "platform/shell/file_progress.h"

namespace zelm::framework {

namespace {

constexpr int kSteps = 1000;

// Runs on the interface thread: directly from it, else waiting for it.
template <class F>
void OnGuiThread(F&& work)
{
    if (QThread::currentThread() == qApp->thread())
        work();
    else
        QMetaObject::invokeMethod(qApp, std::forward<F>(work), Qt::BlockingQueuedConnection);
}

class QtFileProgress : public zelm::platform::FileProgress {
public:
    // Owned by the owner window's widget, or by the active window.
    QtFileProgress(HWND owner, const std::string& title)
    {
        OnGuiThread([&] {
            m_dialog = new QProgressDialog(QString(), QApplication::translate("QtFileProgress", "Cancel"), 0, kSteps,
                                           SafeOwnerWidget(owner));
            m_dialog->setWindowTitle(QString::fromStdString(title));
            m_dialog->setWindowModality(Qt::ApplicationModal);
            m_dialog->setAutoReset(false);
            m_dialog->setAutoClose(false);
            m_dialog->setMinimumDuration(0);
            QObject::connect(m_dialog, &QProgressDialog::canceled, [this] { m_cancelled = true; });
            m_dialog->show();
        });
    }

    ~QtFileProgress() override
    {
        OnGuiThread([&] {
            if (!m_dialog) return;
            m_dialog->hide();
            delete m_dialog.data();
        });
    }

    bool Advance(std::uint64_t done, std::uint64_t total) override
    {
        int step = total == 0 || done >= total ? kSteps : static_cast<int>(done * kSteps / total);
        if (step != m_step) {
            m_step = step;
            // A modal dialog handles the pending events (Cancel among them) in setValue.
            OnGuiThread([&] {
                if (m_dialog) m_dialog->setValue(step);
            });
        }
        return !m_cancelled;
    }

private:
    QPointer<QProgressDialog> m_dialog;
    std::atomic<bool> m_cancelled{false};
    int m_step = -1;
};

std::unique_ptr<zelm::platform::FileProgress> PresentInGuiApplication(HWND owner, const std::string& title)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
    return std::make_unique<QtFileProgress>(owner, title);
}

struct PresenterRegistration {
    PresenterRegistration() { zelm::platform::SetFileProgressPresenter(PresentInGuiApplication); }
    ~PresenterRegistration() { zelm::platform::SetFileProgressPresenter(nullptr); }
} g_registration;

}  // namespace

}  // namespace zelm::framework
