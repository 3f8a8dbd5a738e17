#include "framework/shell/FolderBrowser.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QThread>
#include <cstring>
#include <string>

#include <zelmtools/framework/messages/Messaging.h>
#include "framework/shell/FolderBrowserDialog.h"
#include "framework/shell/FolderBrowserWindow.h"
#include "framework/windows/WindowWidgets.h"
#include "platform/base/utf8.h"

namespace zelm::framework {

namespace {

bool OnGuiThread()
{
    auto* gui = qobject_cast<QApplication*>(QCoreApplication::instance());
    return gui != nullptr && QThread::currentThread() == gui->thread();
}

// The root folder's path, or empty when the root is not an existing folder.
QString RootPath(PCIDLIST_ABSOLUTE pidlRoot)
{
    if (pidlRoot == nullptr) return "/";
    std::string path;
    if (!zelm::platform::PathFromItemList(pidlRoot, path) || !QFileInfo(QString::fromStdString(path)).isDir())
        return QString();
    return QString::fromStdString(path);
}

void ReportSelection(const BROWSEINFOA& info, HWND hwnd, const QString& path)
{
    if (info.lpfn == nullptr) return;
    LPITEMIDLIST pidl = ILCreateFromPathA(path.toUtf8().constData());
    if (pidl == nullptr) return;
    info.lpfn(hwnd, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(pidl), info.lParam);
    ILFree(pidl);
}

void StoreDisplayName(const QString& path, LPSTR buffer)
{
    if (buffer == nullptr) return;
    std::string name = path == "/" ? std::string("/") : QFileInfo(path).fileName().toStdString();
    std::size_t length = zelm::platform::Utf8PrefixLength(name.c_str(), name.size(), MAX_PATH - 1);
    std::memcpy(buffer, name.c_str(), length);
    buffer[length] = '\0';
}

// One run of the browser: its dialog, its window and the callback's reports.
class BrowseSession {
public:
    BrowseSession(const BROWSEINFOA& info, const QString& rootPath)
        : m_info(info),
          m_dialog(WidgetForWindow(info.hwndOwner), rootPath,
                   info.lpszTitle ? QString::fromUtf8(info.lpszTitle) : QString(), info.ulFlags & BIF_STATUSTEXT,
                   info.ulFlags & BIF_NEWDIALOGSTYLE),
          m_window(m_dialog)
    {
        HWND hwnd = m_window.GetSafeHwnd();
        m_dialog.onSelectionChanged = [this, hwnd](const QString& path) { ReportSelection(m_info, hwnd, path); };
        m_dialog.onContextMenu = [hwnd](const QPoint& pos) {
            ::SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd),
                          MAKELPARAM(static_cast<WORD>(pos.x()), static_cast<WORD>(pos.y())));
        };
    }

    // The chosen folder, or empty on cancel.
    QString Run()
    {
        HWND hwnd = m_window.GetSafeHwnd();
        // Reported once the dialog shows: first the selection it starts with, then
        // that it is ready for the caller's messages.
        QMetaObject::invokeMethod(
            &m_dialog,
            [this, hwnd] {
                ReportSelection(m_info, hwnd, m_dialog.SelectedPath());
                if (m_info.lpfn) m_info.lpfn(hwnd, BFFM_INITIALIZED, 0, m_info.lParam);
            },
            Qt::QueuedConnection);
        if (m_dialog.exec() != QDialog::Accepted) return QString();
        return m_dialog.SelectedPath();
    }

private:
    const BROWSEINFOA& m_info;
    FolderBrowserDialog m_dialog;
    FolderBrowserWindow m_window;
};

}  // namespace

}  // namespace zelm::framework

PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA lpbi)
{
    using namespace zelm::framework;
    if (lpbi == nullptr || !OnGuiThread()) return nullptr;
    QString rootPath = RootPath(lpbi->pidlRoot);
    if (rootPath.isEmpty()) return nullptr;
    lpbi->iImage = 0;
    QString chosen = BrowseSession(*lpbi, rootPath).Run();
    if (chosen.isEmpty()) return nullptr;
    StoreDisplayName(chosen, lpbi->pszDisplayName);
    return ILCreateFromPathA(chosen.toUtf8().constData());
}
