// The shell copy's progress window, as a GUI application shows it (offscreen).
#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressDialog>
#include <string>
#include <thread>

#include "framework/windows/WindowWidgets.h"
#include "platform/shell/file_operation.h"
#include "support/file_tree.h"
#include "support/temp_dir.h"

namespace {

// Watches every progress dialog that appears: its title when shown, and how far it
// had got when it went away.
class ProgressWatcher : public QObject {
public:
    ProgressWatcher() { qApp->installEventFilter(this); }
    ~ProgressWatcher() override { qApp->removeEventFilter(this); }

    QStringList titles;
    int shown = 0;
    int lastValue = -1;
    int maximum = 0;
    QWidget* parent = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = qobject_cast<QProgressDialog*>(watched);
        if (dialog && event->type() == QEvent::Show) {
            ++shown;
            titles << dialog->windowTitle();
            parent = dialog->parentWidget();
        }
        if (dialog && (event->type() == QEvent::Hide || event->type() == QEvent::Close)) {
            lastValue = dialog->value();
            maximum = dialog->maximum();
        }
        return false;
    }
};

int CopyTree(const std::string& source, const std::string& target, const char* title, HWND owner = nullptr)
{
    std::string from = source + '\0' + '\0', to = target + '\0' + '\0';
    SHFILEOPSTRUCTA operation{owner, FO_COPY, from.c_str(), to.c_str(), FOF_SIMPLEPROGRESS | FOF_NOCONFIRMATION,
                              FALSE, nullptr, title};
    return SHFileOperationA(&operation);
}

TEST(FileProgressWindow, ShowsTheTitleAndReachesTheEnd)
{
    TempDir dir;
    file_tree::MakeTree(dir.file("source"));
    QWidget ownerWidget;
    auto owner = reinterpret_cast<HWND>(0x5151);
    zelm::framework::SetWidgetForWindow(owner, &ownerWidget);
    ProgressWatcher watcher;
    ASSERT_EQ(CopyTree(dir.file("source"), dir.file("copy"), "Копирование архива", owner), 0);
    zelm::framework::SetWidgetForWindow(owner, nullptr);
    EXPECT_EQ(watcher.parent, &ownerWidget);
    EXPECT_EQ(watcher.shown, 1);
    EXPECT_EQ(watcher.titles, QStringList{"Копирование архива"});
    EXPECT_GT(watcher.maximum, 0);
    EXPECT_EQ(watcher.lastValue, watcher.maximum);
    EXPECT_EQ(file_tree::Difference(dir.file("source"), dir.file("copy")), "");
}

TEST(FileProgressWindow, AWorkerThreadsCopyIsShownByTheInterfaceThread)
{
    TempDir dir;
    file_tree::MakeTree(dir.file("source"));
    ProgressWatcher watcher;
    int result = -1;
    bool finished = false;
    std::thread worker([&] {
        result = CopyTree(dir.file("source"), dir.file("copy"), "В фоне");
        QMetaObject::invokeMethod(qApp, [&] { finished = true; });
    });
    while (!finished) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    worker.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(watcher.titles, QStringList{"В фоне"});
    EXPECT_EQ(watcher.lastValue, watcher.maximum);
}

}  // namespace
