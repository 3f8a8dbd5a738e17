#include "framework/windows/DesktopWindow.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <zelmtools/platform/gdi/gdi.h>

#include "framework/windows/WindowWidgets.h"
#include "platform/gdi/system_metrics.h"

namespace {

// Never a handle of a registered window: those are multiples of 0x10.
const HWND kDesktopWindow = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x10008));

RECT ToRect(const QRect& rect)
{
    return RECT{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

bool VirtualDesktopRect(RECT& rect)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    QRect desktop;
    for (const QScreen* screen : QGuiApplication::screens()) desktop = desktop.united(screen->geometry());
    if (desktop.isEmpty()) return false;
    rect = ToRect(desktop);
    return true;
}

// The caption height of the toolkit's style: the window manager draws the real one,
// which the program cannot ask before a window is shown.
int ToolkitSystemMetric(int nIndex)
{
    if (nIndex != SM_CYCAPTION || !qobject_cast<QApplication*>(QCoreApplication::instance())) return 0;
    return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

struct MetricSourceRegistration {
    MetricSourceRegistration() { zelm::platform::SetSystemMetricSource(ToolkitSystemMetric); }
    ~MetricSourceRegistration() { zelm::platform::SetSystemMetricSource(nullptr); }
} g_metricSource;

}  // namespace

HWND GetDesktopWindow()
{
    return kDesktopWindow;
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    if (!lpRect) return FALSE;
    if (hWnd == kDesktopWindow) return VirtualDesktopRect(*lpRect) ? TRUE : FALSE;
    QWidget* widget = zelm::framework::WidgetForWindow(hWnd);
    if (!widget) return FALSE;
    QRect frame = widget->frameGeometry();
    if (!widget->isWindow()) frame.moveTopLeft(widget->parentWidget()->mapToGlobal(frame.topLeft()));
    *lpRect = ToRect(frame);
    return TRUE;
}
