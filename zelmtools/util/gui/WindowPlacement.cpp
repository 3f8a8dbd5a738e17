#include <zelmtools/platform/gdi/gdi.h>
#include <zelmtools/util/WindowPlacement.h>

#include "framework/windows/DesktopWindow.h"

namespace {

// How much of a window stays on the desktop in mode 0: this many pixels of its width
// and the height of its caption, so that it can still be grabbed and dragged back.
constexpr int kGripWidth = 30;

void CutToDesktop(CRect& rect, const CRect& desktop)
{
    if (rect.Height() > desktop.Height()) rect.bottom = rect.top + desktop.Height();
    if (rect.Width() > desktop.Width()) rect.right = rect.left + desktop.Width();
}

// Later checks win: the left and top edges take precedence.
CSize GripShift(const CRect& rect, const CRect& desktop)
{
    CRect grip = desktop;
    grip.right -= kGripWidth;
    grip.bottom -= ::GetSystemMetrics(SM_CYCAPTION);
    CSize shift;
    if (rect.left > grip.right) shift.cx = grip.right - rect.left;
    if (rect.left < desktop.left) shift.cx = desktop.left - rect.left;
    if (rect.top > grip.bottom) shift.cy = grip.bottom - rect.top;
    if (rect.top < desktop.top) shift.cy = desktop.top - rect.top;
    return shift;
}

CSize WholeShift(const CRect& rect, const CRect& desktop)
{
    CSize shift;
    if (rect.right > desktop.right) shift.cx = desktop.right - rect.right;
    if (rect.left < desktop.left) shift.cx = desktop.left - rect.left;
    if (rect.bottom > desktop.bottom) shift.cy = desktop.bottom - rect.bottom;
    if (rect.top < desktop.top) shift.cy = desktop.top - rect.top;
    return shift;
}

}  // namespace

bool AlignWndToScreen(CRect& rect, int nMode)
{
    CRect desktop;
    // Without a desktop to measure against (no GUI application), the rectangle stays.
    if (!::GetWindowRect(::GetDesktopWindow(), &desktop)) return false;
    const CRect original = rect;
    CutToDesktop(rect, desktop);
    CSize shift;
    if (nMode == 0)
        shift = GripShift(rect, desktop);
    else if (nMode == 1)
        shift = WholeShift(rect, desktop);
    rect.OffsetRect(shift.cx, shift.cy);
    return !(rect == original);
}
