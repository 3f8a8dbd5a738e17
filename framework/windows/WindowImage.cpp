#include "framework/windows/WindowImage.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace zelm::framework {

bool SaveWindowImage(CWnd& window, const char* pngPath)
{
    if (!window.m_pWidget || !pngPath) return false;
    return window.m_pWidget->grab().save(QString::fromUtf8(pngPath), "PNG");
}

void SaveNextModalDialogImage(const char* pngPath, int settleMs, std::function<void(bool saved)> done)
{
    // Lives until it has saved its picture.
    struct Watch {
        QString path;
        QPointer<QDialog> dialog;
        QElapsedTimer shown;
        QTimer timer;
    };
    auto* watch = new Watch;
    watch->path = QString::fromUtf8(pngPath ? pngPath : "");
    QObject::connect(&watch->timer, &QTimer::timeout, [watch, settleMs, done] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) return;
        if (dialog != watch->dialog) {
            watch->dialog = dialog;
            watch->shown.start();
            return;
        }
        if (watch->shown.elapsed() < settleMs) return;
        watch->timer.stop();
        const bool saved = !watch->path.isEmpty() && dialog->grab().save(watch->path, "PNG");
        QTimer::singleShot(0, [watch] { delete watch; });
        dialog->reject();
        if (done) done(saved);
    });
    watch->timer.start(20);
}

}  // namespace zelm::framework
