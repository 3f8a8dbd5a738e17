#pragma once
// Pulling a window rectangle back onto the desktop (libzelmtoolsgui).

#include <zelmtools/framework/types/CRect.h>
#include <zelmtools/platform/base/export.h>

// The rectangle is first cut to the desktop's size. Mode 0 moves it so that at least
// its top-left corner, 30 pixels of its width and a caption's height stay on the desktop;
// mode 1 moves it wholly onto the desktop; other modes only cut it. True when the
// rectangle changed.
ZELM_API bool AlignWndToScreen(CRect& rect, int nMode);
