#pragma once
// The desktop window and window rectangles in screen coordinates. The desktop is the
// virtual desktop: the rectangle that holds every screen the toolkit reports.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

ZELM_API HWND GetDesktopWindow();
// The window's rectangle on the desktop, its frame included; FALSE for a handle without
// a widget (and for the desktop when no GUI application runs).
ZELM_API BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
