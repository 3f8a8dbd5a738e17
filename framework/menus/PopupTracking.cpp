// Popup menus shown with the toolkit's menu, modally, at a screen point.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QThread>

#include <zelmtools/framework/menus/CMenu.h>
#include <zelmtools/framework/messages/Messaging.h>
#include <zelmtools/platform/base/errors.h>

#include "framework/menus/MenuTable.h"
#include "framework/windows/WindowWidgets.h"

namespace zelm::framework {
namespace {

bool OnGuiThread()
{
    auto* gui = qobject_cast<QApplication*>(QCoreApplication::instance());
    return gui != nullptr && QThread::currentThread() == gui->thread();
}

void Fill(QMenu& shown, const Menu& menu)
{
    for (const MenuItem& item : menu.items) {
        if (item.flags & MF_SEPARATOR) {
            shown.addSeparator();
            continue;
        }
        const QString text = QString::fromUtf8(item.text.c_str());
        QAction* action = nullptr;
        if (item.popup) {
            QMenu* inner = shown.addMenu(text);
            Fill(*inner, *item.popup);
            action = inner->menuAction();
        } else {
            action = shown.addAction(text);
            action->setData(item.id);
        }
        action->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
        if (item.flags & MF_CHECKED) {
            action->setCheckable(true);
            action->setChecked(true);
        }
    }
}

// The menu's top-left corner for the point, as the alignment flags place the menu.
QPoint Corner(QPoint point, QSize size, UINT flags)
{
    if (flags & TPM_RIGHTALIGN)
        point.rx() -= size.width();
    else if (flags & TPM_CENTERALIGN)
        point.rx() -= size.width() / 2;
    if (flags & TPM_BOTTOMALIGN)
        point.ry() -= size.height();
    else if (flags & TPM_VCENTERALIGN)
        point.ry() -= size.height() / 2;
    return point;
}

}  // namespace
}  // namespace zelm::framework

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*)
{
    using namespace zelm::framework;
    Menu* menu = FindMenu(hMenu);
    if (menu == nullptr) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!OnGuiThread()) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    // On the heap: the owner's widget deletes it if the owner goes while the menu is open.
    QPointer<QMenu> shown = new QMenu(SafeOwnerWidget(hWnd));
    shown->setObjectName("zelmPopupMenu");
    Fill(*shown, *menu);
    QAction* chosen = shown->exec(Corner(QPoint(x, y), shown->sizeHint(), uFlags));
    const UINT id = shown && chosen ? chosen->data().toUInt() : 0;
    delete shown.data();
    if (uFlags & TPM_RETURNCMD) return static_cast<BOOL>(id);
    // As the system does, the command comes after the menu has closed, through the queue.
    if (id != 0) PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
    return TRUE;
}
