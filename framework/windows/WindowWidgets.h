#pragma once
// Which Qt widget shows a window handle, so that dialogs can be owned by the window
// that opens them.

#include <zelmtools/platform/base/win_types.h>

class QWidget;

namespace zelm::framework {

// Records the widget that shows the window; a null widget removes the record. The
// record forgets a widget that Qt deletes.
void SetWidgetForWindow(HWND hWnd, QWidget* widget);
// The widget of the window, or null for a handle without one.
QWidget* WidgetForWindow(HWND hWnd);
// The handle whose widget this is, or null.
HWND WindowForWidget(const QWidget* widget);
// The owner for a dialog opened on behalf of a window object: the window's widget,
// or, when it has none, the application's active window.
QWidget* SafeOwnerWidget(HWND hWnd);

}  // namespace zelm::framework
