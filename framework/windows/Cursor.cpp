#include <QCursor>
#include <QGuiApplication>

#include <zelmtools/framework/windows/Cursor.h>

namespace {

bool GuiRuns()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (lpPoint == nullptr || !GuiRuns()) return FALSE;
    const QPoint position = QCursor::pos();
    lpPoint->x = position.x();
    lpPoint->y = position.y();
    return TRUE;
}

BOOL SetCursorPos(int X, int Y)
{
    if (!GuiRuns()) return FALSE;
    QCursor::setPos(X, Y);
    return TRUE;
}
