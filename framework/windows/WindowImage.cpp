#include "framework/windows/WindowImage.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace zelm::framework {

bool SaveWindowImage(CWnd& window, const char* pngPath)
{
    if (!window.m_pWidget || !pngPath) return false;
    return window.m_pWidget->grab().save(QString::fromUtf8(pngPath), "PNG");
}

void SaveNextModalDialogImage(const char* pngPath, int settleMs, std::function<void(bool saved)> done)
{
    struct Watch {
        QString path;
        QPointer<QDialog> dialog;
        QElapsedTimer shown;
    };
    auto watch = std::make_shared<Watch>();
    watch->path = QString::fromUtf8(pngPath ? pngPath : "");
    // The application owns the timer, so that it goes with the application even when
    // the event loop ends before the timer's own deletion comes round.
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [watch, timer, settleMs, done] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) return;
        if (dialog != watch->dialog) {
            watch->dialog = dialog;
            watch->shown.start();
            return;
        }
        if (watch->shown.elapsed() < settleMs) return;
        timer->stop();
        timer->deleteLater();
        const bool saved = !watch->path.isEmpty() && dialog->grab().save(watch->path, "PNG");
        dialog->reject();
        if (done) done(saved);
    });
    timer->start(20);
}

}  // namespace zelm::framework
