#pragma once
// The mouse cursor's position on the screen.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

// FALSE when no graphical application runs (there is no cursor to ask).
ZELM_API BOOL GetCursorPos(LPPOINT lpPoint);
ZELM_API BOOL SetCursorPos(int X, int Y);
